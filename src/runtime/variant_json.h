// The JSON form of a Variant, as logs, scripts, kvc-tool and tests show it.
// Output is compact, keys in the order below:
//
//   Empty        {"$":"empty"}
//   Null         null
//   Integer      12            Int64 too; a number read back is an Integer
//                              when it fits 32 bits, otherwise an Int64
//   Boolean      true / false
//   Double       2.0, 0.1, 1.0e+20   always with a decimal point, the
//                              shortest digits that read back exactly
//   Currency     {"$currency":"-12.3400"}   always four decimals, "." as the
//                              decimal point
//   Date         {"$date":"1899-12-29T06:00:00.000"}   to the millisecond;
//                              before 1899-12-30 the time of day counts away
//                              from zero, as in the day count itself
//   OleStr       "text"
//   AnsiStr      {"$ansi":"b9fa","cp":936}   lower-case hex of the bytes;
//                              "cp" left out when the code page is unknown
//   Array        [...] for one dimension from 0;
//                {"$lo":1,"items":[...]} for another low bound;
//                {"$dims":[[0,1],[1,3]],"items":[[a,b,c],[d,e,f]]} for two
//                dimensions, row by row
//   Dispatch     {"$dispatch":"ReportCounterS.dmReportCounter"} (the object's
//                ClassName), {"$dispatch":null} for a nil reference
//
// A live object cannot come back from text: FromJson turns {"$dispatch":"X"}
// into a reference to an unbound stand-in whose ClassName is "X" and whose
// every member access raises EOleError, so a logged value reads back and
// writes out the same.
#pragma once

#include "runtime/variant.h"

#include <string>
#include <string_view>

namespace kvc {

// Arrays may nest this deep (a request's arrays nest three levels).
inline constexpr int kMaxJsonArrayNesting = 64;

// A value JSON cannot hold (a Double that is not finite, a Date outside the
// years 1 to 9999) or arrays nested deeper than kMaxJsonArrayNesting raise
// EConvertError. Text that is not valid UTF-8 is written with U+FFFD in
// place of the bad bytes: text of a code page belongs in an AnsiStr.
std::string ToJson(const Variant& value);

// Reads the form above. Malformed JSON and any other shape (an unknown "$"
// key, bad hex, dimensions that do not match the items, a bad date, nesting
// deeper than kMaxJsonArrayNesting) raise EConvertError saying what is wrong.
Variant FromJson(std::string_view json);

} // namespace kvc

// Reading a condition request as the report window sends it: element 0 the
// header [1..H], element 1 the labels [1..N], element 2 the values [1..N], and
// for a periodic job element 3 the schedule block and element 4 the
// dynamic-field block. Texts arrive as code page 936 byte strings (or, from
// a support tool, as wide strings) and come out as UTF-8.
#pragma once

#include "runtime/clock.h"
#include "runtime/variant.h"

#include <string>

namespace kvc::erp {

// The header elements the server reads (index from 1).
inline constexpr int kHeaderProgramCode = 1;
inline constexpr int kHeaderLength = 2;
inline constexpr int kHeaderConditionCount = 3;
inline constexpr int kHeaderCompany = 4;
inline constexpr int kHeaderUser = 5;
inline constexpr int kHeaderDatabase = 6;
inline constexpr int kHeaderMoment = 7;
inline constexpr int kHeaderRunMode = 10;
inline constexpr int kHeaderStartMoment = 11;
inline constexpr int kMinHeaderLength = 9;

struct ConditionRequestSummary {
    std::string programCode;
    std::string companyId;
    std::string userId;
    std::string databaseId;
    int runMode = 0; // 0 job queue, 1 now, 2 at a time
    TDateTime startMoment = 0;
    bool periodic = false;
    std::string periodicJson; // elements 3 and 4 in the JSON form, when periodic
};

// The shape is checked; anything else raises EConvertError with the reason
// the server gives back through ErrorDescript.
ConditionRequestSummary ReadConditionRequest(const Variant& request);

// A text argument as UTF-8: byte strings are read in their code page (936
// when it is not given), wide strings are taken as they are, numbers print.
// Empty, Null, arrays and objects raise EConvertError naming what.
std::string TextOf(const Variant& value, const std::string& what);

} // namespace kvc::erp

// The ERP's date conventions: stored dates "YYYYMMDD" (empty for no date),
// display dates in one of five orders where codes 4 and 5 count years from
// 1911, and the date arithmetic of schedules. None of these raise: failures
// fall back to "no date" (0 or the empty text).
#pragma once

#include "runtime/datetime.h"

#include <string>
#include <string_view>

namespace kvc {
class Variant;
}

namespace kvc::services {

// Date format codes of the ERP's system variable.
enum DateFormatCode : int {
    dfYearMonthDay = 1,
    dfMonthDayYear = 2,
    dfDayMonthYear = 3,
    dfTwoDigitRepublicYear = 4,
    dfThreeDigitRepublicYear = 5,
};

constexpr int kRepublicYearOffset = 1911;

// The date of "YYYYMMDD"; 0 when the text is not eight characters long, a part
// reads as 0 or not as a number, or the parts make no calendar date.
TDateTime StoredToDate(std::string_view stored);
// The empty text is valid; otherwise the parts must make a calendar date between
// "17530101" and "99991231" (compared as texts). The length is not checked.
bool IsValidStoredDate(std::string_view text);

// The date's parts in the order of the code, joined by the first character of
// the separator text; empty for date 0 or an unknown code.
std::string FormatDisplayDate(int code, std::string_view separator, TDateTime date);
std::string FormatDisplayYearMonth(int code, std::string_view separator, TDateTime date);
// Reads a display date; a day beyond the month's end runs into the next month.
// 0 for an empty text, a part that is not above 0, an unknown code or no date.
TDateTime ParseDisplayDate(std::string_view text, int code, std::string_view separator);

// value is a stored date text or a Date variant; unit "D", "M" or "Y" (any
// case). Answers the stored date n units on, or the empty text.
std::string AddToStoredDate(const Variant& value, std::string_view unit, int n);

// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

} // namespace kvc::services

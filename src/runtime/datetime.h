// Dates and times as the classic day count (days since 1899-12-30, the fraction
// the time of day), the process-wide format settings, and the texts of dates.
#pragma once

#include "runtime/clock.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kvc {

struct TFormatSettings {
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    std::string ShortDateFormat = "yyyy/mm/dd";
    std::string LongDateFormat = "yyyy'年'm'月'd'日'";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    // Two-digit years are read within this many years before the current year
    // and the rest after it; 0 means "the current century".
    int TwoDigitYearCenturyWindow = 50;
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames = {"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "October",  "November", "December"};
    std::array<std::string, 7> ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};
};

// The settings every formatting and reading function uses unless given others.
TFormatSettings& FormatSettings();

// Replaces the process-wide settings for the life of the object; tests use it.
class ScopedFormatSettings {
public:
    explicit ScopedFormatSettings(TFormatSettings settings);
    ~ScopedFormatSettings();
    ScopedFormatSettings(const ScopedFormatSettings&) = delete;
    ScopedFormatSettings& operator=(const ScopedFormatSettings&) = delete;

private:
    TFormatSettings previous_;
};

constexpr std::uint16_t kMinYear = 1;
constexpr std::uint16_t kMaxYear = 9999;

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month); // 0 outside 1..12

// Encode raises EConvertError ("Invalid argument to date encode" / "... time encode").
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
void DecodeDate(TDateTime date, int& year, int& month, int& day);
void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime date);
// Same day n months on, lowered to the month's last day when it does not exist.
TDateTime IncMonth(TDateTime date, int months = 1);

// Through the process clock.
TDateTime Now();
TDateTime Date();
TDateTime Time();

std::string FormatDateTime(std::string_view format, TDateTime value);
std::string FormatDateTime(std::string_view format, TDateTime value,
                           const TFormatSettings& settings);
std::string DateToStr(TDateTime date);
std::string TimeToStr(TDateTime time);
// The date, and the long time unless the time is midnight.
std::string DateTimeToStr(TDateTime value);

// Readers raise EConvertError ("'x' is not a valid date" / "... time" / "... date and time").
TDateTime StrToDate(std::string_view s);
TDateTime StrToTime(std::string_view s);
TDateTime StrToDateTime(std::string_view s);
bool TryStrToDate(std::string_view s, TDateTime& value);
bool TryStrToTime(std::string_view s, TDateTime& value);
bool TryStrToDateTime(std::string_view s, TDateTime& value);
TDateTime StrToDateDef(std::string_view s, TDateTime fallback);

// A date and a time of day as one value; before 1899-12-30 the time counts away from zero.
TDateTime CombineDateTime(TDateTime date, TDateTime time);
// The date part (toward zero) and the time of day (always 0 <= t < 1).
TDateTime DatePart(TDateTime value);
TDateTime TimePart(TDateTime value);

} // namespace kvc

#include "runtime/datetime.h"

#include "runtime/exceptions.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <utility>

namespace kvc {
namespace {

constexpr double kMillisPerDay = 86400000.0;
constexpr int kUnixEpochDay = 25569; // 1970-01-01 as a day count

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}

std::string Number(int value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", digits, value);
    return buffer;
}

class DateTimeWriter {
public:
    DateTimeWriter(TDateTime value, const TFormatSettings& settings)
        : value_(value), settings_(settings) {
        DecodeDate(value, year_, month_, day_);
        DecodeTime(value, hour_, minute_, second_, milli_);
    }

    void Write(std::string_view format, std::string& out, int depth = 0) {
        // "am/pm", "a/p" and "ampm" switch the hours to the 12-hour clock.
        const bool twelveHour = ContainsAmPm(format);
        char lastToken = 0;
        for (std::size_t i = 0; i < format.size();) {
            const char c = format[i];
            const char token = Upper(c);
            if (c == '\'' || c == '"') {
                const auto close = format.find(c, i + 1);
                const auto end = close == std::string_view::npos ? format.size() : close;
                out.append(format.substr(i + 1, end - i - 1));
                i = end + (close == std::string_view::npos ? 0 : 1);
                continue;
            }
            if (token == 'A' && WriteAmPm(format, i, out)) {
                lastToken = 'A';
                continue;
            }
            const std::size_t count = RunLength(format, i);
            i += count;
            switch (token) {
            case 'Y':
                out += count <= 2 ? Number(year_ % 100, 2) : Number(year_, 4);
                break;
            case 'M':
                if (lastToken == 'H' && count <= 2) {
                    out += Number(minute_, int(count));
                } else if (count <= 2) {
                    out += Number(month_, int(count));
                } else if (month_ >= 1) {
                    out += count == 3 ? settings_.ShortMonthNames[month_ - 1]
                                      : settings_.LongMonthNames[month_ - 1];
                }
                break;
            case 'D':
                WriteDay(count, out, depth);
                break;
            case 'H': {
                int hour = hour_;
                if (twelveHour) {
                    hour = hour % 12 == 0 ? 12 : hour % 12;
                }
                out += Number(hour, count >= 2 ? 2 : 1);
                break;
            }
            case 'N':
                out += Number(minute_, count >= 2 ? 2 : 1);
                break;
            case 'S':
                out += Number(second_, count >= 2 ? 2 : 1);
                break;
            case 'Z':
                out += Number(milli_, count >= 3 ? 3 : 1);
                break;
            case 'T':
                Nested(count == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, out,
                       depth);
                break;
            case 'C':
                Nested(settings_.ShortDateFormat, out, depth);
                if (hour_ != 0 || minute_ != 0 || second_ != 0 || milli_ != 0) {
                    out += ' ';
                    Nested(settings_.LongTimeFormat, out, depth);
                }
                break;
            case '/':
                out.append(count, settings_.DateSeparator);
                break;
            case ':':
                out.append(count, settings_.TimeSeparator);
                break;
            default:
                out.append(count, c);
            }
            if (token >= 'A' && token <= 'Z') {
                lastToken = token;
            }
        }
    }

private:
    static std::size_t RunLength(std::string_view format, std::size_t i) {
        const char token = Upper(format[i]);
        std::size_t n = 1;
        while (i + n < format.size() && Upper(format[i + n]) == token) {
            ++n;
        }
        return n;
    }

    static bool StartsWithText(std::string_view s, std::size_t i, std::string_view what) {
        if (s.size() - i < what.size()) {
            return false;
        }
        for (std::size_t k = 0; k < what.size(); ++k) {
            if (Upper(s[i + k]) != Upper(what[k])) {
                return false;
            }
        }
        return true;
    }

    static bool ContainsAmPm(std::string_view format) {
        for (std::size_t i = 0; i < format.size(); ++i) {
            if (StartsWithText(format, i, "am/pm") || StartsWithText(format, i, "a/p") ||
                StartsWithText(format, i, "ampm")) {
                return true;
            }
        }
        return false;
    }

    bool WriteAmPm(std::string_view format, std::size_t& i, std::string& out) const {
        const bool pm = hour_ >= 12;
        if (StartsWithText(format, i, "am/pm")) {
            out += pm ? format.substr(i + 3, 2) : format.substr(i, 2);
            i += 5;
        } else if (StartsWithText(format, i, "a/p")) {
            out += pm ? format[i + 2] : format[i];
            i += 3;
        } else if (StartsWithText(format, i, "ampm")) {
            out += pm ? settings_.TimePMString : settings_.TimeAMString;
            i += 4;
        } else {
            return false;
        }
        return true;
    }

    void WriteDay(std::size_t count, std::string& out, int depth) {
        switch (count) {
        case 1:
        case 2:
            out += Number(day_, int(count));
            break;
        case 3:
            out += settings_.ShortDayNames[DayOfWeek(value_) - 1];
            break;
        case 4:
            out += settings_.LongDayNames[DayOfWeek(value_) - 1];
            break;
        case 5:
            Nested(settings_.ShortDateFormat, out, depth);
            break;
        default:
            Nested(settings_.LongDateFormat, out, depth);
        }
    }

    // The settings' own formats may name "c" or "t" again; two levels are enough.
    void Nested(std::string_view format, std::string& out, int depth) {
        if (depth < 2) {
            Write(format, out, depth + 1);
        }
    }

    TDateTime value_;
    const TFormatSettings& settings_;
    int year_ = 0, month_ = 0, day_ = 0;
    int hour_ = 0, minute_ = 0, second_ = 0, milli_ = 0;
};

// Reads dates and times in the classic way: numbers separated by the settings'
// separators, blanks allowed around them, nothing left over.
class DateTimeScanner {
public:
    DateTimeScanner(std::string_view text, const TFormatSettings& settings)
        : s_(text), settings_(settings) {}

    bool ScanDate(TDateTime& date) {
        int n1 = 0, n2 = 0, n3 = 0;
        int l1 = 0, l2 = 0, l3 = 0;
        if (!ScanNumber(n1, l1) || !ScanChar(settings_.DateSeparator) || !ScanNumber(n2, l2)) {
            return false;
        }
        int year = 0, month = 0, day = 0, yearDigits = 0;
        const auto order = DateOrder();
        if (ScanChar(settings_.DateSeparator)) {
            if (!ScanNumber(n3, l3)) {
                return false;
            }
            switch (order) {
            case 'M':
                year = n3, yearDigits = l3, month = n1, day = n2;
                break;
            case 'D':
                year = n3, yearDigits = l3, month = n2, day = n1;
                break;
            default:
                year = n1, yearDigits = l1, month = n2, day = n3;
            }
        } else {
            int unused = 0;
            DecodeDate(Date(), year, unused, unused);
            yearDigits = 4;
            if (order == 'D') {
                day = n1, month = n2;
            } else {
                month = n1, day = n2;
            }
        }
        if (yearDigits <= 2 && year <= 99) {
            year = WindowedYear(year);
        }
        ScanChar(settings_.DateSeparator); // a trailing separator is allowed
        SkipBlanks();
        return TryEncodeDate(year, month, day, date);
    }

    bool ScanTime(TDateTime& time) {
        int hour = 0, minute = 0, second = 0, milli = 0, length = 0;
        int amPm = ScanAmPm(); // "PM 3:00" as well as "3:00 PM"
        if (!ScanNumber(hour, length)) {
            return false;
        }
        if (ScanChar(settings_.TimeSeparator)) {
            if (!ScanNumber(minute, length)) {
                return false;
            }
            if (ScanChar(settings_.TimeSeparator)) {
                if (!ScanNumber(second, length)) {
                    return false;
                }
                if (ScanChar(settings_.DecimalSeparator) && !ScanNumber(milli, length)) {
                    return false;
                }
            }
        }
        if (amPm < 0) {
            amPm = ScanAmPm();
        }
        if (amPm >= 0) {
            if (hour == 0 || hour > 12) {
                return false;
            }
            hour = hour % 12 + (amPm == 1 ? 12 : 0);
        }
        SkipBlanks();
        return TryEncodeTime(hour, minute, second, milli, time);
    }

    bool AtEnd() {
        SkipBlanks();
        return pos_ == s_.size();
    }

    void SkipBlanks() {
        while (pos_ < s_.size() && s_[pos_] == ' ') {
            ++pos_;
        }
    }

private:
    char DateOrder() const {
        for (char c : settings_.ShortDateFormat) {
            const char u = Upper(c);
            if (u == 'D' || u == 'M' || u == 'Y') {
                return u;
            }
        }
        return 'M';
    }

    int WindowedYear(int year) const {
        int current = 0, unused = 0;
        DecodeDate(Date(), current, unused, unused);
        const int window = settings_.TwoDigitYearCenturyWindow;
        const int base = current - window;
        year += base / 100 * 100;
        if (window > 0 && year < base) {
            year += 100;
        }
        return year;
    }

    bool ScanNumber(int& value, int& digits) {
        SkipBlanks();
        const std::size_t start = pos_;
        long v = 0;
        while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') {
            if (v > 99999) {
                return false;
            }
            v = v * 10 + (s_[pos_++] - '0');
        }
        digits = int(pos_ - start);
        value = int(v);
        return digits > 0;
    }

    bool ScanChar(char c) {
        SkipBlanks();
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // Answers 0 for AM, 1 for PM, -1 when neither stands here.
    int ScanAmPm() {
        SkipBlanks();
        const std::string_view rest = s_.substr(pos_);
        const std::pair<std::string_view, int> marks[] = {
            {settings_.TimeAMString, 0}, {settings_.TimePMString, 1}, {"AM", 0}, {"PM", 1}};
        for (const auto& [mark, meaning] : marks) {
            if (!mark.empty() && rest.size() >= mark.size()) {
                bool same = true;
                for (std::size_t k = 0; k < mark.size(); ++k) {
                    same = same && Upper(rest[k]) == Upper(mark[k]);
                }
                if (same) {
                    pos_ += mark.size();
                    return meaning;
                }
            }
        }
        return -1;
    }

    std::string_view s_;
    const TFormatSettings& settings_;
    std::size_t pos_ = 0;
};

} // namespace

TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}

ScopedFormatSettings::ScopedFormatSettings(TFormatSettings settings)
    : previous_(std::exchange(FormatSettings(), std::move(settings))) {}

ScopedFormatSettings::~ScopedFormatSettings() {
    FormatSettings() = std::move(previous_);
}

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
    if (year < kMinYear || year > kMaxYear || day < 1 || day > DaysInAMonth(year, month)) {
        return false;
    }
    using namespace std::chrono;
    const sys_days days{std::chrono::year{year} / std::chrono::month(unsigned(month)) /
                        std::chrono::day(unsigned(day))};
    date = double(days.time_since_epoch().count() + kUnixEpochDay);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date)) {
        throw EConvertError("Invalid argument to date encode");
    }
    return date;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 ||
        msec > 999) {
        return false;
    }
    time = (hour * 3600000.0 + min * 60000.0 + sec * 1000.0 + msec) / kMillisPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime time = 0;
    if (!TryEncodeTime(hour, min, sec, msec, time)) {
        throw EConvertError("Invalid argument to time encode");
    }
    return time;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
    using namespace std::chrono;
    if (!std::isfinite(date) || std::fabs(date) > 3.0e6) {
        year = month = day = 0;
        return;
    }
    const auto days = static_cast<long>(std::trunc(date)) - kUnixEpochDay;
    const year_month_day ymd{sys_days{std::chrono::days{days}}};
    year = int(ymd.year());
    month = int(unsigned(ymd.month()));
    day = int(unsigned(ymd.day()));
    if (year < kMinYear || year > kMaxYear) {
        year = month = day = 0;
    }
}

void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec) {
    double millis = 0;
    if (std::isfinite(time)) {
        millis = std::round(std::fabs(time - std::trunc(time)) * kMillisPerDay);
    }
    auto total = static_cast<long>(std::min(millis, kMillisPerDay - 1));
    hour = int(total / 3600000);
    total %= 3600000;
    min = int(total / 60000);
    total %= 60000;
    sec = int(total / 1000);
    msec = int(total % 1000);
}

int DayOfWeek(TDateTime date) {
    // Day 0 (1899-12-30) was a Saturday.
    const long day = static_cast<long>(std::trunc(date));
    return int(((day % 7) + 7 + 6) % 7) + 1;
}

TDateTime IncMonth(TDateTime date, int months) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    const int total = year * 12 + (month - 1) + months;
    year = total / 12;
    month = total % 12 + 1;
    day = std::min(day, DaysInAMonth(year, month));
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result)) {
        throw EConvertError("Invalid argument to date encode");
    }
    return CombineDateTime(result, TimePart(date));
}

TDateTime DatePart(TDateTime value) {
    return std::trunc(value);
}

TDateTime TimePart(TDateTime value) {
    return std::fabs(value - std::trunc(value));
}

TDateTime CombineDateTime(TDateTime date, TDateTime time) {
    return date >= 0 ? date + time : date - time;
}

TDateTime Now() {
    return ProcessClock().Now();
}
TDateTime Date() {
    return DatePart(Now());
}
TDateTime Time() {
    return TimePart(Now());
}

std::string FormatDateTime(std::string_view format, TDateTime value,
                           const TFormatSettings& settings) {
    std::string out;
    DateTimeWriter(value, settings).Write(format.empty() ? "c" : format, out);
    return out;
}

std::string FormatDateTime(std::string_view format, TDateTime value) {
    return FormatDateTime(format, value, FormatSettings());
}

std::string DateToStr(TDateTime date) {
    return FormatDateTime("ddddd", date);
}
std::string TimeToStr(TDateTime time) {
    return FormatDateTime("tt", time);
}
std::string DateTimeToStr(TDateTime value) {
    return FormatDateTime("c", value);
}

bool TryStrToDate(std::string_view s, TDateTime& value) {
    DateTimeScanner scanner(s, FormatSettings());
    TDateTime date = 0;
    if (!scanner.ScanDate(date) || !scanner.AtEnd()) {
        return false;
    }
    value = date;
    return true;
}

bool TryStrToTime(std::string_view s, TDateTime& value) {
    DateTimeScanner scanner(s, FormatSettings());
    TDateTime time = 0;
    if (!scanner.ScanTime(time) || !scanner.AtEnd()) {
        return false;
    }
    value = time;
    return true;
}

bool TryStrToDateTime(std::string_view s, TDateTime& value) {
    TDateTime date = 0;
    TDateTime time = 0;
    DateTimeScanner scanner(s, FormatSettings());
    if (!scanner.ScanDate(date)) {
        DateTimeScanner timeOnly(s, FormatSettings());
        if (!timeOnly.ScanTime(time) || !timeOnly.AtEnd()) {
            return false;
        }
        value = time;
        return true;
    }
    if (!scanner.AtEnd() && (!scanner.ScanTime(time) || !scanner.AtEnd())) {
        return false;
    }
    value = CombineDateTime(date, time);
    return true;
}

namespace {
template <typename Reader>
TDateTime ReadOrThrow(std::string_view s, Reader reader, const char* what) {
    TDateTime value = 0;
    if (!reader(s, value)) {
        throw EConvertError("'" + std::string(s) + "' is not a valid " + what);
    }
    return value;
}
} // namespace

TDateTime StrToDate(std::string_view s) {
    return ReadOrThrow(s, TryStrToDate, "date");
}
TDateTime StrToTime(std::string_view s) {
    return ReadOrThrow(s, TryStrToTime, "time");
}
TDateTime StrToDateTime(std::string_view s) {
    return ReadOrThrow(s, TryStrToDateTime, "date and time");
}

TDateTime StrToDateDef(std::string_view s, TDateTime fallback) {
    TDateTime value = 0;
    return TryStrToDate(s, value) ? value : fallback;
}

} // namespace kvc

#include "services/utilities/erp_dates.h"

#include "runtime/format.h"
#include "runtime/strings.h"
#include "runtime/variant.h"
#include "services/utilities/texts.h"

#include <cstdint>

namespace kvc::services {
namespace {

// A stored-date part: the number, or 0 when it does not read as one.
int StoredPart(std::string_view stored, int index, int count) {
    return StrToIntDef(Copy(stored, index, count), 0);
}

std::string SeparatorOf(std::string_view separator) {
    return separator.empty() ? std::string() : std::string(1, separator.front());
}

// A display-date part: trimmed, read as a 16-bit signed number, -1 when it is none.
int DisplayPart(std::string& rest, std::string_view separator) {
    std::int32_t value = 0;
    if (!TryStrToInt(Trim(CutToken(rest, separator)), value)) {
        return -1;
    }
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

// Day n of month (year, month), running on into the following months; 0 when
// (year, month) makes no date.
TDateTime MonthStartPlus(int year, int month, int dayOffset) {
    TDateTime first = 0;
    if (!TryEncodeDate(year, month, 1, first)) {
        return 0;
    }
    return first + dayOffset;
}

// Lowers the day until it exists in the month (31 March + 1 month = 30 April).
TDateTime ClampedDate(int year, int month, int day) {
    TDateTime result = 0;
    const int last = DaysInMonth(year, month);
    if (last == 0 || !TryEncodeDate(year, month, std::min(day, last), result)) {
        return 0;
    }
    return result;
}

} // namespace

TDateTime StoredToDate(std::string_view stored) {
    if (stored.size() != 8) {
        return 0;
    }
    const int year = StoredPart(stored, 1, 4);
    const int month = StoredPart(stored, 5, 2);
    const int day = StoredPart(stored, 7, 2);
    TDateTime date = 0;
    if (year == 0 || month == 0 || day == 0 || !TryEncodeDate(year, month, day, date)) {
        return 0;
    }
    return date;
}

bool IsValidStoredDate(std::string_view text) {
    if (text.empty()) {
        return true;
    }
    std::int32_t year = 0, month = 0, day = 0;
    TDateTime unused = 0;
    if (!TryStrToInt(Copy(text, 1, 4), year) || !TryStrToInt(Copy(text, 5, 2), month) ||
        !TryStrToInt(Copy(text, 7, 2), day) || !TryEncodeDate(year, month, day, unused)) {
        return false;
    }
    return text >= "17530101" && text <= "99991231";
}

std::string FormatDisplayDate(int code, std::string_view separator, TDateTime date) {
    if (date == 0) {
        return {};
    }
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    const std::string s = SeparatorOf(separator);
    switch (code) {
    case dfYearMonthDay:
        return Format("%.4d%s%.2d%s%.2d", {y, s, m, s, d});
    case dfMonthDayYear:
        return Format("%.2d%s%.2d%s%.4d", {m, s, d, s, y});
    case dfDayMonthYear:
        return Format("%.2d%s%.2d%s%.4d", {d, s, m, s, y});
    case dfTwoDigitRepublicYear:
        return Format("%.2d%s%.2d%s%.2d", {y - kRepublicYearOffset, s, m, s, d});
    case dfThreeDigitRepublicYear:
        return Format("%.3d%s%.2d%s%.2d", {y - kRepublicYearOffset, s, m, s, d});
    default:
        return {};
    }
}

std::string FormatDisplayYearMonth(int code, std::string_view separator, TDateTime date) {
    if (date == 0) {
        return {};
    }
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    const std::string s = SeparatorOf(separator);
    switch (code) {
    case dfYearMonthDay:
        return Format("%.4d%s%.2d", {y, s, m});
    case dfMonthDayYear:
    case dfDayMonthYear:
        return Format("%.2d%s%.4d", {m, s, y});
    case dfTwoDigitRepublicYear:
        return Format("%.2d%s%.2d", {y - kRepublicYearOffset, s, m});
    case dfThreeDigitRepublicYear:
        return Format("%.3d%s%.2d", {y - kRepublicYearOffset, s, m});
    default:
        return {};
    }
}

TDateTime ParseDisplayDate(std::string_view text, int code, std::string_view separator) {
    if (Trim(text).empty()) {
        return 0;
    }
    std::string rest(text);
    const int p1 = DisplayPart(rest, separator);
    const int p2 = DisplayPart(rest, separator);
    const int p3 = DisplayPart(rest, separator);
    if (p1 <= 0 || p2 <= 0 || p3 <= 0 || code < dfYearMonthDay || code > dfThreeDigitRepublicYear) {
        return 0;
    }
    switch (code) {
    case dfYearMonthDay:
        return MonthStartPlus(p1, p2, p3 - 1);
    case dfMonthDayYear:
        return MonthStartPlus(p3, p1, p2 - 1);
    case dfDayMonthYear:
        return MonthStartPlus(p3, p2, p1 - 1);
    default:
        return MonthStartPlus(p1 + kRepublicYearOffset, p2, p3 - 1);
    }
}

std::string AddToStoredDate(const Variant& value, std::string_view unit, int n) {
    TDateTime date = 0;
    if (VarIsStr(value)) {
        date = StoredToDate(VarToStr(value));
    } else if (value.VarType() == varDate) {
        date = value.AsDate();
    } else {
        return {};
    }
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    if (date == 0 || y == 0) {
        return {};
    }
    TDateTime result = 0;
    if (SameText(unit, "D")) {
        result = DatePart(date) + n;
    } else if (SameText(unit, "M")) {
        const int months = y * 12 + m + n;
        const int month = months % 12 == 0 ? 12 : months % 12;
        const int year = (months - month) / 12;
        result = ClampedDate(year, month, d);
    } else if (SameText(unit, "Y")) {
        result = ClampedDate(y + n, m, d);
    } else {
        return {};
    }
    int ry = 0, rm = 0, rd = 0;
    DecodeDate(result, ry, rm, rd);
    if (result == 0 || ry == 0) {
        return {};
    }
    return FormatDateTime("yyyymmdd", result);
}

int DaysInMonth(int year, int month) {
    return DaysInAMonth(year, month);
}

} // namespace kvc::services

#include "runtime/datetime.h"
#include "runtime/exceptions.h"

#include <gtest/gtest.h>

namespace kvc {
namespace {

TEST(DayCount, EncodeAndDecodeAgreeAcrossTheRange) {
    struct Case {
        int y, m, d;
        double days;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},    {1900, 1, 1, 2},    {1899, 12, 29, -1},      {2000, 1, 1, 36526},
        {2024, 2, 29, 45351}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(EncodeDate(c.y, c.m, c.d), c.days) << c.y << "-" << c.m << "-" << c.d;
        int y = 0, m = 0, d = 0;
        DecodeDate(c.days, y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
    }
    TDateTime unused = 0;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, unused));
    EXPECT_FALSE(TryEncodeDate(2024, 13, 1, unused));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, unused));
    EXPECT_THROW(EncodeDate(2024, 4, 31), EConvertError);
}

TEST(DayCount, TimeOfDayOnBothSidesOfDayZero) {
    const TDateTime t = EncodeTime(13, 45, 30, 250);
    int h = 0, n = 0, s = 0, z = 0;
    DecodeTime(EncodeDate(2024, 5, 7) + t, h, n, s, z);
    EXPECT_EQ((std::array{h, n, s, z}), (std::array{13, 45, 30, 250}));
    // Before day zero the fraction counts away from zero: -1.25 is 1899-12-29 06:00.
    DecodeTime(-1.25, h, n, s, z);
    EXPECT_EQ(h, 6);
    EXPECT_DOUBLE_EQ(CombineDateTime(-1, 0.25), -1.25);
    DecodeTime(0.99999999999, h, n, s, z); // rounding never gives hour 24
    EXPECT_EQ(h, 23);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

TEST(Calendar, DayOfWeekAndIncMonth) {
    EXPECT_EQ(DayOfWeek(0), 7);                        // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 12, 1)), 1);  // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 25)), 2); // Monday, before day zero
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31), -13), EncodeDate(2023, 2, 28));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 11, 15), 2), EncodeDate(2025, 1, 15));
    EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2024, 1, 1) + 0.5, 1), EncodeDate(2024, 2, 1) + 0.5);
    EXPECT_EQ(DaysInAMonth(1900, 2), 28);
    EXPECT_EQ(DaysInAMonth(2000, 2), 29);
    EXPECT_EQ(DaysInAMonth(2024, 0), 0);
}

TEST(Clock, NowFollowsTheProcessClock) {
    const TDateTime moment = EncodeDate(2024, 5, 7) + EncodeTime(8, 30, 0, 0);
    {
        ScopedFixedClock clock(moment);
        EXPECT_DOUBLE_EQ(Now(), moment);
        EXPECT_DOUBLE_EQ(Date(), EncodeDate(2024, 5, 7));
        EXPECT_NEAR(Time(), EncodeTime(8, 30, 0, 0), 1e-9);
        clock.Set(moment + 1);
        EXPECT_DOUBLE_EQ(Date(), EncodeDate(2024, 5, 8));
    }
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1)); // the system clock is back
}

TEST(FormatDateTime, SpecifierTable) {
    const TDateTime value = EncodeDate(2024, 5, 7) + EncodeTime(14, 3, 9, 45);
    struct Case {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"yyyy-mm-dd", "2024-05-07"},
        {"yy/m/d", "24/5/7"},
        {"YYYYMMDDHHMMSS", "20240507140309"}, // MM after HH is minutes
        {"hh:mm", "14:03"},
        {"hh:nn:ss.zzz", "14:03:09.045"},
        {"h:n:s.z", "14:3:9.45"},
        {"mmm mmmm ddd dddd", "May May Tue Tuesday"},
        {"h am/pm", "2 pm"},
        {"hh a/p", "02 p"},
        {"hh ampm", "02 PM"},
        {"'yyyy' \"mm\" yyyy", "yyyy mm 2024"},
        {"c", "2024/05/07 14:03:09"},
        {"ddddd t", "2024/05/07 14:03"},
        {"yyyy'年'm'月'", "2024年5月"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDateTime(c.format, value), c.expected) << c.format;
    }
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 5, 7)), "2024/05/07");
}

TEST(FormatDateTime, SeparatorsComeFromTheSettings) {
    TFormatSettings settings;
    settings.DateSeparator = '-';
    settings.TimeSeparator = '.';
    settings.ShortDateFormat = "d/m/yyyy";
    ScopedFormatSettings scoped(settings);
    const TDateTime value = EncodeDate(2024, 5, 7) + EncodeTime(9, 5, 0, 0);
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn", value), "2024-05-07 09.05");
    EXPECT_EQ(DateToStr(value), "7-5-2024");
}

TEST(StrToDate, ReadsInTheOrderOfTheShortDateFormat) {
    ScopedFixedClock clock(EncodeDate(2024, 6, 1));
    struct Case {
        const char* shortFormat;
        const char* text;
        int y, m, d; // y == 0: refused
    };
    const Case cases[] = {
        {"yyyy/mm/dd", "2024/05/07", 2024, 5, 7},
        {"yyyy/mm/dd", " 2024 / 5 / 7 ", 2024, 5, 7},
        {"yyyy/mm/dd", "5/7", 2024, 5, 7},
        {"yyyy/mm/dd", "24/5/7", 2024, 5, 7},
        {"yyyy/mm/dd", "80/5/7", 1980, 5, 7}, // century window of 50 years
        {"yyyy/mm/dd", "74/5/7", 1974, 5, 7},
        {"yyyy/mm/dd", "73/5/7", 2073, 5, 7},
        {"m/d/yyyy", "5/7/2024", 2024, 5, 7},
        {"dd/mm/yyyy", "7/5/2024", 2024, 5, 7},
        {"dd/mm/yyyy", "7/5", 2024, 5, 7},
        {"yyyy/mm/dd", "2023/02/29", 0, 0, 0},
        {"yyyy/mm/dd", "2024-05-07", 0, 0, 0},
        {"yyyy/mm/dd", "2024/05/07x", 0, 0, 0},
        {"yyyy/mm/dd", "", 0, 0, 0},
        {"yyyy/mm/dd", "2024", 0, 0, 0},
        {"yyyy/mm/dd", "99999999999/1/1", 0, 0, 0},
    };
    for (const auto& c : cases) {
        TFormatSettings settings;
        settings.ShortDateFormat = c.shortFormat;
        ScopedFormatSettings scoped(settings);
        TDateTime date = 0;
        const bool ok = TryStrToDate(c.text, date);
        EXPECT_EQ(ok, c.y != 0) << c.shortFormat << " " << c.text;
        if (ok && c.y != 0) {
            EXPECT_EQ(date, EncodeDate(c.y, c.m, c.d)) << c.text;
        }
    }
    EXPECT_THROW(StrToDate("2024/13/01"), EConvertError);
    EXPECT_DOUBLE_EQ(StrToDateDef("bad", -1), -1);
}

TEST(StrToDateTime, DateTimeAndTimeTexts) {
    EXPECT_DOUBLE_EQ(StrToDateTime("2024/05/07 14:03:09"),
                     EncodeDate(2024, 5, 7) + EncodeTime(14, 3, 9, 0));
    EXPECT_DOUBLE_EQ(StrToDateTime("2024/05/07"), EncodeDate(2024, 5, 7));
    EXPECT_DOUBLE_EQ(StrToTime("2:30 PM"), EncodeTime(14, 30, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("12:00 AM"), 0);
    EXPECT_DOUBLE_EQ(StrToTime("23:59:59.999"), EncodeTime(23, 59, 59, 999));
    for (const char* bad : {"25:00", "13:00 PM", "10:", "x", "2024/05/07 10:61"}) {
        TDateTime value = 0;
        EXPECT_FALSE(TryStrToDateTime(bad, value)) << bad;
    }
    EXPECT_THROW(StrToDateTime("nonsense"), EConvertError);
}

} // namespace
} // namespace kvc

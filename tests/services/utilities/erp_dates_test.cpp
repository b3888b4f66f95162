#include "runtime/variant.h"
#include "services/utilities/erp_dates.h"

#include <gtest/gtest.h>

namespace kvc::services {
namespace {

TEST(StoredDates, ReadAndValidate) {
    EXPECT_EQ(StoredToDate("20240507"), EncodeDate(2024, 5, 7));
    for (const char* bad :
         {"", "2024057", "202405070", "20240230", "00000507", "2024x507", "20241301", "2024-5-7"}) {
        EXPECT_EQ(StoredToDate(bad), 0) << bad;
    }
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"", true},          {"20240229", true},  {"20230229", false},
        {"17521231", false}, {"17530101", true},  {"99991231", true},
        {"2024013", true},   {"2024ab01", false}, {"abc", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidStoredDate(c.text), c.valid) << c.text;
    }
}

TEST(DisplayDates, FormatByCode) {
    const TDateTime date = EncodeDate(2024, 1, 15);
    const char* expected[] = {
        "", "2024/01/15", "01/15/2024", "15/01/2024", "113/01/15", "113/01/15", ""};
    for (int code = 0; code <= 6; ++code) {
        EXPECT_EQ(FormatDisplayDate(code, "/", date), expected[code]) << code;
    }
    EXPECT_EQ(FormatDisplayDate(1, "-x", date), "2024-01-15"); // the first character only
    EXPECT_EQ(FormatDisplayDate(1, "", date), "20240115");
    EXPECT_EQ(FormatDisplayDate(1, "/", 0), "");
    EXPECT_EQ(FormatDisplayDate(4, "/", EncodeDate(1950, 3, 4)), "39/03/04");

    const char* yearMonth[] = {"", "2024/01", "01/2024", "01/2024", "113/01", "113/01"};
    for (int code = 0; code <= 5; ++code) {
        EXPECT_EQ(FormatDisplayYearMonth(code, "/", date), yearMonth[code]) << code;
    }
}

TEST(DisplayDates, ParseByCode) {
    struct Case {
        const char* text;
        int code;
        const char* separator;
        TDateTime expected;
    };
    const Case cases[] = {
        {"2024/02/30", 1, "/", EncodeDate(2024, 3, 1)}, // runs into the next month
        {"2024/5/7", 1, "/", EncodeDate(2024, 5, 7)},
        {" 05 / 07 / 2024 ", 2, "/", EncodeDate(2024, 5, 7)},
        {"07/05/2024", 3, "/", EncodeDate(2024, 5, 7)},
        {"113/01/15", 5, "/", EncodeDate(2024, 1, 15)},
        {"13/01/15", 4, "/", EncodeDate(1924, 1, 15)},
        {"2024--05--07", 1, "--", EncodeDate(2024, 5, 7)},
        {"2024/13/01", 1, "/", 0},
        {"2024/0/1", 1, "/", 0},
        {"2024/05/", 1, "/", 0},
        {"2024/05/07", 6, "/", 0},
        {"   ", 1, "/", 0},
        {"a/b/c", 1, "/", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDisplayDate(c.text, c.code, c.separator), c.expected) << c.text;
    }
}

TEST(StoredDates, AddUnits) {
    struct Case {
        Variant value;
        const char* unit;
        int n;
        const char* expected;
    };
    const Case cases[] = {
        {"20240131", "M", 1, "20240229"},
        {"20240131", "D", -31, "20231231"},
        {"20240229", "Y", 1, "20250228"},
        {"20240331", "m", 1, "20240430"},
        {"20241215", "M", 1, "20250115"},
        {"20240115", "M", -1, "20231215"},
        {"20240131", "W", 1, ""},
        {"2024013", "D", 1, ""},
        {Variant::FromDate(EncodeDate(2024, 5, 7) + 0.5), "D", 1, "20240508"},
        {Variant::FromDate(0), "D", 1, ""},
        {Variant(20240131), "D", 1, ""},
        {Variant(), "D", 1, ""},
        {"99991231", "D", 1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddToStoredDate(c.value, c.unit, c.n), c.expected) << c.unit << c.n;
    }
}

TEST(Calendar, DaysInMonth) {
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2024, 13), 0);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
}

} // namespace
} // namespace kvc::services

#include "runtime/datetime.h"
#include "runtime/exceptions.h"
#include "runtime/strings.h"

#include <gtest/gtest.h>

namespace kvc {
namespace {

TEST(Trim, RemovesControlCharactersAndSpacesOnly) {
    EXPECT_EQ(Trim(" \t\r\n abc \x01"), "abc");
    EXPECT_EQ(TrimLeft("  a b  "), "a b  ");
    EXPECT_EQ(TrimRight("  a b  "), "  a b");
    EXPECT_EQ(Trim("　全角　"), "　全角　"); // an ideographic space is not a blank
    EXPECT_EQ(Trim("   "), "");
}

TEST(Case, UpperCaseTouchesAsciiOnlyAnsiUpperCaseEveryLetter) {
    EXPECT_EQ(UpperCase("abc-äöü-工单"), "ABC-äöü-工单");
    EXPECT_EQ(AnsiUpperCase("abc-äöü-ÿ-ā-ł-αβς-жё-ａｂ-工单"), "ABC-ÄÖÜ-Ÿ-Ā-Ł-ΑΒΣ-ЖЁ-ＡＢ-工单");
    EXPECT_EQ(AnsiLowerCase("ABC-ÄÖÜ-Ÿ-Ā-Ł-ΑΒ-ЖЁ-ＡＢ"), "abc-äöü-ÿ-ā-ł-αβ-жё-ａｂ");
    EXPECT_EQ(LowerCase("ÄBC"), "Äbc");
    EXPECT_EQ(AnsiUpperCase("a\xFF\xC3"), "A\xFF\xC3"); // invalid bytes pass through unchanged
}

TEST(Compare, TextComparisonsIgnoreCaseAsTheirNamesSay) {
    EXPECT_TRUE(SameText("WVTR57", "wvtr57"));
    EXPECT_FALSE(SameText("Ä", "ä"));
    EXPECT_TRUE(AnsiSameText("Ä", "ä"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
    EXPECT_LT(CompareStr("B", "a"), 0);
}

TEST(Integers, ReadAndWriteTheClassicWay) {
    struct Case {
        const char* text;
        bool ok;
        std::int32_t value;
    };
    const Case cases[] = {
        {"42", true, 42},
        {"  -17", true, -17},
        {"+8", true, 8},
        {"$1A", true, 26},
        {"0x1a", true, 26},
        {"$FFFFFFFF", true, -1},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"", false, 0},
        {"12 ", false, 0},
        {"1.5", false, 0},
        {"abc", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"９", false, 0},
    };
    for (const auto& c : cases) {
        std::int32_t value = 0;
        EXPECT_EQ(TryStrToInt(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
    EXPECT_THROW(StrToInt("x1"), EConvertError);
    EXPECT_EQ(StrToIntDef("x1", -1), -1);
    EXPECT_EQ(StrToInt64("9000000000"), 9000000000LL);
    EXPECT_EQ(IntToStr(-5), "-5");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
}

TEST(Floats, ReadWithTheSettingsDecimalSeparator) {
    EXPECT_DOUBLE_EQ(StrToFloat(" 2.5 "), 2.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-1e3"), -1000);
    EXPECT_DOUBLE_EQ(StrToFloat("+.5"), 0.5);
    for (const char* bad : {"", "abc", "1.2.3", "inf", "nan", "1,5", "e5", "1e", "1 2"}) {
        double value = 0;
        EXPECT_FALSE(TryStrToFloat(bad, value)) << bad;
    }
    EXPECT_THROW(StrToFloat("x"), EConvertError);
    EXPECT_DOUBLE_EQ(StrToFloatDef("x", 7.5), 7.5);

    TFormatSettings comma;
    comma.DecimalSeparator = ',';
    ScopedFormatSettings scoped(comma);
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    double value = 0;
    EXPECT_FALSE(TryStrToFloat("1.5", value));
    EXPECT_EQ(FloatToStr(1.5), "1,5");
}

TEST(Floats, WriteShortestGeneralForm) {
    EXPECT_EQ(FloatToStr(2.5), "2.5");
    EXPECT_EQ(FloatToStr(100), "100");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(1.5e-5), "1.5E-5");
    EXPECT_EQ(FloatToStr(-0.0001), "-0.0001");
}

TEST(Substrings, PosAndCopyAreOneBased) {
    EXPECT_EQ(Pos("b", "abc"), 2);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abcdef", 0, 2), "ab");
    EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
    EXPECT_EQ(Copy("abcdef", 7, 1), "");
    EXPECT_EQ(Copy("abcdef", 2, -1), "");
}

TEST(StringReplace, OnePassLeftToRight) {
    using enum ReplaceFlags;
    EXPECT_EQ(StringReplace("a-b-c", "-", "", ReplaceAll), "abc");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", None), "a+b-c");
    EXPECT_EQ(StringReplace("aa", "a", "aa", ReplaceAll), "aaaa"); // replaced text is not searched
    EXPECT_EQ(StringReplace("Abc abc", "ABC", "x", ReplaceAll | IgnoreCase), "x x");
    EXPECT_EQ(StringReplace("abc", "", "x", ReplaceAll), "abc");
}

TEST(Texts, QuotedStrAndUtf8Length) {
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(Utf8Length("工单ab"), 4u);
    EXPECT_EQ(Utf8Length("\xE5\xB7"), 2u); // a cut character counts byte by byte
}

} // namespace
} // namespace kvc

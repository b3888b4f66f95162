#include "platform/codepage.h"
#include "runtime/exceptions.h"

#include <gtest/gtest.h>

namespace kvc {
namespace {

struct RoundTrip {
    int codePage;
    const char* text;
    const char* bytes;
};

TEST(CodePageTest, ConvertsChineseTextsBothWays) {
    const RoundTrip cases[] = {
        {936, "工单欠料表", "\xB9\xA4\xB5\xA5\xC7\xB7\xC1\xCF\xB1\xED"},
        {950, "備料", "\xB3\xC6\xAE\xC6"},
        {950, "工單欠料表", "\xA4\x75\xB3\xE6\xA4\xED\xAE\xC6\xAA\xED"},
        {936, "WVTR57 后台处理", "WVTR57 \xBA\xF3\xCC\xA8\xB4\xA6\xC0\xED"},
        {54936, "工单", "\xB9\xA4\xB5\xA5"},
        {54936, "\xF0\xA0\x80\x80", "\x95\x32\x82\x36"}, // U+20000, four bytes in GB18030
        {1252, "café €", "caf\xE9 \x80"},
        {437, "é", "\x82"},
        {65001, "備料", "備料"},
        {936, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CodePageConverter converter(c.codePage);
        EXPECT_EQ(converter.CodePage(), c.codePage);
        EXPECT_EQ(converter.Encode(c.text), c.bytes);
        EXPECT_EQ(converter.Decode(c.bytes), c.text);
        EXPECT_EQ(Utf8ToCodePage(c.text, c.codePage), c.bytes);
        EXPECT_EQ(CodePageToUtf8(c.bytes, c.codePage), c.text);
    }
}

TEST(CodePageTest, UnconvertibleCharactersBecomeQuestionMarks) {
    const RoundTrip cases[] = {
        {950, "工单", "\xA4\x75?"}, // 单 is simplified only
        {936, "a€b",
         "a\x80"
         "b"}, // Windows 936 has the euro at 0x80
        {1252, "工单 ok", "?? ok"},
        {437, "€1", "?1"},
        {936, "a\xF0\x9F\x98\x80z", "a?z"}, // an emoji, outside GBK
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Utf8ToCodePage(c.text, c.codePage), c.bytes);
    }
}

TEST(CodePageTest, InvalidInputBytesBecomeQuestionMarks) {
    struct Case {
        int codePage;
        std::string bytes;
        const char* text;
    };
    const Case decodes[] = {
        {936, "\xB9\xA4\xFF\xB5\xA5", "工?单"}, // 0xFF is no lead byte
        {936, "ab\xB9", "ab?"},                 // cut off in the middle of a character
        {950, "\xFF\xB3\xC6", "?備"},
        {950, "\xA4\x7F!", "?\x7F!"},     // 0x7F is no trail byte: one "?" for the lead
        {65001, "a\xC3(b", "a?(b"},       // broken UTF-8
        {65001, "\xED\xA0\x80x", "???x"}, // an encoded surrogate
        {936, "\x81 x", "? x"},           // 0x20 is no trail byte
    };
    for (const auto& c : decodes) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CodePageToUtf8(c.bytes, c.codePage), c.text);
    }
    EXPECT_EQ(CodePageToUtf8(std::string("a\0b", 3), 936), std::string("a\0b", 3));
    // Invalid UTF-8 given to Encode costs one "?" per bad byte.
    EXPECT_EQ(Utf8ToCodePage("x\xFF\xFEy", 936), "x??y");
    EXPECT_EQ(Utf8ToCodePage("\xE5\xB7", 936), "?");
}

TEST(CodePageTest, ReusesTheOutputAndHandlesLongTexts) {
    CodePageConverter converter(936);
    std::string out = "old contents that are longer than the result";
    converter.Encode("工单", out);
    EXPECT_EQ(out, "\xB9\xA4\xB5\xA5");
    std::string longText;
    for (int i = 0; i < 5000; ++i) {
        longText += "工单欠料表 ";
    }
    std::string bytes = converter.Encode(longText);
    EXPECT_EQ(bytes.size(), 5000u * 11);
    EXPECT_EQ(converter.Decode(bytes), longText);
    // The handles keep no state from one call to the next.
    EXPECT_EQ(converter.Decode("\xB9"), "?");
}

TEST(CodePageTest, RefusesCodePagesItCannotConvert) {
    EXPECT_TRUE(IsCodePageSupported(936));
    EXPECT_TRUE(IsCodePageSupported(950));
    EXPECT_TRUE(IsCodePageSupported(1250)); // any "CP<n>" the C library knows
    EXPECT_FALSE(IsCodePageSupported(12345));
    try {
        CodePageConverter converter(12345);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Code page 12345 is not supported");
    }
    EXPECT_THROW(Utf8ToCodePage("x", -1), EConvertError);
}

TEST(CodePageTest, ConvertersMove) {
    CodePageConverter a(950);
    CodePageConverter b(std::move(a));
    EXPECT_EQ(b.Encode("備"), "\xB3\xC6");
    CodePageConverter c(936);
    c = std::move(b);
    EXPECT_EQ(c.CodePage(), 950);
    EXPECT_EQ(c.Decode("\xAE\xC6"), "料");
}

} // namespace
} // namespace kvc

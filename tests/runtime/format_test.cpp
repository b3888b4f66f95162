#include "runtime/datetime.h"
#include "runtime/exceptions.h"
#include "runtime/format.h"

#include <gtest/gtest.h>

namespace kvc {
namespace {

TEST(Format, PlaceholdersTable) {
    struct Case {
        const char* format;
        std::vector<FormatArg> args;
        const char* expected;
    };
    const Case cases[] = {
        {"%s-%d", {"a", 5}, "a-5"},
        {"%.2d", {5}, "05"},
        {"%.4d%s%.2d%s%.2d", {2024, "/", 1, "/", 15}, "2024/01/15"},
        {"%.3d", {-5}, "-005"},
        {"%.2d", {123}, "123"},
        {"%5s|%-5s|", {"ab", "cd"}, "   ab|cd   |"},
        {"%3s", {"工单"}, " 工单"},
        {"%.1s", {"工单"}, "工"},
        {"%x %.4x", {255, 10}, "FF 000A"},
        {"%u", {-1}, "4294967295"},
        {"%f %.1f %.0f", {2.5, 2.26, 3.0}, "2.50 2.3 3"},
        {"%g", {2.5}, "2.5"},
        {"%e", {1234.5}, "1.23450000000000E+003"},
        {"%.3e", {-0.5}, "-5.00E-001"},
        {"%n", {1234567.891}, "1,234,567.89"},
        {"100%%", {}, "100%"},
        {"%1:s %0:s %s", {"a", "b"}, "b a b"},
        {"%*d|%-*d|", {3, 7, 3, 7}, "  7|7  |"},
        {"%D %S", {1, "x"}, "1 x"},
        {"", {}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.format, std::span<const FormatArg>(c.args)), c.expected) << c.format;
    }
}

TEST(Format, RefusesArgumentsThatDoNotFit) {
    struct Case {
        const char* format;
        std::vector<FormatArg> args;
    };
    const Case cases[] = {
        {"%d", {"text"}}, {"%s", {5}}, {"%f", {5}}, {"%d", {2.5}},
        {"%", {}},        {"%.", {1}}, {"%z", {1}}, {"%*d", {"x", 1}},
    };
    for (const auto& c : cases) {
        EXPECT_THROW(Format(c.format, std::span<const FormatArg>(c.args)), EConvertError)
            << c.format;
    }
    try {
        Format("%d", {"x"});
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Format '%d' invalid or incompatible with argument");
    }
    EXPECT_THROW(Format("%s %s", {"only one"}), EConvertError);
}

TEST(Format, FloatsFollowTheSettingsSeparators) {
    TFormatSettings settings;
    settings.DecimalSeparator = ',';
    settings.ThousandSeparator = '.';
    ScopedFormatSettings scoped(settings);
    EXPECT_EQ(Format("%.2f", {1.5}), "1,50");
    EXPECT_EQ(Format("%n", {-1234.5}), "-1.234,50");
}

} // namespace
} // namespace kvc

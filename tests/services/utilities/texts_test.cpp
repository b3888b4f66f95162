#include "services/utilities/texts.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace kvc::services {
namespace {

TEST(Tokens, CutGetAndCount) {
    std::string text = "a#b#c";
    EXPECT_EQ(CutToken(text, "#"), "a");
    EXPECT_EQ(text, "b#c");
    std::string single = "abc";
    EXPECT_EQ(CutToken(single, "#"), "abc");
    EXPECT_EQ(single, "");

    struct Case {
        const char* text;
        const char* separator;
        int n;
        const char* token;
    };
    const Case cases[] = {
        {"a#b#c", "#", 3, "c"}, {"a#b#c", "#", 4, ""},     {"a#b#", "#", 3, ""},
        {"a#b#c", "#", 0, ""},  {"a<>b<>c", "<>", 2, "b"}, {"abc", "", 1, "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetToken(c.text, c.separator, c.n), c.token) << c.text << " " << c.n;
    }
    EXPECT_EQ(TokenCount("a#b#", "#"), 3);
    EXPECT_EQ(TokenCount("", "#"), 0);
    EXPECT_EQ(TokenCount("abc", "#"), 1);
    EXPECT_EQ(TokenCount("a###b", "##"), 2); // each occurrence is counted once
    EXPECT_EQ(TokenCount("a####b", "##"), 3);
}

TEST(ReplaceAll, ReplacesEveryOccurrenceAndAlwaysEnds) {
    struct Case {
        const char* text;
        const char* oldText;
        const char* newText;
        bool trim;
        const char* expected;
    };
    const Case cases[] = {
        {"a-b-c", "-", "", false, "abc"},
        {"xyz", "x", "X", false, "xyz"},     // equal ignoring case: nothing changes
        {"a    b", "  ", " ", false, "a b"}, // a shorter replacement collapses runs
        {"Ab-aB", "ab", "c", false, "c-c"},  // letter case ignored in the search
        {" 5101-0001 ", "-", "", true, "51010001"},
        {"aa", "a", "aa", false, "aaaa"}, // contains the searched text: one pass
        {"abab", "ab", "ba", false, "baba"},
        {"text", "", "x", false, "text"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text, c.oldText, c.newText, c.trim), c.expected) << c.text;
    }
}

TEST(PadRight, PadsByCharactersAndNeverCuts) {
    EXPECT_EQ(PadRight("5101", 11), "5101       ");
    EXPECT_EQ(PadRight("123456789012", 11), "123456789012");
    EXPECT_EQ(PadRight("工厂", 4, '.'), "工厂..");
    EXPECT_EQ(PadRight("abc", -1), "abc");
}

TEST(SmallHelpers, FloatDefaultAndLocalAddress) {
    EXPECT_DOUBLE_EQ(StrToFloatDefault("2.5", 0), 2.5);
    EXPECT_DOUBLE_EQ(StrToFloatDefault("2.5x", -1), -1);
    EXPECT_DOUBLE_EQ(StrToFloatDefault("", -1), -1);
    EXPECT_TRUE(IsLocalAddress("127.0.0.1"));
    for (const char* other : {"localhost", "127.0.0.2", " 127.0.0.1", ""}) {
        EXPECT_FALSE(IsLocalAddress(other)) << other;
    }
}

TEST(SmallHelpers, TempFolderIsAWindowsFolder) {
    const char* saved = std::getenv("TMPDIR");
    const std::string restore = saved ? saved : "";
    setenv("TMPDIR", "/var/tmp/kvc", 1);
    EXPECT_EQ(TempFolder(), "Z:\\var\\tmp\\kvc\\");
    saved ? setenv("TMPDIR", restore.c_str(), 1) : unsetenv("TMPDIR");
}

} // namespace
} // namespace kvc::services

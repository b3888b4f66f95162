#include "runtime/datetime.h"
#include "toolkit/mask/edit_mask.h"

#include <gtest/gtest.h>

namespace kvc {
namespace {

// Types each character at the caret, as a user would, from the first position.
MaskedText Typed(std::string_view mask, std::u32string_view keys) {
    MaskedText edit{EditMask(mask)};
    std::size_t caret = 0;
    for (char32_t c : keys) {
        edit.Type(caret, c);
    }
    return edit;
}

TEST(EditMask, FieldsAndPositions) {
    const EditMask date("9999/99/99;1; ");
    EXPECT_EQ(date.Length(), 10u);
    EXPECT_TRUE(date.SaveLiterals());
    EXPECT_EQ(date.Blank(), U' ');
    EXPECT_FALSE(date.Reverse());

    const EditMask code("!aaaa\\-aaaaaaaaaaa;0; ");
    EXPECT_EQ(code.Length(), 16u);
    EXPECT_FALSE(code.SaveLiterals());
    EXPECT_TRUE(code.Reverse());
    EXPECT_EQ(code.At(4).literal, U'-');

    const EditMask defaults("000");
    EXPECT_TRUE(defaults.SaveLiterals());
    EXPECT_EQ(defaults.Blank(), U'_');
    EXPECT_TRUE(defaults.At(0).required);
    EXPECT_TRUE(EditMask("").IsEmpty());
    EXPECT_EQ(EditMask("a\\;b;0;*").Length(), 3u); // an escaped separator is a literal
}

TEST(EditMask, SystemMasksEmptyAndTyped) {
    struct Case {
        const char* mask;
        std::u32string_view keys;
        const char* editText;
        const char* text;
    };
    const Case cases[] = {
        {"9999/99/99;1; ", U"", "    /  /  ", "    /  /  "},
        {"9999/99/99;1; ", U"20240507", "2024/05/07", "2024/05/07"},
        {"99/99/9999;1; ", U"05072024", "05/07/2024", "05/07/2024"},
        {"999/99/99;1; ", U"1130115", "113/01/15", "113/01/15"},
        {"99/99/99;1; ", U"130115", "13/01/15", "13/01/15"},
        {"9999/99;1; ", U"202405", "2024/05", "2024/05"},
        {"9999/99/99;1; ", U"2024/5/7", "2024/5 /7 ", "2024/5 /7 "}, // "/" skips the month's rest
        {"9999/99/99;0; ", U"20240507", "2024/05/07", "20240507"},
        {"!aaaa\\-aaaaaaaaaaa;0; ", U"51010001", "5101-0001       ", "51010001"},
        {"!aaaa\\-aaaaaaaaaaa;0; ", U"", "    -           ", ""},
        {"000;1;_", U"1x2", "12_", "12 "}, // a character that does not fit is refused
        {">LL<ll;1;_", U"abCD", "ABcd", "ABcd"},
    };
    for (const auto& c : cases) {
        const MaskedText edit = Typed(c.mask, c.keys);
        EXPECT_EQ(edit.EditText(), c.editText) << c.mask;
        EXPECT_EQ(edit.Text(), c.text) << c.mask;
    }
}

TEST(EditMask, DateSeparatorComesFromTheSettings) {
    TFormatSettings settings;
    settings.DateSeparator = '-';
    ScopedFormatSettings scoped(settings);
    EXPECT_EQ(Typed("9999/99/99;1; ", U"20240507").Text(), "2024-05-07");
}

TEST(EditMask, SettingTextPlacesCharactersInOrder) {
    MaskedText edit{EditMask("9999/99/99;1; ")};
    edit.SetText("2024/05/07");
    EXPECT_EQ(edit.EditText(), "2024/05/07");
    edit.SetText("20240507"); // without literals the characters still land in order
    EXPECT_EQ(edit.EditText(), "2024/05/07");
    edit.SetText("");
    EXPECT_TRUE(edit.IsBlank());

    MaskedText code{EditMask("!aaaa\\-aaaaaaaaaaa;0; ")};
    code.SetText("5101-0001");
    EXPECT_EQ(code.Text(), "51010001");
    EXPECT_EQ(code.EditText(), "5101-       0001"); // "!" keeps the blanks in front
}

TEST(EditMask, StripMaskKeepsOnlyTheEnteredCharacters) {
    struct Case {
        const char* text;
        const char* mask;
        const char* expected;
    };
    const Case cases[] = {
        {"5101-0001", "!aaaa\\-aaaaaaaaaaa;0; ", "51010001"},
        {"5101-0001", "!aaaa\\-aaaaaaaaaaa;1; ", "51010001"},
        {"2024/05/07", "9999/99/99;1; ", "20240507"},
        {"    /  /  ", "9999/99/99;1; ", ""},
        {"abc", "", "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StripMask(c.text, c.mask), c.expected) << c.text << " " << c.mask;
    }
}

TEST(EditMask, SwitchingTheSaveFieldKeepsEveryCell) {
    MaskedText edit = Typed("!aaaa\\-aaaaaaaaaaa;0; ", U"51010001");
    edit.SetMask(EditMask("!aaaa\\-aaaaaaaaaaa;1; "));
    EXPECT_EQ(edit.Text(), "5101-0001       ");
    edit.SetMask(EditMask("!aaaa\\-aaaaaaaaaaa;0; "));
    EXPECT_EQ(edit.Text(), "51010001");

    edit.SetMask(EditMask("9999/99/99;1; ")); // another layout takes the entered characters
    EXPECT_EQ(edit.EditText(), "5101/00/01");
    edit.SetMask(EditMask(""));
    EXPECT_EQ(edit.Text(), "51010001");
}

TEST(EditMask, EditingAndValidation) {
    MaskedText edit = Typed("00/00;1;_", U"1234");
    std::size_t caret = 5;
    edit.Backspace(caret);
    EXPECT_EQ(caret, 4u);
    EXPECT_EQ(edit.EditText(), "12/3_");
    std::size_t invalid = 0;
    EXPECT_FALSE(edit.Validate(invalid));
    EXPECT_EQ(invalid, 4u);
    edit.Delete(0);
    EXPECT_EQ(edit.EditText(), "_2/3_");
    caret = 2;
    EXPECT_TRUE(edit.Type(caret, U'/')); // a literal typed at the literal moves past it
    EXPECT_EQ(caret, 3u);
    edit.SetEditText("12/34");
    EXPECT_TRUE(edit.Validate(invalid));

    MaskedText chinese = Typed("cccc;1;_", U"工单");
    EXPECT_EQ(chinese.EditText(), "工单__");
}

} // namespace
} // namespace kvc

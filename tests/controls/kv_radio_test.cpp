// TKvRadioButton and TKvRadioGroup: exclusivity among the TKvRadioButtons of
// one parent only, clicks, the caption offsets, the group's columns and its
// choice.
#include "controls/kv_radio.h"
#include "toolkit/class_builder.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/paint/render.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/toolkit_fixture.h"

#include <gmock/gmock.h>

namespace kvc::controls {
namespace {

using ::testing::ElementsAre;

class TfrmRadioHost : public TForm {
    KVC_CLASS(TfrmRadioHost, TForm)
public:
    std::vector<std::string> log;
    void RadioClick(TObject* sender) {
        log.push_back("click " + static_cast<TControl*>(sender)->GetCaption());
    }
    void GroupClick(TObject* sender) {
        log.push_back("group " +
                      std::to_string(static_cast<TKvRadioGroup*>(sender)->GetItemIndex()));
    }
    void GroupKeyPress(TObject*, char32_t& ch) { log.push_back("key " + std::to_string(ch)); }
};

} // namespace

KVC_REGISTER_CLASS(TfrmRadioHost) {
    KVC_METHOD(RadioClick);
    KVC_METHOD(GroupClick);
    KVC_METHOD(GroupKeyPress);
}

namespace {

TStringList ListOf(std::initializer_list<const char*> texts) {
    TStringList list;
    for (const char* text : texts) {
        list.Add(text);
    }
    return list;
}

class KvRadioTest : public test::ToolkitTest {
protected:
    void SetUp() override {
        form = NewForm<TfrmRadioHost>();
        form->SetBounds(0, 0, 500, 400);
        panel = Create<TPanel>(form);
        panel->SetParent(form);
        panel->SetBounds(0, 0, 300, 200);
        form->Show();
    }
    TKvRadioButton* NewRadio(TWinControl* parent, const char* caption) {
        auto* radio = Create<TKvRadioButton>(form);
        radio->SetParent(parent);
        radio->SetCaption(caption);
        radio->OnClick = TNotifyEvent::Bind<&TfrmRadioHost::RadioClick>(form);
        return radio;
    }
    TKvRadioGroup* NewGroup(int width, int height, std::initializer_list<const char*> items) {
        auto* group = Create<TKvRadioGroup>(form);
        group->SetParent(form);
        group->SetBounds(10, 10, width, height);
        group->SetItems(ListOf(items));
        group->OnClick = TNotifyEvent::Bind<&TfrmRadioHost::GroupClick>(form);
        return group;
    }
    TfrmRadioHost* form = nullptr;
    TPanel* panel = nullptr;
};

TEST_F(KvRadioTest, ANewButtonIsUncheckedAndRightJustified) {
    auto* radio = NewRadio(panel, "按日");
    EXPECT_EQ(radio->GetWidth(), 113);
    EXPECT_EQ(radio->GetHeight(), 17);
    EXPECT_FALSE(radio->GetChecked());
    EXPECT_EQ(radio->GetAlignment(), taRightJustify);
}

TEST_F(KvRadioTest, CheckingOneUnchecksOnlyTheOtherKvButtonsOfItsParent) {
    auto* a = NewRadio(panel, "a");
    auto* b = NewRadio(panel, "b");
    auto* c = NewRadio(panel, "c");
    auto* elsewhere = NewRadio(form, "d");
    auto* toolkit = Create<TRadioButton>(form);
    toolkit->SetParent(panel);
    toolkit->SetChecked(true);
    elsewhere->SetChecked(true);
    a->SetChecked(true);
    b->SetChecked(true);

    struct {
        const char* name;
        bool checked;
        bool actual;
    } expected[] = {{"a", false, a->GetChecked()},
                    {"b", true, b->GetChecked()},
                    {"c", false, c->GetChecked()},
                    {"another parent's", true, elsewhere->GetChecked()},
                    {"the toolkit's", true, toolkit->GetChecked()}};
    for (const auto& e : expected) {
        EXPECT_EQ(e.actual, e.checked) << e.name;
    }
    EXPECT_TRUE(b->GetTabStop());
    EXPECT_FALSE(a->GetTabStop());

    toolkit->SetChecked(false);
    toolkit->SetChecked(true);
    EXPECT_TRUE(b->GetChecked()) << "the toolkit's button leaves the KV buttons alone";
}

TEST_F(KvRadioTest, CheckingRaisesOnClickOnceAndUncheckingNothing) {
    auto* a = NewRadio(panel, "a");
    auto* b = NewRadio(panel, "b");
    robot.Click(*a);
    robot.Click(*a);
    b->SetChecked(true);
    b->SetChecked(false);
    a->SetClicksDisabled(true);
    a->SetChecked(true);
    EXPECT_THAT(form->log, ElementsAre("click a", "click b"));
}

TEST_F(KvRadioTest, TheAcceleratorFocusesWithoutChecking) {
    auto* a = NewRadio(panel, "按&W周");
    NewRadio(panel, "other");
    EXPECT_TRUE(a->DialogKey('W', {ssAlt}));
    EXPECT_TRUE(a->Focused());
    EXPECT_FALSE(a->GetChecked());
    EXPECT_FALSE(a->DialogKey('X', {ssAlt}));
}

TEST(RadioCaptionOffsetTest, GrowsWithTheFontSize) {
    const std::pair<int, int> cases[] = {
        {1, 17},  {8, 17},  {9, 19},  {15, 19}, {16, 20}, {17, 20}, {18, 21}, {23, 21},
        {24, 23}, {29, 23}, {30, 25}, {35, 25}, {36, 27}, {41, 27}, {42, 29}, {43, 29},
        {44, 31}, {60, 31}, {61, 39}, {80, 39}, {81, 44}, {0, 44},  {-9, 44},
    };
    for (auto [points, offset] : cases) {
        EXPECT_EQ(RadioCaptionOffset(points), offset) << points;
    }
}

// The first column, from x on, of the control's area (its coordinates) that
// holds text ink; -1 when none.
int FirstInkColumn(TCustomForm& form, const TControl& control, int x) {
    auto bitmap = RenderToBitmap(form);
    TPoint origin = ClientOrigin(form);
    for (; x < control.GetWidth(); ++x) {
        for (int y = 0; y < control.GetHeight(); ++y) {
            TColor c = TColor(
                bitmap->Pixel(origin.X + control.GetLeft() + x, origin.Y + control.GetTop() + y) &
                0xFFFFFF);
            if (std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < 0x60) {
                return x;
            }
        }
    }
    return -1;
}

TEST_F(KvRadioTest, TheCaptionStartsAtTheOffsetOfTheFontSize) {
    auto* radio = NewRadio(form, "国家");
    radio->SetBounds(10, 220, 200, 60);
    for (auto [points, offset] : {std::pair{8, 17}, {12, 19}, {20, 21}, {32, 25}}) {
        radio->GetFont()->SetSize(points);
        int ink = FirstInkColumn(*form, *radio, 13);
        EXPECT_GE(ink, offset) << points;
        EXPECT_LE(ink, offset + points / 3 + 2) << points;
    }
}

struct ColumnsCase {
    int items;
    int columns;
    std::vector<std::pair<int, int>> cells; // column, row of each button
};

TEST_F(KvRadioTest, TheGroupFillsItsColumnsTopDown) {
    const ColumnsCase cases[] = {
        {3, 2, {{0, 0}, {0, 1}, {1, 0}}},
        {3, 1, {{0, 0}, {0, 1}, {0, 2}}},
        {4, 2, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},
        {5, 3, {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}}},
        {2, 4, {{0, 0}, {1, 0}}},
    };
    for (const ColumnsCase& c : cases) {
        auto* group = NewGroup(210, 105, {});
        TStringList items;
        for (int i = 0; i < c.items; ++i) {
            items.Add("项目" + std::to_string(i));
        }
        group->SetItems(items);
        group->SetColumns(c.columns);
        ASSERT_EQ(group->ButtonCount(), c.items);
        int left0 = group->Buttons(0)->GetLeft();
        int top0 = group->Buttons(0)->GetTop();
        int w = group->Buttons(0)->GetWidth();
        int h = group->Buttons(0)->GetHeight();
        for (int i = 0; i < c.items; ++i) {
            const TKvGroupButton& b = *group->Buttons(i);
            EXPECT_EQ(b.GetLeft(), left0 + c.cells[std::size_t(i)].first * w)
                << c.items << " " << i;
            EXPECT_EQ(b.GetTop(), top0 + c.cells[std::size_t(i)].second * h) << c.items << " " << i;
            EXPECT_TRUE(b.GetVisible());
            EXPECT_EQ(b.GetCaption(), "项目" + std::to_string(i));
        }
        group->Free();
    }
}

TEST_F(KvRadioTest, TheGroupsArithmeticUsesItsSizeAndFontHeight) {
    auto* group = NewGroup(210, 105, {"按日", "按周", "按月"});
    group->SetColumns(2);
    TBitmap bitmap(1, 1);
    TCanvas canvas(bitmap);
    canvas.Font.Assign(*group->GetFont());
    int t = canvas.TextHeight("0");
    int rows = 2;
    int room = 105 - t - 5;
    int top = (room % rows) / 2 + t + 1;
    EXPECT_EQ(group->Buttons(0)->BoundsRect(), (TRect{8, top, 8 + 100, top + room / 2}));
    EXPECT_EQ(group->Buttons(1)->BoundsRect(),
              (TRect{8, top + room / 2, 8 + 100, top + 2 * (room / 2)}));
    EXPECT_EQ(group->Buttons(2)->BoundsRect(), (TRect{108, top, 208, top + room / 2}));

    group->SetBounds(10, 10, 310, 85);
    room = 85 - t - 5;
    top = (room % rows) / 2 + t + 1;
    EXPECT_EQ(group->Buttons(2)->BoundsRect(), (TRect{158, top, 308, top + room / 2}));

    for (auto [set, got] : {std::pair{0, 1}, {1, 1}, {16, 16}, {40, 16}}) {
        group->SetColumns(set);
        EXPECT_EQ(group->GetColumns(), got) << set;
    }
}

TEST_F(KvRadioTest, TheGroupsChoiceFollowsClicksAndItemIndex) {
    auto* group = NewGroup(210, 105, {"按日", "按周", "按月"});
    EXPECT_EQ(group->GetItemIndex(), -1);
    group->SetItemIndex(1);
    EXPECT_TRUE(group->Buttons(1)->GetChecked());
    EXPECT_TRUE(form->log.empty()) << "writing ItemIndex raises no click";

    robot.Click(*group->Buttons(2));
    EXPECT_EQ(group->GetItemIndex(), 2);
    EXPECT_FALSE(group->Buttons(1)->GetChecked());
    EXPECT_THAT(form->log, ElementsAre("group 2"));

    for (auto [set, got] : {std::pair{-5, -1}, {0, 0}, {9, 2}}) {
        group->SetItemIndex(set);
        EXPECT_EQ(group->GetItemIndex(), got) << set;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(group->Buttons(i)->GetChecked(), i == got) << set << " " << i;
        }
    }

    group->SetItems(ListOf({"甲", "乙"}));
    EXPECT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->GetItemIndex(), 1) << "cut to the last item";
    EXPECT_TRUE(group->Buttons(1)->GetChecked());
    EXPECT_EQ(group->Buttons(0)->GetCaption(), "甲");

    group->SetEnabled(false);
    EXPECT_FALSE(group->Buttons(0)->GetEnabled());
    group->SetEnabled(true);
    EXPECT_TRUE(group->Buttons(1)->GetEnabled());
}

TEST_F(KvRadioTest, AButtonsKeysReachTheGroup) {
    auto* group = NewGroup(210, 105, {"按日", "按周"});
    group->OnKeyPress = TKeyPressEvent::Bind<&TfrmRadioHost::GroupKeyPress>(form);
    robot.Focus(*group->Buttons(0));
    robot.Type(" ");
    EXPECT_THAT(form->log, ElementsAre("key 32", "group 0"));
}

} // namespace
} // namespace kvc::controls

#include "controls_form.h"
#include "runtime/datetime.h"
#include "runtime/strings.h"
#include "toolkit/class_builder.h"
#include "toolkit/form_definitions.h"
#include "toolkit/properties.h"
#include "toolkit/toolkit_fixture.h"

#include <gmock/gmock.h>

namespace kvc::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TFormatSettings SlashDates() {
    TFormatSettings settings;
    settings.DateSeparator = '/';
    return settings;
}

class ControlsTest : public ToolkitTest {
protected:
    void SetUp() override {
        form = NewForm<TfrmControls>();
        form->Show();
        form->log.clear();
    }

    ScopedFormatSettings dates{SlashDates()};
    TfrmControls* form = nullptr;
};

// Combo boxes in each style.

struct ComboCase {
    TComboBoxStyle style;
    bool editable;
};

class ComboStyles : public ControlsTest, public ::testing::WithParamInterface<ComboCase> {};

TEST_P(ComboStyles, AUserChoiceRaisesClickThenChangeAndCodeRaisesNothing) {
    TComboBox& cbo = *form->cbo01;
    cbo.SetStyle(GetParam().style);
    robot.ChooseItem(cbo, 1);
    EXPECT_THAT(form->log, ElementsAre("click 1", "change 1 Beta"));
    EXPECT_EQ(cbo.GetItemIndex(), 1);
    EXPECT_EQ(cbo.GetText(), "Beta");
    form->log.clear();

    cbo.SetItemIndex(3);
    EXPECT_EQ(cbo.GetText(), "Gamma");
    cbo.SetText("bravo");
    EXPECT_EQ(cbo.GetItemIndex(), 2) << "an item's text, letter case ignored, chooses it";
    cbo.SetText("Delta");
    EXPECT_EQ(cbo.GetItemIndex(), -1);
    EXPECT_EQ(cbo.GetText(), GetParam().editable ? "Delta" : "");
    cbo.SetItemIndex(7);
    EXPECT_EQ(cbo.GetItemIndex(), -1);
    EXPECT_EQ(cbo.GetText(), "");
    EXPECT_THAT(form->log, IsEmpty());
    EXPECT_EQ(GetOrdPropertyByName(&cbo, "ItemIndex"), -1);
}

TEST_P(ComboStyles, TypingEditsTheTextOrChoosesByFirstLetter) {
    TComboBox& cbo = *form->cbo01;
    cbo.SetStyle(GetParam().style);
    cbo.SetItemIndex(0);
    robot.Focus(cbo);
    robot.Type("b");
    if (GetParam().editable) {
        // The text was selected on entry: the letter replaces it.
        EXPECT_EQ(cbo.GetText(), "b");
        EXPECT_EQ(cbo.GetItemIndex(), -1);
        robot.Type("eta");
        EXPECT_EQ(cbo.GetItemIndex(), 1);
        EXPECT_THAT(form->log,
                    ElementsAre("change -1 b", "change -1 be", "change -1 bet", "change 1 beta"));
    } else {
        robot.Type("b");
        EXPECT_EQ(cbo.GetText(), "Bravo");
        EXPECT_THAT(form->log,
                    ElementsAre("click 1", "change 1 Beta", "click 2", "change 2 Bravo"));
    }
}

TEST_P(ComboStyles, ArrowKeysChooseTheNextItem) {
    TComboBox& cbo = *form->cbo01;
    cbo.SetStyle(GetParam().style);
    cbo.SetItemIndex(2);
    robot.Focus(cbo);
    robot.Press(VK_DOWN);
    robot.Press(VK_DOWN);
    EXPECT_EQ(cbo.GetItemIndex(), 3) << "the last item stays chosen";
    EXPECT_THAT(form->log, ElementsAre("click 3", "change 3 Gamma"));
}

INSTANTIATE_TEST_SUITE_P(Toolkit, ComboStyles,
                         ::testing::Values(ComboCase{csDropDown, true}, ComboCase{csSimple, true},
                                           ComboCase{csDropDownList, false},
                                           ComboCase{csOwnerDrawFixed, false},
                                           ComboCase{csOwnerDrawVariable, false}));

TEST_F(ControlsTest, ComboStyleChangeKeepsTheChosenItem) {
    TComboBox& cbo = *form->cbo01;
    cbo.SetText("Gamma");
    cbo.SetStyle(csOwnerDrawFixed);
    EXPECT_EQ(cbo.GetItemIndex(), 3);
    EXPECT_EQ(cbo.GetText(), "Gamma");
    EXPECT_THROW(robot.ChooseItem(cbo, "Omega"), EInvalidOperation);
}

// Radio buttons.

TEST_F(ControlsTest, RadioButtonsAreExclusiveWithinTheirParent) {
    struct Step {
        const char* action;
        std::vector<std::string> log;
        bool a, b, c;
    };
    const Step steps[] = {
        {"click rdoB", {"click rdoB"}, false, true, true},
        {"click rdoB", {}, false, true, true},
        {"code rdoA", {"click rdoA"}, true, false, true},
        {"uncheck rdoA", {}, false, false, true},
        {"code rdoC", {}, false, false, true},
        {"click rdoA", {"click rdoA"}, true, false, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        form->log.clear();
        std::string what = step.action;
        auto* target = form->Find<TRadioButton>(what.substr(what.find(' ') + 1));
        if (what.starts_with("click")) {
            robot.Click(*target);
        } else {
            target->SetChecked(what.starts_with("code"));
        }
        EXPECT_EQ(form->log, step.log);
        EXPECT_EQ(form->rdoA->GetChecked(), step.a);
        EXPECT_EQ(form->rdoB->GetChecked(), step.b);
        EXPECT_EQ(form->rdoC->GetChecked(), step.c);
    }
    EXPECT_TRUE(form->rdoA->GetTabStop()) << "the checked button is the tab stop";
    EXPECT_FALSE(form->rdoB->GetTabStop());
}

// Check boxes.

struct CheckCase {
    const char* name;
    bool allowGrayed;
    TCheckBoxState from;
    int clicks; // user clicks; -1: State := to by code
    TCheckBoxState to;
    int events;
};

class CheckBoxEvents : public ControlsTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckBoxEvents, StateChangesRaiseOnClick) {
    const CheckCase& c = GetParam();
    TCheckBox& box = *form->chkView;
    box.SetAllowGrayed(c.allowGrayed);
    box.SetState(c.from);
    form->log.clear();
    if (c.clicks < 0) {
        box.SetState(c.to);
    } else {
        for (int i = 0; i < c.clicks; ++i) {
            robot.Click(box);
        }
    }
    EXPECT_EQ(box.GetState(), c.to);
    EXPECT_EQ(int(form->log.size()), c.events);
    if (c.events > 0) {
        EXPECT_EQ(form->log.back(), "chkView " + IntToStr(int(c.to)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, CheckBoxEvents,
    ::testing::Values(CheckCase{"CodeChecks", false, cbUnchecked, -1, cbChecked, 1},
                      CheckCase{"CodeSameValue", false, cbChecked, -1, cbChecked, 0},
                      CheckCase{"CodeGrays", false, cbChecked, -1, cbGrayed, 1},
                      CheckCase{"ClickChecks", false, cbUnchecked, 1, cbChecked, 1},
                      CheckCase{"ClickTwice", false, cbUnchecked, 2, cbUnchecked, 2},
                      CheckCase{"ClickGrays", true, cbUnchecked, 1, cbGrayed, 1},
                      CheckCase{"GrayedThenChecked", true, cbGrayed, 1, cbChecked, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlsTest, CheckBoxSpaceAndAcceleratorToggle) {
    robot.Focus(*form->chkView);
    robot.Press(VK_SPACE);
    EXPECT_TRUE(form->chkView->GetChecked());
    robot.Focus(*form->edName);
    robot.Press('V', {ssAlt});
    EXPECT_FALSE(form->chkView->GetChecked());
    EXPECT_EQ(form->GetActiveControl(), form->chkView);
    robot.SetChecked(*form->chkView, true);
    EXPECT_THAT(form->log, ElementsAre("chkView 1", "chkView 0", "chkView 1"));
}

// Speed buttons.

TEST_F(ControlsTest, SpeedButtonGroups) {
    struct Step {
        const char* action;
        bool period, icon, list, plain;
        std::vector<std::string> log;
    };
    const Step steps[] = {
        {"click spdList", false, false, true, false, {"click spdList"}},
        {"click spdList", false, false, true, false, {"click spdList"}}, // stays down
        {"up spdList", false, false, true, false, {}}, // no AllowAllUp: stays down
        {"down spdIcon", false, true, false, false, {}},
        {"click btnPeriod", true, true, false, false, {"click btnPeriod"}},
        {"click btnPeriod", false, true, false, false, {"click btnPeriod"}},
        {"down spdPlain", false, true, false, false, {}}, // no group: never down
        {"click spdPlain", false, true, false, false, {"click spdPlain"}},
    };
    robot.Focus(*form->edName);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        form->log.clear();
        std::string what = step.action;
        auto* target = form->Find<TSpeedButton>(what.substr(what.find(' ') + 1));
        if (what.starts_with("click")) {
            robot.Click(*target);
        } else {
            target->SetDown(what.starts_with("down"));
        }
        EXPECT_EQ(form->log, step.log);
        EXPECT_EQ(form->btnPeriod->GetDown(), step.period);
        EXPECT_EQ(form->spdIcon->GetDown(), step.icon);
        EXPECT_EQ(form->spdList->GetDown(), step.list);
        EXPECT_EQ(form->spdPlain->GetDown(), step.plain);
        EXPECT_EQ(form->GetActiveControl(), form->edName) << "speed buttons never take the focus";
    }
    form->spdIcon->SetAllowAllUp(true);
    EXPECT_TRUE(form->spdList->GetAllowAllUp()) << "the whole group shares AllowAllUp";
    form->spdIcon->SetDown(false);
    EXPECT_FALSE(form->spdIcon->GetDown());
}

// List view.

class ListViewTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        for (const char* caption : {"Monthly", "Daily", "Weekly"}) {
            form->lstCondition->Items().Add()->SetCaption(caption);
        }
        form->log.clear();
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> out;
        for (int i = 0; i < form->lstCondition->Items().Count(); ++i) {
            out.push_back(form->lstCondition->Items()[i]->GetCaption());
        }
        return out;
    }
};

TEST_F(ListViewTest, ItemsStaySortedByCaption) {
    EXPECT_THAT(Captions(), ElementsAre("Daily", "Monthly", "Weekly"));
    TListView& list = *form->lstCondition;
    list.OnCompare.Clear();
    list.SetSortType(stNone);
    list.Items()[0]->SetCaption("Zeta");
    EXPECT_THAT(Captions(), ElementsAre("Zeta", "Monthly", "Weekly"));
    EXPECT_EQ(list.GetColumns()->Count(), 1);
    EXPECT_EQ((*list.GetColumns())[0]->GetCaption(), "Data1");
    EXPECT_THAT(form->log, IsEmpty()) << "captions set by code raise nothing";
}

struct RenameCase {
    const char* name;
    int row;
    const char* typed;
    bool accept;
    std::vector<std::string> log;
    std::vector<std::string> captions;
};

class ListViewRename : public ListViewTest, public ::testing::WithParamInterface<RenameCase> {};

TEST_P(ListViewRename, InPlaceEditEndsThroughOnEdited) {
    const RenameCase& c = GetParam();
    robot.EditCaption(*form->lstCondition, c.row, c.typed, c.accept);
    // The click on the row selects it first.
    std::vector<std::string> log(form->log.begin() + 1, form->log.end());
    EXPECT_EQ(log, c.log);
    EXPECT_EQ(Captions(), c.captions);
    EXPECT_FALSE(form->lstCondition->IsEditing());
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, ListViewRename,
    ::testing::Values(
        RenameCase{"Renamed",
                   0,
                   "Annual",
                   true,
                   {"editing Daily", "edited Daily -> Annual"},
                   {"Annual", "Monthly", "Weekly"}},
        RenameCase{"HandlerChangesTheText",
                   1,
                   "  Yearly ",
                   true,
                   {"editing Monthly", "edited Monthly ->   Yearly "},
                   {"Daily", "Weekly", "Yearly"}},
        RenameCase{"HandlerRestoresTheOldText",
                   2,
                   " ",
                   true,
                   {"editing Weekly", "edited Weekly ->  "},
                   {"Daily", "Monthly", "Weekly"}},
        RenameCase{
            "EscAbandons", 0, "Annual", false, {"editing Daily"}, {"Daily", "Monthly", "Weekly"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListViewTest, EditingCanBeRefusedAndReadOnlyListsNeverEdit) {
    form->allowEditing = false;
    EXPECT_THROW(robot.EditCaption(*form->lstCondition, 0, "X"), EInvalidOperation);
    form->allowEditing = true;
    form->lstCondition->SetReadOnly(true);
    EXPECT_FALSE(form->lstCondition->Items()[0]->EditCaption());
    EXPECT_THAT(Captions(), ElementsAre("Daily", "Monthly", "Weekly"));
}

TEST_F(ListViewTest, LeavingTheListEndsTheEditKeepingTheText) {
    TListView& list = *form->lstCondition;
    robot.Focus(list);
    ASSERT_TRUE(list.Items()[2]->EditCaption());
    robot.Type("Hourly");
    robot.Focus(*form->edName);
    EXPECT_THAT(Captions(), ElementsAre("Daily", "Hourly", "Monthly"));
}

TEST_F(ListViewTest, SelectionWithAndWithoutMultiSelect) {
    TListView& list = *form->lstCondition;
    robot.SelectRows(list, {0, 2});
    EXPECT_THAT(form->log, ElementsAre("select Daily", "deselect Daily", "select Weekly"));
    EXPECT_EQ(list.SelCount(), 1);
    list.SetMultiSelect(true);
    form->log.clear();
    robot.SelectRows(list, {0, 1});
    EXPECT_THAT(form->log, ElementsAre("deselect Weekly", "select Daily", "select Monthly"));
    EXPECT_EQ(list.SelCount(), 2);
    EXPECT_EQ(list.Selected(), list.Items()[0]);
    form->log.clear();
    robot.Press(VK_DOWN);
    EXPECT_THAT(form->log, ElementsAre("deselect Daily", "deselect Monthly", "select Weekly"));
}

TEST_F(ListViewTest, DeletedItemsLeaveTheSelection) {
    TListView& list = *form->lstCondition;
    list.Items()[1]->SetSelected(true);
    EXPECT_TRUE(list.Items()[1]->GetFocused());
    list.Items().Delete(1);
    EXPECT_EQ(list.Selected(), nullptr) << "a deleted item leaves the selection";
    EXPECT_EQ(list.ItemFocused(), nullptr);
}

// Masked edits.

struct MaskCase {
    const char* mask;
    const char* typed;
    const char* editText;
    const char* text;
};

class MaskTyping : public ControlsTest, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(MaskTyping, TypedThroughTheRobot) {
    const MaskCase& c = GetParam();
    TMaskEdit& edit = *form->med01;
    edit.SetEditMask(c.mask);
    edit.SetText("");
    robot.Focus(edit);
    robot.Type(c.typed);
    EXPECT_EQ(edit.GetEditText(), c.editText);
    EXPECT_EQ(edit.GetText(), c.text);
    EXPECT_EQ(GetStrPropertyByName(&edit, "Text"), c.text);
    robot.Focus(*form->edName);
    EXPECT_EQ(form->GetActiveControl(), form->edName) << "optional positions need no input";
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, MaskTyping,
    ::testing::Values(MaskCase{"9999/99/99;1; ", "", "    /  /  ", "    /  /  "},
                      MaskCase{"9999/99/99;1; ", "20240507", "2024/05/07", "2024/05/07"},
                      MaskCase{"9999/99/99;1; ", "20x24", "2024/  /  ", "2024/  /  "},
                      MaskCase{"99/99/9999;1; ", "07052024", "07/05/2024", "07/05/2024"},
                      MaskCase{"999/99/99;1; ", "1130507", "113/05/07", "113/05/07"},
                      MaskCase{"99/99/99;1; ", "240507", "24/05/07", "24/05/07"},
                      MaskCase{"9999/99;1; ", "202405", "2024/05", "2024/05"},
                      MaskCase{"!aaaa\\-aaaaaaaaaaa;0; ", "51010001", "5101-0001       ",
                               "51010001"},
                      MaskCase{"!aaaa\\-aaaaaaaaaaa;0; ", "", "    -           ", ""}));

TEST_F(ControlsTest, MaskSaveLiteralsFieldSwitchesKeepTheEntry) {
    TMaskEdit& edit = *form->med01;
    edit.SetText("2024/05/07");
    edit.SetEditMask("9999/99/99;0; ");
    EXPECT_EQ(edit.GetText(), "20240507");
    edit.SetEditMask("9999/99/99;1; ");
    EXPECT_EQ(edit.GetText(), "2024/05/07");
    edit.SetEditMask("");
    EXPECT_EQ(edit.GetText(), "2024/05/07");
}

TEST_F(ControlsTest, MaskValidationOnExitAndEscape) {
    TMaskEdit& edit = *form->med01;
    edit.SetEditMask("0000;1;_");
    robot.Focus(edit);
    robot.Type("12");
    EXPECT_EQ(edit.GetEditText(), "12__");
    EXPECT_THROW(robot.Focus(*form->edName), EDBEditError);
    EXPECT_EQ(form->GetActiveControl(), &edit) << "the focus stays in the edit";
    EXPECT_EQ(edit.SelStart(), 2) << "the caret waits at the first unfilled position";
    robot.Press(VK_ESCAPE);
    EXPECT_EQ(edit.GetEditText(), "____");
    robot.Focus(*form->edName);
    EXPECT_EQ(form->GetActiveControl(), form->edName) << "an unchanged edit is not checked";
}

// Spin edits.

struct SpinCase {
    const char* name;
    int min, max;
    const char* text; // typed through the robot
    Word key;         // pressed afterwards, 0 for none
    int value;
    const char* textAfterExit;
};

class SpinLimits : public ControlsTest, public ::testing::WithParamInterface<SpinCase> {};

TEST_P(SpinLimits, ValueStaysWithinTheLimits) {
    const SpinCase& c = GetParam();
    TSpinEdit& spin = *form->seHour;
    spin.SetMinValue(c.min);
    spin.SetMaxValue(c.max);
    robot.Focus(spin);
    spin.SelectAll();
    robot.Type(c.text);
    if (c.key != 0) {
        robot.Press(c.key);
    }
    EXPECT_EQ(spin.GetValue(), c.value);
    robot.Focus(*form->edName);
    EXPECT_EQ(spin.GetText(), c.textAfterExit);
}

INSTANTIATE_TEST_SUITE_P(Toolkit, SpinLimits,
                         ::testing::Values(SpinCase{"Inside", 0, 23, "12", 0, 12, "12"},
                                           SpinCase{"AboveMax", 0, 23, "99", 0, 23, "23"},
                                           SpinCase{"BelowMin", -99, 99, "-150", 0, -99, "-99"},
                                           SpinCase{"LettersRefused", 0, 59, "4x2", 0, 42, "42"},
                                           SpinCase{"Emptied", 0, 59, "\b", 0, 0, ""},
                                           SpinCase{"UpAtMax", 0, 23, "23", VK_UP, 23, "23"},
                                           SpinCase{"Down", 0, 23, "5", VK_DOWN, 4, "4"},
                                           SpinCase{"NoLimitsWhenEqual", 0, 0, "500", VK_UP, 501,
                                                    "501"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlsTest, RobotSetsASpinValue) {
    robot.SetSpinValue(*form->seHour, 7);
    EXPECT_EQ(form->seHour->GetValue(), 7);
    EXPECT_EQ(form->log.back(), "change 7");
    form->seHour->SetValue(40);
    EXPECT_EQ(form->seHour->GetText(), "23");
}

// Memo, bit button and group box.

TEST_F(ControlsTest, MemoBreaksLinesAndKnowsTheCaretLine) {
    TMemo& memo = *form->meNote;
    EXPECT_EQ(memo.GetText(), "第一行\r\n第二行");
    robot.Focus(memo);
    memo.SetCaretPos(1, 3);
    robot.Press(VK_RETURN);
    EXPECT_EQ(memo.CaretLine(), 2);
    robot.Type("x");
    EXPECT_EQ(memo.GetLines()->Count(), 3);
    EXPECT_EQ(memo.GetText(), "第一行\r\n第二行\r\nx");
    robot.Press(VK_HOME);
    robot.Type(std::string(1, char(8)));
    EXPECT_EQ(memo.GetText(), "第一行\r\n第二行x");
    EXPECT_EQ(memo.CaretLine(), 1);
    EXPECT_EQ(form->GetActiveControl(), &memo) << "the memo keeps Enter";
}

TEST_F(ControlsTest, BitButtonKinds) {
    struct KindCase {
        TBitBtnKind kind;
        const char* caption;
        TModalResult result;
        bool isDefault, isCancel;
    };
    const KindCase cases[] = {{bkOK, "OK", mrOk, true, false},
                              {bkCancel, "Cancel", mrCancel, false, true},
                              {bkYes, "&Yes", mrYes, true, false},
                              {bkNo, "&No", mrNo, false, true},
                              {bkRetry, "&Retry", mrRetry, false, false},
                              {bkAll, "&All", mrAll, false, false}};
    TBitBtn& btn = *form->btnOk;
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.caption);
        btn.SetKind(c.kind);
        EXPECT_EQ(btn.GetCaption(), c.caption);
        EXPECT_EQ(btn.GetModalResult(), c.result);
        EXPECT_EQ(btn.GetDefault(), c.isDefault);
        EXPECT_EQ(btn.GetCancel(), c.isCancel);
        EXPECT_EQ(btn.GetNumGlyphs(), 2);
    }
    btn.SetModalResult(mrNone);
    EXPECT_EQ(btn.GetKind(), bkCustom) << "a changed role makes a custom button";
}

TEST_F(ControlsTest, GroupBoxChildrenSitBelowTheCaption) {
    TRect client = form->grpChoice->ClientRect();
    EXPECT_EQ(client.Top, 12 + 2);
    EXPECT_EQ(client.Left, 2);
    EXPECT_EQ(form->grpChoice->GetCaption(), "生成时间");
}

} // namespace
} // namespace kvc::test

namespace kvc::test {
namespace {

// Definitions store ItemIndex before Items.Strings; the index must survive the order.
class TfrmComboOrder : public TForm {
    KVC_CLASS(TfrmComboOrder, TForm)
public:
    TComboBox* cbo = nullptr;
};

KVC_REGISTER_CLASS(TfrmComboOrder) {
    KVC_FIELD(cbo);
}

TEST(ComboDefinition, ItemIndexStoredBeforeTheItemsIsApplied) {
    RegisterFormDefinition("TfrmComboOrder", "frmComboOrder.dfm", R"(
object frmComboOrder: TfrmComboOrder
  object cbo: TComboBox
    Style = csDropDownList
    ItemIndex = 1
    Items.Strings = (
      '按源工单'
      '按订单')
  end
end
)");
    auto* form = Create<TfrmComboOrder>(&Application());
    EXPECT_EQ(form->cbo->GetItemIndex(), 1);
    EXPECT_EQ(form->cbo->GetText(), "按订单");
    form->Free();
    UnregisterFormDefinition("TfrmComboOrder");
}

} // namespace
} // namespace kvc::test

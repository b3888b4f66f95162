#include "toolkit_fixture.h"

#include <gmock/gmock.h>

namespace kvc::test {
namespace {

using ::testing::ElementsAre;

class FocusTest : public ToolkitTest {
protected:
    void SetUp() override {
        form = NewForm<TfrmLeaf>();
        form->SetActiveControl(form->edName);
        form->Show();
    }
    TfrmLeaf* form = nullptr;
};

TEST_F(FocusTest, TheRecordedActiveControlReceivesTheFocusOnShow) {
    EXPECT_THAT(form->log, ElementsAre("FormCreate frmLeaf loading=no",
                                       "FormShow frmLeaf visible=yes active=yes", "pnlTopEnter",
                                       "edNameEnter active=edName"));
    EXPECT_TRUE(form->edName->Focused());
    EXPECT_EQ(Screen().ActiveControl(), form->edName);
}

TEST_F(FocusTest, OnExitRunsWithActiveControlAlreadyTheNewControl) {
    form->log.clear();
    form->edCode->SetFocus();
    EXPECT_THAT(form->log, ElementsAre("edNameExit active=edCode", "edCodeEnter active=edCode"));
}

TEST_F(FocusTest, TheFormHearsOfEveryFocusMoveBeforeTheExitNotices) {
    form->notices.clear();
    form->log.clear();
    form->edCode->SetFocus();
    EXPECT_THAT(form->notices, ElementsAre("CM_FOCUSCHANGED edCode active=edCode"));
    EXPECT_EQ(form->log.front(), "edNameExit active=edCode");
}

TEST_F(FocusTest, ContainersSeeExitAndEnterWhenTheFocusCrossesThem) {
    form->log.clear();
    form->btnOk->SetFocus();
    form->edCode->SetFocus();
    EXPECT_THAT(form->log, ElementsAre("edNameExit active=btnOk", "pnlTopExit active=btnOk",
                                       "pnlTopEnter", "edCodeEnter active=edCode"));
}

TEST_F(FocusTest, AHandlerThatMovesTheFocusAbandonsTheRestOfTheChain) {
    form->onNameExit = [this] {
        form->onNameExit = nullptr;
        form->edCode->SetFocus();
    };
    form->log.clear();
    form->btnOk->SetFocus();
    EXPECT_THAT(form->log, ElementsAre("edNameExit active=btnOk", "edCodeEnter active=edCode"));
    EXPECT_EQ(form->GetActiveControl(), form->edCode);
    EXPECT_TRUE(form->edCode->Focused());
}

TEST_F(FocusTest, FocusOnAHiddenFormIsRefused) {
    auto* hidden = NewForm<TfrmMiddle>();
    hidden->log.clear();
    try {
        hidden->edCode->SetFocus();
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Cannot focus a disabled or invisible window");
    }
    EXPECT_TRUE(hidden->log.empty());
    form->edCode->SetEnabled(false);
    EXPECT_THROW(form->SetActiveControl(form->edCode), EInvalidOperation);
}

TEST_F(FocusTest, ActiveControlOfAnInactiveFormIsOnlyRecordedUntilItIsActivated) {
    auto* other = NewForm<TfrmBase>();
    other->Show();
    form->log.clear();
    form->SetActiveControl(form->edCode);
    EXPECT_TRUE(form->log.empty());
    EXPECT_EQ(form->GetActiveControl(), form->edCode);
    other->Hide();
    EXPECT_EQ(Screen().ActiveForm(), form);
    EXPECT_THAT(form->log, ElementsAre("edNameExit active=edCode", "edCodeEnter active=edCode"));
}

TEST_F(FocusTest, HidingTheFocusedControlMovesTheFocusToTheForm) {
    form->log.clear();
    form->edName->Hide();
    EXPECT_EQ(form->GetActiveControl(), nullptr);
    EXPECT_EQ(form->FocusedControl(), nullptr);
    EXPECT_THAT(form->log, ElementsAre("edNameExit active=?", "pnlTopExit active=?"));
    EXPECT_FALSE(form->edName->CanFocus());
}

TEST_F(FocusTest, DestroyingTheFocusedControlLeavesItsContainers) {
    form->log.clear();
    form->edName->Free();
    EXPECT_EQ(form->GetActiveControl(), nullptr);
    EXPECT_EQ(form->FocusedControl(), nullptr);
    EXPECT_THAT(form->log, ElementsAre("pnlTopExit active=?"));
    robot.Type("x"); // goes to the form now
    EXPECT_EQ(form->log.back(), "FormKeyPress 120");
}

TEST_F(FocusTest, AltAndAnAcceleratorClickAButtonOrFocusALabelsControl) {
    form->btnCancel->SetCaption("&Cancel");
    form->btnOk->SetFocus();
    form->log.clear();
    robot.Press('N', {ssAlt}); // lblName is "名称(&N)"
    EXPECT_EQ(form->GetActiveControl(), form->edName);
    robot.Press('C', {ssAlt});
    EXPECT_EQ(form->log.back(), "btnCancelClick btnCancel");
    EXPECT_TRUE(IsAccel('Y', "&Yes"));
    EXPECT_FALSE(IsAccel('Y', "&&Yes"));
    EXPECT_TRUE(IsAccel('O', "N&o to All"));
}

TEST_F(FocusTest, TabAndShiftTabFollowTheTabOrderAndWrap) {
    // btnOk, pnlTop (edName, edCode), pgMain, edOne (in the active page), btnCancel
    std::vector<std::string> order;
    for (int i = 0; i < 6; ++i) {
        robot.Press(VK_TAB);
        order.push_back(NameOf(form->GetActiveControl()));
    }
    EXPECT_THAT(order, ElementsAre("edCode", "pgMain", "edOne", "btnCancel", "btnOk", "edName"));
    robot.Press(VK_TAB, {ssShift});
    EXPECT_EQ(form->GetActiveControl(), form->btnOk);
}

TEST_F(FocusTest, TabSkipsControlsThatCannotTakeTheFocus) {
    form->edCode->SetEnabled(false);
    form->pgMain->SetTabStop(false);
    robot.Press(VK_TAB);
    EXPECT_EQ(form->GetActiveControl(), form->edOne);
}

TEST_F(FocusTest, NextDialogControlMessage) {
    form->Perform(WM_NEXTDLGCTL, 0, 0);
    EXPECT_EQ(form->GetActiveControl(), form->edCode);
    form->Perform(WM_NEXTDLGCTL, 1, 0);
    EXPECT_EQ(form->GetActiveControl(), form->edName);
    form->Perform(WM_NEXTDLGCTL, form->btnCancel->Handle(), 1);
    EXPECT_EQ(form->GetActiveControl(), form->btnCancel);
}

TEST_F(FocusTest, ATabUsedAsDialogKeyReachesNoHandler) {
    form->log.clear();
    robot.Press(VK_TAB);
    EXPECT_THAT(form->log, ElementsAre("edNameExit active=edCode", "edCodeEnter active=edCode"));
}

TEST_F(FocusTest, CtrlTabReachesTheFormsKeyPreview) {
    form->log.clear();
    robot.Press(VK_TAB, {ssCtrl});
    EXPECT_THAT(form->log, ElementsAre("FormKeyDown 9 ctrl"));
    EXPECT_EQ(form->GetActiveControl(), form->edName);
}

TEST_F(FocusTest, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
    form->log.clear();
    robot.Press(VK_RETURN);
    robot.Press(VK_ESCAPE);
    EXPECT_THAT(form->log, ElementsAre("middle.btnOkClick btnOk", "btnCancelClick btnCancel"));
    EXPECT_EQ(form->GetModalResult(), mrCancel);
}

TEST_F(FocusTest, EnterClicksTheFocusedButtonRatherThanTheDefault) {
    form->btnCancel->SetFocus();
    form->log.clear();
    robot.Press(VK_RETURN);
    EXPECT_THAT(form->log, ElementsAre("btnCancelClick btnCancel"));
}

TEST_F(FocusTest, WithoutADefaultButtonEnterReachesTheFormsKeyHandlers) {
    form->btnOk->SetDefault(false);
    form->log.clear();
    robot.Press(VK_RETURN);
    EXPECT_THAT(form->log, ElementsAre("FormKeyDown 13", "FormKeyPress 13"));
}

TEST_F(FocusTest, KeyPreviewSeesKeysFirstAndCanStopThem) {
    form->edName->SetText("");
    form->log.clear();
    robot.Type("ab");
    EXPECT_EQ(form->edName->GetText(), "ab");
    EXPECT_THAT(form->log, ElementsAre("FormKeyPress 97", "edNameChange a", "FormKeyPress 98",
                                       "edNameChange ab"));
    form->swallowKeys = true;
    form->log.clear();
    robot.Press('C', {ssShift});
    EXPECT_EQ(form->edName->GetText(), "ab");
    EXPECT_THAT(form->log, ElementsAre("FormKeyDown 67 shift"));
}

TEST_F(FocusTest, ArrowsStayInAnEditAndMoveAmongButtons) {
    robot.Press(VK_RIGHT);
    EXPECT_EQ(form->GetActiveControl(), form->edName);
    form->btnOk->SetFocus();
    robot.Press(VK_RIGHT);
    EXPECT_EQ(form->GetActiveControl(), form->pnlTop) << "the next sibling on the form";
}

TEST_F(FocusTest, AClickFocusesAWindowedControlThenClicks) {
    form->log.clear();
    robot.Click(*form->btnOk);
    EXPECT_THAT(form->log, ElementsAre("edNameExit active=btnOk", "pnlTopExit active=btnOk",
                                       "middle.btnOkClick btnOk"));
    form->btnCancel->SetEnabled(false);
    EXPECT_THROW(robot.Click(*form->btnCancel), EInvalidOperation);
}

TEST_F(FocusTest, ALabelClickLeavesTheFocusWhereItWas) {
    form->log.clear();
    robot.Click(*form->lblName);
    EXPECT_EQ(form->GetActiveControl(), form->edName);
    EXPECT_TRUE(form->log.empty());
}

TEST_F(FocusTest, MouseUpWithoutAPressNeverClicks) {
    form->log.clear();
    form->btnOk->Perform(WM_LBUTTONUP);
    PostMessage(form->btnOk->Handle(), WM_LBUTTONUP);
    Application().ProcessMessages();
    EXPECT_TRUE(form->log.empty());
}

class EditTest : public FocusTest {};

TEST_F(EditTest, TypingReplacesTheKeyboardSelectionAndRespectsMaxLength) {
    // Focused by the keyboard: the whole text is selected.
    EXPECT_EQ(form->edName->SelLength(), 6);
    robot.Type("中文abcdefghijk");
    EXPECT_EQ(form->edName->GetText(), "中文abcdefgh");
    EXPECT_EQ(form->edName->Length(), 10);
    robot.Press(VK_BACK);
    robot.Press(VK_HOME);
    robot.Press(VK_DELETE);
    EXPECT_EQ(form->edName->GetText(), "文abcdefg");
}

TEST_F(EditTest, ReadOnlyRefusesTypingButCodeMayChangeTheText) {
    form->edName->SetReadOnly(true);
    robot.Type("x");
    EXPECT_EQ(form->edName->GetText(), "middle");
    form->edName->SetText("set by code");
    EXPECT_EQ(form->edName->GetText(), "set by code");
}

TEST_F(EditTest, SelectionEditing) {
    TEdit* ed = form->edName;
    ed->SetText("abcdef");
    ed->SetSelStart(2);
    ed->SetSelLength(3);
    EXPECT_EQ(ed->SelText(), "cde");
    ed->SetSelText("XY");
    EXPECT_EQ(ed->GetText(), "abXYf");
    EXPECT_EQ(ed->SelStart(), 4);
    ed->SetSelLength(99);
    EXPECT_EQ(ed->SelLength(), 1);
}

} // namespace
} // namespace kvc::test

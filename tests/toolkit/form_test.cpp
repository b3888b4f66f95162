#include "toolkit_fixture.h"

#include <gmock/gmock.h>

namespace kvc::test {
namespace {

using ::testing::ElementsAre;
using FormTest = ToolkitTest;

TEST_F(FormTest, ShowMakesTheFormVisibleAndActiveBeforeOnShow) {
    auto* form = NewForm<TfrmBase>();
    form->log.clear();
    form->Show();
    EXPECT_THAT(form->log, ElementsAre("FormShow frmBase visible=yes active=yes"));
    EXPECT_EQ(Screen().ActiveForm(), form);
    EXPECT_EQ(form->GetLeft(), (Screen().Width() - form->GetWidth()) / 2) << "poScreenCenter";
    form->Hide();
    EXPECT_FALSE(form->GetVisible());
    EXPECT_EQ(Screen().ActiveForm(), nullptr);
}

TEST_F(FormTest, HidingTheActiveFormActivatesTheOneShownBefore) {
    auto* first = NewForm<TfrmBase>();
    auto* second = NewForm<TfrmBase>();
    first->Show();
    second->Show();
    EXPECT_EQ(Screen().ActiveForm(), second);
    EXPECT_FALSE(first->IsActive());
    second->Hide();
    EXPECT_EQ(Screen().ActiveForm(), first);
    EXPECT_TRUE(first->IsActive());
}

struct CloseCase {
    TCloseAction action;
    bool visibleAfter;
    bool aliveAfterMessages;
    TWindowState state;
};

class CloseActions : public ToolkitTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseActions, OnCloseChoosesWhatHappens) {
    const CloseCase& c = GetParam();
    auto* form = NewForm<TfrmBase>();
    TWeakRef<TfrmBase> ref(form);
    form->Show();
    form->closeAction = c.action;
    form->log.clear();
    form->Close();
    EXPECT_THAT(form->log, ElementsAre("FormCloseQuery", "FormClose"));
    EXPECT_EQ(form->GetVisible(), c.visibleAfter);
    EXPECT_NE(ref.Get(), nullptr) << "a freed form lives until the queue runs";
    Application().ProcessMessages();
    EXPECT_EQ(ref.Get() != nullptr, c.aliveAfterMessages);
    if (ref.Get() != nullptr) {
        EXPECT_EQ(form->GetWindowState(), c.state);
    }
}

INSTANTIATE_TEST_SUITE_P(Toolkit, CloseActions,
                         ::testing::Values(CloseCase{caHide, false, true, wsNormal},
                                           CloseCase{caNone, true, true, wsNormal},
                                           CloseCase{caMinimize, true, true, wsMinimized},
                                           CloseCase{caFree, true, false, wsNormal}));

TEST_F(FormTest, OnCloseQueryCanRefuse) {
    auto* form = NewForm<TfrmBase>();
    form->Show();
    form->canClose = false;
    form->log.clear();
    form->Close();
    EXPECT_THAT(form->log, ElementsAre("FormCloseQuery"));
    EXPECT_TRUE(form->GetVisible());
}

TEST_F(FormTest, APostedCloseRunsOnlyAfterTheCallerReturns) {
    auto* form = NewForm<TfrmBase>();
    form->Show();
    form->log.clear();
    EXPECT_TRUE(PostMessage(form->Handle(), WM_CLOSE));
    EXPECT_TRUE(form->GetVisible());
    EXPECT_TRUE(form->log.empty());
    Application().ProcessMessages();
    EXPECT_FALSE(form->GetVisible());
    EXPECT_THAT(form->log, ElementsAre("FormCloseQuery", "FormClose"));
}

TEST_F(FormTest, SentMessagesRunAtOnceAndMessagesForDestroyedWindowsAreDropped) {
    auto* form = NewForm<TfrmBase>();
    form->Show();
    SendMessage(form->Handle(), WM_CLOSE);
    EXPECT_FALSE(form->GetVisible());

    HWND edit = form->edName->Handle();
    EXPECT_EQ(Application().FindControl(edit), form->edName);
    EXPECT_TRUE(PostMessage(edit, WM_CHAR, 'x'));
    form->edName->Free();
    EXPECT_EQ(Application().FindControl(edit), nullptr);
    Application().ProcessMessages();
    EXPECT_FALSE(PostMessage(edit, WM_CHAR, 'x'));
    EXPECT_EQ(SendMessage(edit, WM_CLOSE), 0);
}

TEST_F(FormTest, ReleaseDestroysAfterTheCurrentHandler) {
    auto* form = NewForm<TfrmBase>();
    TWeakRef<TfrmBase> ref(form);
    form->Release();
    form->Release();
    EXPECT_NE(ref.Get(), nullptr);
    Application().ProcessMessages();
    EXPECT_EQ(ref.Get(), nullptr);
}

TEST_F(FormTest, ShowModalEndsThroughTheModalHook) {
    auto* form = NewForm<TfrmLeaf>();
    form->btnOk->SetModalResult(mrOk);
    form->log.clear();
    robot.OnNextModal([&](TCustomForm& modal) {
        EXPECT_EQ(&modal, form);
        EXPECT_TRUE(modal.GetVisible());
        EXPECT_EQ(Screen().ActiveForm(), form);
        robot.Type("x");
        robot.Click(*form->btnOk);
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_FALSE(form->GetVisible());
    EXPECT_FALSE(form->IsModal());
    EXPECT_THAT(form->log,
                ElementsAre("FormShow frmLeaf visible=yes active=yes", "FormKeyPress 120",
                            "middle.btnOkClick btnOk", "FormCloseQuery", "FormClose"));
    ASSERT_FALSE(Application().ModalLog().empty());
    EXPECT_EQ(Application().ModalLog().back().result, mrOk);
    EXPECT_FALSE(Application().ModalLog().back().endedIdle);
}

TEST_F(FormTest, ShowModalWithNothingToDoEndsWithCancel) {
    auto* form = NewForm<TfrmBase>();
    EXPECT_EQ(form->ShowModal(), mrCancel);
    ASSERT_FALSE(Application().ModalLog().empty());
    const TModalRecord& record = Application().ModalLog().back();
    EXPECT_TRUE(record.endedIdle);
    EXPECT_EQ(record.className, "TfrmBase");
    EXPECT_EQ(record.caption, "基本选项");
}

TEST_F(FormTest, ShowModalThatRefusesToCloseStillEnds) {
    auto* form = NewForm<TfrmBase>();
    form->canClose = false;
    form->closeAction = caNone;
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_FALSE(form->GetVisible());
}

TEST_F(FormTest, CloseOnAModalFormOnlySetsCancelAndCloseNoneContinuesTheLoop) {
    auto* form = NewForm<TfrmBase>();
    robot.OnNextModal([&](TCustomForm&) {
        form->closeAction = caNone;
        form->Close();
        EXPECT_EQ(form->GetModalResult(), mrCancel);
        EXPECT_TRUE(form->GetVisible());
        // The close is refused once; with nothing left to do the loop then
        // ends anyway.
    });
    form->log.clear();
    TModalResult result = form->ShowModal();
    EXPECT_EQ(result, mrCancel);
    EXPECT_THAT(form->log, ElementsAre("FormShow frmBase visible=yes active=yes", "FormCloseQuery",
                                       "FormClose", "FormCloseQuery", "FormClose"));
}

TEST_F(FormTest, CloseActionFreeOfAModalFormReleasesItAfterTheLoop) {
    auto* form = NewForm<TfrmBase>();
    TWeakRef<TfrmBase> ref(form);
    form->closeAction = caFree;
    robot.OnNextModal([&](TCustomForm& modal) { modal.SetModalResult(mrAbort); });
    EXPECT_EQ(form->ShowModal(), mrAbort);
    EXPECT_NE(ref.Get(), nullptr);
    Application().ProcessMessages();
    EXPECT_EQ(ref.Get(), nullptr);
}

TEST_F(FormTest, ShowModalOfAVisibleFormIsRefused) {
    auto* form = NewForm<TfrmBase>();
    form->Show();
    EXPECT_THROW(form->ShowModal(), EInvalidOperation);
}

TEST_F(FormTest, TheMainLoopRunsPostedMessagesUntilNothingIsLeftOrItIsTerminated) {
    auto* form = NewForm<TfrmBase>();
    form->Show();
    PostMessage(form->Handle(), WM_CLOSE);
    Application().Run();
    EXPECT_FALSE(form->GetVisible());
    EXPECT_FALSE(Application().HasPostedMessages());
}

TEST_F(FormTest, AnUnownedFormClosedWithFreeIsHiddenAndLeftToItsHolder) {
    auto form = MakeUnique<TfrmBase>();
    form->Show();
    form->closeAction = caFree;
    form->Close();
    Application().ProcessMessages();
    EXPECT_FALSE(form->GetVisible());
}

TEST_F(FormTest, ParentFontAndColorFlowDownUntilAControlSetsItsOwn) {
    auto* form = NewForm<TfrmBase>();
    form->GetFont()->SetName("Tahoma");
    EXPECT_EQ(form->edName->GetFont()->GetName(), "Tahoma");
    EXPECT_TRUE(form->edName->GetParentFont());
    form->edName->GetFont()->SetHeight(-20);
    EXPECT_FALSE(form->edName->GetParentFont());
    form->GetFont()->SetName("Arial");
    EXPECT_EQ(form->edName->GetFont()->GetName(), "Tahoma");
    EXPECT_EQ(form->lblName->GetFont()->GetName(), "Arial");
    EXPECT_EQ(form->edName->GetFont()->GetSize(), 15);
    form->pnlTop->SetColor(clRed);
    EXPECT_EQ(form->lblName->GetColor(), clRed) << "labels take their parent's colour";
    EXPECT_EQ(form->edName->GetColor(), clWindow);
}

TEST_F(FormTest, MovedAndResizedFormsReceiveTheWindowNotices) {
    auto* form = NewForm<TfrmBase>();
    form->notices.clear();
    form->SetBounds(10, 20, 400, 300);
    form->SetWidth(500);
    EXPECT_THAT(form->notices, ElementsAre("WM_MOVE 10,20", "WM_SIZE 500,300"));
}

TEST_F(FormTest, TheFormsBelowAModalFormCannotBeReached) {
    auto* below = NewForm<TfrmBase>();
    below->Show();
    auto* modal = NewForm<TfrmBase>();
    robot.OnNextModal([&](TCustomForm&) {
        EXPECT_EQ(Screen().ModalForm(), modal);
        EXPECT_THROW(robot.Click(*below->btnOk), EInvalidOperation);
        robot.Click(*modal->btnOk);
        modal->SetModalResult(mrOk);
    });
    EXPECT_EQ(modal->ShowModal(), mrOk);
    EXPECT_EQ(Screen().ModalForm(), nullptr);
    EXPECT_EQ(Screen().ActiveForm(), below);
    robot.Click(*below->btnOk);
}

class PageTest : public ToolkitTest {
protected:
    void SetUp() override {
        form = NewForm<TfrmLeaf>();
        form->Show();
        form->log.clear();
    }
    TfrmLeaf* form = nullptr;
};

TEST_F(PageTest, OnChangingCanRefuseAPageChange) {
    form->allowPageChange = false;
    form->pgMain->SelectNextPage(true);
    EXPECT_EQ(form->pgMain->GetActivePage(), form->tsOne);
    EXPECT_THAT(form->log, ElementsAre("pgMainChanging tsOne"));
    EXPECT_TRUE(form->tsOne->GetVisible());
    EXPECT_FALSE(form->tsTwo->GetVisible());
}

TEST_F(PageTest, AUserChangeAsksShowsAndReports) {
    robot.ClickTab(*form->tsTwo);
    EXPECT_EQ(form->pgMain->GetActivePage(), form->tsTwo);
    EXPECT_THAT(form->log,
                ElementsAre("pgMainChanging tsOne", "tsTwoShow tsTwo", "pgMainChange tsTwo"));
    EXPECT_FALSE(form->tsOne->GetVisible());
    form->log.clear();
    form->pgMain->SelectNextPage(true); // wraps around
    EXPECT_EQ(form->pgMain->GetActivePage(), form->tsOne);
}

TEST_F(PageTest, ActivePageSetByCodeOnlyShowsThePage) {
    form->pgMain->SetActivePage(form->tsTwo);
    EXPECT_THAT(form->log, ElementsAre("tsTwoShow tsTwo"));
    EXPECT_EQ(form->pgMain->GetActivePageIndex(), 1);
}

TEST_F(PageTest, HiddenTabsAreSkipped) {
    form->tsTwo->SetTabVisible(false);
    EXPECT_EQ(form->pgMain->FindNextPage(form->tsOne, true, true), form->tsOne);
    EXPECT_EQ(form->tsTwo->TabIndex(), -1);
    form->pgMain->SelectNextPage(true);
    EXPECT_TRUE(form->log.empty());
    EXPECT_EQ(form->pgMain->FindNextPage(form->tsOne, true, false), form->tsTwo);
}

TEST_F(PageTest, FocusLeavesAPageBeforeItIsHidden) {
    form->edOne->SetFocus();
    form->pgMain->SetActivePage(form->tsTwo);
    EXPECT_EQ(form->GetActiveControl(), form->pgMain);
    EXPECT_FALSE(form->edOne->Focused());
}

TEST_F(PageTest, ThePageOfAFormShownAgainSeesOnShowAgain) {
    form->pgMain->SetActivePage(form->tsTwo);
    form->Hide();
    form->log.clear();
    form->Show();
    EXPECT_THAT(form->log,
                ElementsAre("FormShow frmLeaf visible=yes active=yes", "tsTwoShow tsTwo"));
}

} // namespace
} // namespace kvc::test

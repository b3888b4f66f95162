#include "toolkit/button.h"
#include "toolkit/dialogs.h"
#include "toolkit/label.h"
#include "toolkit_fixture.h"

#include <gmock/gmock.h>

namespace kvc::test {
namespace {

using ::testing::ElementsAre;
using DialogTest = ToolkitTest;

std::vector<std::string> ButtonNames(const TMessageForm& dialog) {
    std::vector<std::string> names;
    for (int i = 0; i < dialog.ComponentCount(); ++i) {
        if (auto* b = As<TButton>(dialog.Components(i))) {
            names.push_back(b->GetName());
        }
    }
    return names;
}

TEST_F(DialogTest, EveryButtonInTheFixedOrderWithItsNameAndResult) {
    TMsgDlgButtons all{mbHelp,  mbYesToAll, mbNoToAll, mbAll, mbIgnore, mbRetry,
                       mbAbort, mbCancel,   mbOK,      mbNo,  mbYes};
    auto dialog = CreateMessageDialog("text", mtWarning, all);
    EXPECT_THAT(ButtonNames(*dialog), ElementsAre("Yes", "No", "OK", "Cancel", "Abort", "Retry",
                                                  "Ignore", "All", "NoToAll", "YesToAll", "Help"));
    auto* noToAll = dialog->Find<TButton>("NoToAll");
    EXPECT_EQ(noToAll->GetModalResult(), mrNoToAll);
    EXPECT_EQ(noToAll->GetCaption(), "N&o to All");
    EXPECT_EQ(dialog->Find<TButton>("Help")->GetModalResult(), mrNone);
    EXPECT_EQ(dialog->Text(), "text");
    EXPECT_EQ(dialog->Find<TLabel>("Message")->GetCaption(), "text");
}

struct DefaultCancelCase {
    TMsgDlgButtons buttons;
    const char* defaultButton;
    const char* cancelButton;
};

class DefaultAndCancel : public ToolkitTest,
                         public ::testing::WithParamInterface<DefaultCancelCase> {};

TEST_P(DefaultAndCancel, FollowTheClassicPreference) {
    const auto& c = GetParam();
    auto dialog = CreateMessageDialog("?", mtConfirmation, c.buttons);
    std::string def = "-";
    std::string cancel = "-";
    for (int i = 0; i < dialog->ComponentCount(); ++i) {
        if (auto* b = As<TButton>(dialog->Components(i))) {
            if (b->GetDefault()) {
                def = b->GetName();
            }
            if (b->GetCancel()) {
                cancel = b->GetName();
            }
        }
    }
    EXPECT_EQ(def, c.defaultButton);
    EXPECT_EQ(cancel, c.cancelButton);
}

INSTANTIATE_TEST_SUITE_P(Toolkit, DefaultAndCancel,
                         ::testing::Values(DefaultCancelCase{mbOKCancel, "OK", "Cancel"},
                                           DefaultCancelCase{TMsgDlgButtons{mbYes, mbNo}, "Yes",
                                                             "No"},
                                           DefaultCancelCase{mbYesNoCancel, "Yes", "Cancel"},
                                           DefaultCancelCase{TMsgDlgButtons{mbOK}, "OK", "OK"},
                                           DefaultCancelCase{mbAbortRetryIgnore, "Retry", "-"},
                                           DefaultCancelCase{TMsgDlgButtons{mbHelp}, "-", "-"}));

TEST_F(DialogTest, CaptionsByType) {
    Application().SetTitle("WVTR57");
    EXPECT_EQ(CreateMessageDialog("", mtWarning, {mbOK})->GetCaption(), "Warning");
    EXPECT_EQ(CreateMessageDialog("", mtError, {mbOK})->GetCaption(), "Error");
    EXPECT_EQ(CreateMessageDialog("", mtInformation, {mbOK})->GetCaption(), "Information");
    EXPECT_EQ(CreateMessageDialog("", mtConfirmation, {mbOK})->GetCaption(), "Confirm");
    EXPECT_EQ(CreateMessageDialog("", mtCustom, {mbOK})->GetCaption(), "WVTR57");
    Application().SetTitle("");
}

TEST_F(DialogTest, AnsweredFromTheQueueAndLogged) {
    robot.AnswerNextDialog(mrNo);
    robot.AnswerNextDialog(mrYes);
    EXPECT_EQ(MessageDlg("删除方案?", mtConfirmation, mbYesNoCancel), mrNo);
    auto dialog = CreateMessageDialog("again", mtWarning, {mbYes, mbNo});
    dialog->SetCaption("frmWvtr57");
    dialog->GetFont()->SetName("宋体");
    EXPECT_EQ(dialog->ShowModal(), mrYes);
    const auto& log = Application().DialogResponder().Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].type, mtConfirmation);
    EXPECT_EQ(log[0].caption, "Confirm");
    EXPECT_EQ(log[0].text, "删除方案?");
    EXPECT_EQ(log[0].buttons, mbYesNoCancel);
    EXPECT_EQ(log[0].answer, mrNo);
    EXPECT_EQ(log[1].caption, "frmWvtr57");
    EXPECT_EQ(log[1].fontName, "宋体");
    EXPECT_EQ(log[1].answer, mrYes);
    EXPECT_EQ(Application().DialogResponder().PendingAnswers(), 0);
}

TEST_F(DialogTest, WithoutAQueuedAnswerTheCancelButtonAnswers) {
    EXPECT_EQ(MessageDlg("?", mtConfirmation, {mbYes, mbNo}), mrNo);
    EXPECT_EQ(MessageDlg("!", mtInformation, {mbOK}), mrOk);
    ASSERT_EQ(Application().DialogResponder().Log().size(), 2u);
    EXPECT_EQ(Application().DialogResponder().Log()[1].answer, mrOk);
}

TEST_F(DialogTest, ADialogShownFromAModalFormIsAnsweredToo) {
    auto* form = NewForm<TfrmBase>();
    TModalResult inner = mrNone;
    robot.AnswerNextDialog(mrRetry);
    robot.OnNextModal([&](TCustomForm& modal) {
        inner = MessageDlg("retry?", mtError, mbAbortRetryIgnore);
        modal.SetModalResult(mrOk);
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(inner, mrRetry);
    EXPECT_EQ(Screen().ActiveForm(), nullptr);
}

} // namespace
} // namespace kvc::test

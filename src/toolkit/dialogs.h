// Message dialogs: real forms with an icon kind, the text and one button per
// requested button, named "Yes", "No", "OK", ... so that their captions can
// be replaced. Headless, the dialog responder answers them from a queue and
// keeps a log of every dialog shown.
#pragma once

#include "toolkit/form.h"

#include <deque>
#include <string>
#include <vector>

namespace kvc {

class TLabel;

KVC_ENUM(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom);
KVC_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
         mbYesToAll, mbHelp);
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The button's component name ("NoToAll") and modal result.
std::string_view ButtonName(TMsgDlgBtn button);
TModalResult ButtonModalResult(TMsgDlgBtn button);

class TMessageForm : public TForm {
    KVC_CLASS(TMessageForm, TForm)
public:
    TMsgDlgType DialogType() const { return type_; }
    TMsgDlgButtons Buttons() const { return buttons_; }
    // The label that shows the text (named "Message").
    TLabel* MessageLabel() const { return message_; }
    std::string Text() const;

private:
    friend TOwned<TMessageForm> CreateMessageDialog(const std::string&, TMsgDlgType,
                                                    TMsgDlgButtons);
    TMsgDlgType type_ = mtCustom;
    TMsgDlgButtons buttons_;
    TLabel* message_ = nullptr;
};

// The caption is the type's name ("Warning", "Error", "Information",
// "Confirm"), the application's title for mtCustom. The Default button is OK,
// else Yes, else Retry; the Cancel button is Cancel, else No, else OK.
TOwned<TMessageForm> CreateMessageDialog(const std::string& text, TMsgDlgType type,
                                         TMsgDlgButtons buttons);
// Shows the dialog modally and answers its modal result.
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                        int helpContext = 0);

struct TDialogRecord {
    TMsgDlgType type = mtCustom;
    std::string caption;
    std::string text;
    TMsgDlgButtons buttons;
    std::string fontName;
    int fontHeight = 0;
    int fontCharset = 0;
    TModalResult answer = mrNone;
};

class TDialogResponder {
public:
    // The answer of the next dialog: the button with that modal result is clicked.
    void QueueAnswer(TModalResult answer) { answers_.push_back(answer); }
    int PendingAnswers() const { return int(answers_.size()); }
    void ClearAnswers() { answers_.clear(); }
    const std::vector<TDialogRecord>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }

    // Answers a dialog shown modally: the next queued answer, or with nothing
    // queued the Cancel button's, as the user's Esc would.
    void Respond(TMessageForm& dialog);

private:
    std::deque<TModalResult> answers_;
    std::vector<TDialogRecord> log_;
};

} // namespace kvc

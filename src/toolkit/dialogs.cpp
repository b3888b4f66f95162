#include "toolkit/dialogs.h"

#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/class_builder.h"
#include "toolkit/label.h"

#include <algorithm>

namespace kvc {

namespace {

constexpr TMsgDlgBtn kButtonOrder[] = {mbYes,    mbNo,  mbOK,      mbCancel,   mbAbort, mbRetry,
                                       mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};

std::string_view ButtonCaption(TMsgDlgBtn button) {
    switch (button) {
    case mbYes:
        return "&Yes";
    case mbNo:
        return "&No";
    case mbOK:
        return "OK";
    case mbCancel:
        return "Cancel";
    case mbAbort:
        return "&Abort";
    case mbRetry:
        return "&Retry";
    case mbIgnore:
        return "&Ignore";
    case mbAll:
        return "&All";
    case mbNoToAll:
        return "N&o to All";
    case mbYesToAll:
        return "Yes to &All";
    case mbHelp:
        return "&Help";
    }
    return "";
}

std::string TypeCaption(TMsgDlgType type) {
    switch (type) {
    case mtWarning:
        return "Warning";
    case mtError:
        return "Error";
    case mtInformation:
        return "Information";
    case mtConfirmation:
        return "Confirm";
    case mtCustom:
        break;
    }
    return Application().GetTitle();
}

TMsgDlgBtn FirstOf(TMsgDlgButtons buttons, std::initializer_list<TMsgDlgBtn> choices, bool& found) {
    for (TMsgDlgBtn b : choices) {
        if (buttons.Contains(b)) {
            found = true;
            return b;
        }
    }
    found = false;
    return mbHelp;
}

} // namespace

std::string_view ButtonName(TMsgDlgBtn button) {
    return EnumInfoOf(button).NameOf(button).substr(2);
}

TModalResult ButtonModalResult(TMsgDlgBtn button) {
    switch (button) {
    case mbYes:
        return mrYes;
    case mbNo:
        return mrNo;
    case mbOK:
        return mrOk;
    case mbCancel:
        return mrCancel;
    case mbAbort:
        return mrAbort;
    case mbRetry:
        return mrRetry;
    case mbIgnore:
        return mrIgnore;
    case mbAll:
        return mrAll;
    case mbNoToAll:
        return mrNoToAll;
    case mbYesToAll:
        return mrYesToAll;
    case mbHelp:
        return mrNone;
    }
    return mrNone;
}

KVC_REGISTER_CLASS(TMessageForm) {}

std::string TMessageForm::Text() const {
    return message_ != nullptr ? message_->GetCaption() : std::string();
}

TOwned<TMessageForm> CreateMessageDialog(const std::string& text, TMsgDlgType type,
                                         TMsgDlgButtons buttons) {
    auto dialog = MakeUnique<TMessageForm>();
    dialog->type_ = type;
    dialog->buttons_ = buttons;
    dialog->SetBorderStyle(bsDialog);
    dialog->SetPosition(poScreenCenter);
    dialog->SetCaption(TypeCaption(type));

    constexpr int kMargin = 8;
    constexpr int kButtonWidth = 75;
    constexpr int kButtonHeight = 25;
    constexpr int kIconSize = 32;
    int textLeft = type == mtCustom ? kMargin : kMargin * 2 + kIconSize;

    auto* label = Create<TLabel>(dialog.get());
    label->SetName("Message");
    label->SetParent(dialog.get());
    label->SetCaption(text);
    label->SetBounds(textLeft, kMargin, std::max(120, int(text.size()) * 6), 13);
    dialog->message_ = label;

    bool hasDefault = false;
    bool hasCancel = false;
    TMsgDlgBtn defaultButton = FirstOf(buttons, {mbOK, mbYes, mbRetry}, hasDefault);
    TMsgDlgBtn cancelButton = FirstOf(buttons, {mbCancel, mbNo, mbOK}, hasCancel);

    int count = 0;
    for (TMsgDlgBtn b : kButtonOrder) {
        count += buttons.Contains(b) ? 1 : 0;
    }
    int buttonsWidth = count * kButtonWidth + std::max(0, count - 1) * kMargin;
    int width = std::max(textLeft + label->GetWidth(), buttonsWidth) + 2 * kMargin;
    dialog->SetClientWidth(width);
    int buttonTop = kMargin * 3 + std::max(kIconSize, label->GetHeight());
    dialog->SetClientHeight(buttonTop + kButtonHeight + kMargin);

    int x = (width - buttonsWidth) / 2;
    int tabOrder = 0;
    for (TMsgDlgBtn b : kButtonOrder) {
        if (!buttons.Contains(b)) {
            continue;
        }
        auto* button = Create<TButton>(dialog.get());
        button->SetName(ButtonName(b));
        button->SetParent(dialog.get());
        button->SetCaption(std::string(ButtonCaption(b)));
        button->SetModalResult(ButtonModalResult(b));
        button->SetDefault(hasDefault && b == defaultButton);
        button->SetCancel(hasCancel && b == cancelButton);
        button->SetBounds(x, buttonTop, kButtonWidth, kButtonHeight);
        button->SetTabOrder(tabOrder++);
        if (button->GetDefault()) {
            dialog->SetActiveControl(button);
        }
        x += kButtonWidth + kMargin;
    }
    return dialog;
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                        int /*helpContext*/) {
    auto dialog = CreateMessageDialog(text, type, buttons);
    return dialog->ShowModal();
}

void TDialogResponder::Respond(TMessageForm& dialog) {
    TDialogRecord record;
    record.type = dialog.DialogType();
    record.caption = dialog.GetCaption();
    record.text = dialog.Text();
    record.buttons = dialog.Buttons();
    record.fontName = dialog.GetFont()->GetName();
    record.fontHeight = dialog.GetFont()->GetHeight();
    record.fontCharset = dialog.GetFont()->GetCharset();

    TButton* target = nullptr;
    TModalResult answer = mrCancel;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
        for (int i = 0; i < dialog.ComponentCount(); ++i) {
            auto* b = As<TButton>(dialog.Components(i));
            if (b != nullptr && b->GetModalResult() == answer) {
                target = b;
                break;
            }
        }
    } else {
        for (int i = 0; i < dialog.ComponentCount(); ++i) {
            auto* b = As<TButton>(dialog.Components(i));
            if (b != nullptr && b->GetCancel()) {
                target = b;
                answer = b->GetModalResult();
                break;
            }
        }
    }
    record.answer = answer;
    log_.push_back(record);
    if (target != nullptr) {
        target->Click();
    } else {
        dialog.SetModalResult(answer);
    }
}

} // namespace kvc

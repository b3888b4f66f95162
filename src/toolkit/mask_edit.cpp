#include "toolkit/mask_edit.h"

#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TMaskEdit) {
    c.Property("EditMask", &TMaskEdit::GetEditMask, &TMaskEdit::SetEditMask);
    c.Property("Text", &TMaskEdit::GetText, &TMaskEdit::SetText);
}

TMaskEdit::TMaskEdit() = default;

std::string TMaskEdit::GetText() const {
    return IsMasked() ? masked_.Text() : text_;
}

void TMaskEdit::Sync() {
    std::string shown = IsMasked() ? masked_.EditText() : masked_.Text();
    if (shown == text_) {
        return;
    }
    int caret = SelStart();
    text_ = std::move(shown);
    SetSelStart(caret);
    Change();
}

void TMaskEdit::UserChanged() {
    if (masked_.EditText() != text_) {
        SetModified(true);
    }
    Sync();
}

void TMaskEdit::SetEditMask(const std::string& mask) {
    if (mask == GetEditMask()) {
        return;
    }
    if (!IsMasked()) {
        masked_.SetText(text_);
    }
    if (mask.empty()) {
        // Without a mask the edit keeps what it shows.
        std::string shown = text_;
        masked_.SetMask(EditMask());
        masked_.SetText(shown);
    } else {
        masked_.SetMask(EditMask(mask));
    }
    Sync();
}

void TMaskEdit::SetText(const std::string& text) {
    if (!IsMasked()) {
        TCustomEdit::SetText(text);
        return;
    }
    masked_.SetText(text);
    SetModified(false);
    Sync();
}

void TMaskEdit::SetEditText(const std::string& text) {
    if (!IsMasked()) {
        TCustomEdit::SetText(text);
        return;
    }
    masked_.SetEditText(text);
    SetModified(false);
    Sync();
}

void TMaskEdit::ValidateEdit() {
    std::size_t invalid = 0;
    if (!IsMasked() || !GetModified() || masked_.Validate(invalid)) {
        return;
    }
    if (CanFocus() && !Focused()) {
        reentering_ = true;
        SetFocus();
        reentering_ = false;
    }
    SetSelStart(int(invalid));
    throw EDBEditError("Invalid input value.  Use escape key to abandon changes");
}

bool TMaskEdit::WantsKey(Word key, TShiftState shift) const {
    if (key == VK_ESCAPE && IsMasked() && GetModified()) {
        return true;
    }
    return TCustomEdit::WantsKey(key, shift);
}

void TMaskEdit::DoEnter() {
    // Coming back after a failed validation keeps what Esc returns to.
    if (!reentering_) {
        enterText_ = text_;
    }
    TCustomEdit::DoEnter();
}

void TMaskEdit::DoExit() {
    ValidateEdit();
    TCustomEdit::DoExit();
}

void TMaskEdit::ClearSelection() {
    for (int i = SelStart(); i < SelStart() + SelLength(); ++i) {
        masked_.Delete(std::size_t(i));
    }
}

void TMaskEdit::KeyDown(Word& key, TShiftState shift) {
    if (!IsMasked()) {
        TCustomEdit::KeyDown(key, shift);
        return;
    }
    if (key == VK_ESCAPE && GetModified()) {
        masked_.SetEditText(enterText_);
        SetModified(false);
        Sync();
        SelectAll();
        key = 0;
    } else if (key == VK_DELETE && !GetReadOnly()) {
        int caret = SelStart();
        if (SelLength() > 0) {
            ClearSelection();
        } else {
            masked_.Delete(std::size_t(caret));
        }
        UserChanged();
        SetSelStart(caret);
    } else {
        TCustomEdit::KeyDown(key, shift);
    }
}

void TMaskEdit::KeyPress(char32_t& ch) {
    if (!IsMasked()) {
        TCustomEdit::KeyPress(ch);
        return;
    }
    if (GetReadOnly() || (ch < 32 && ch != 8)) {
        return;
    }
    std::size_t caret = std::size_t(SelStart());
    if (SelLength() > 0) {
        ClearSelection();
    } else if (ch == 8) {
        masked_.Backspace(caret);
    }
    if (ch != 8 && !masked_.Type(caret, ch)) {
        // Refused: only a cleared selection changes the text.
        caret = std::size_t(SelStart());
    }
    UserChanged();
    SetSelStart(int(caret));
}

} // namespace kvc

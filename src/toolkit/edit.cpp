#include "toolkit/edit.h"

#include "runtime/strings.h"
#include "runtime/utf8.h"
#include "toolkit/class_builder.h"

#include <algorithm>

namespace kvc {

std::u32string ToChars(std::string_view text) {
    std::u32string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        out.push_back(NextCodePoint(text, pos));
    }
    return out;
}

std::string FromChars(std::u32string_view chars) {
    std::string out;
    for (char32_t c : chars) {
        AppendUtf8(out, c);
    }
    return out;
}

KVC_REGISTER_CLASS(TCustomEdit) {
    c.Property("Align", &TCustomEdit::GetAlign, &TCustomEdit::SetAlign);
    c.Property("Anchors", &TCustomEdit::GetAnchors, &TCustomEdit::SetAnchors);
    c.Property("AutoSelect", &TCustomEdit::GetAutoSelect, &TCustomEdit::SetAutoSelect);
    c.Property("CharCase", &TCustomEdit::GetCharCase, &TCustomEdit::SetCharCase);
    c.Property("Color", &TCustomEdit::GetColor, &TCustomEdit::SetColor);
    c.Property("Enabled", &TCustomEdit::GetEnabled, &TCustomEdit::SetEnabled);
    c.Property("Font", &TCustomEdit::GetFont, &TCustomEdit::SetFont);
    c.Property("ImeName", &TCustomEdit::GetImeName, &TCustomEdit::SetImeName);
    c.Property("MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength);
    c.Property("ParentColor", &TCustomEdit::GetParentColor, &TCustomEdit::SetParentColor);
    c.Property("ParentFont", &TCustomEdit::GetParentFont, &TCustomEdit::SetParentFont);
    c.Property("ParentShowHint", &TCustomEdit::GetParentShowHint, &TCustomEdit::SetParentShowHint);
    c.Property("PasswordChar", &TCustomEdit::GetPasswordChar, &TCustomEdit::SetPasswordChar);
    c.Property("ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly);
    c.Property("ShowHint", &TCustomEdit::GetShowHint, &TCustomEdit::SetShowHint);
    c.Property("TabOrder", &TCustomEdit::GetTabOrder, &TCustomEdit::SetTabOrder);
    c.Property("TabStop", &TCustomEdit::GetTabStop, &TCustomEdit::SetTabStop);
    c.Property("Text", &TCustomEdit::GetText, &TCustomEdit::SetText);
    c.Property("Visible", &TCustomEdit::GetVisible, &TCustomEdit::SetVisible);
    c.Event("OnChange", &TCustomEdit::OnChange);
    c.Event("OnClick", &TCustomEdit::OnClick);
    c.Event("OnDblClick", &TCustomEdit::OnDblClick);
    c.Event("OnEnter", &TCustomEdit::OnEnter);
    c.Event("OnExit", &TCustomEdit::OnExit);
    c.Event("OnKeyDown", &TCustomEdit::OnKeyDown);
    c.Event("OnKeyPress", &TCustomEdit::OnKeyPress);
    c.Event("OnKeyUp", &TCustomEdit::OnKeyUp);
    c.Event("OnMouseDown", &TCustomEdit::OnMouseDown);
    c.Event("OnMouseUp", &TCustomEdit::OnMouseUp);
}

KVC_REGISTER_CLASS(TEdit) {}

TCustomEdit::TCustomEdit() {
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

int TCustomEdit::Length() const {
    return int(ToChars(text_).size());
}

void TCustomEdit::SetText(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    modified_ = false;
    int length = Length();
    selStart_ = std::min(selStart_, length);
    selLength_ = std::min(selLength_, length - selStart_);
    Invalidate();
    Change();
}

void TCustomEdit::Change() {
    OnChange(this);
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    charCase_ = value;
    if (value == ecUpperCase) {
        SetText(AnsiUpperCase(text_));
    } else if (value == ecLowerCase) {
        SetText(AnsiLowerCase(text_));
    }
}

void TCustomEdit::SetSelStart(int start) {
    selStart_ = std::clamp(start, 0, Length());
    selLength_ = 0;
}

void TCustomEdit::SetSelLength(int length) {
    selLength_ = std::clamp(length, 0, Length() - selStart_);
}

std::string TCustomEdit::SelText() const {
    std::u32string chars = ToChars(text_);
    return FromChars(
        std::u32string_view(chars).substr(std::size_t(selStart_), std::size_t(selLength_)));
}

void TCustomEdit::SetSelText(const std::string& text) {
    Replace(selStart_, selLength_, ToChars(text));
}

void TCustomEdit::SelectAll() {
    selStart_ = 0;
    selLength_ = Length();
}

void TCustomEdit::Replace(int start, int length, const std::u32string& with) {
    std::u32string chars = ToChars(text_);
    chars.replace(std::size_t(start), std::size_t(length), with);
    int caret = start + int(with.size());
    std::string text = FromChars(chars);
    selStart_ = caret;
    selLength_ = 0;
    if (text != text_) {
        text_ = std::move(text);
        Change();
    }
}

bool TCustomEdit::WantsKey(Word key, TShiftState) const {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

void TCustomEdit::DoEnter() {
    // A click places the caret; only the keyboard selects the whole text.
    if (autoSelect_ && !IsMouseDown()) {
        SelectAll();
    }
    TWinControl::DoEnter();
}

void TCustomEdit::KeyDown(Word& key, TShiftState) {
    int length = Length();
    switch (key) {
    case VK_LEFT:
        SetSelStart(selLength_ > 0 ? selStart_ : selStart_ - 1);
        break;
    case VK_RIGHT:
        SetSelStart(selLength_ > 0 ? selStart_ + selLength_ : selStart_ + 1);
        break;
    case VK_HOME:
        SetSelStart(0);
        break;
    case VK_END:
        SetSelStart(length);
        break;
    case VK_DELETE:
        if (!readOnly_) {
            modified_ = true;
            if (selLength_ > 0) {
                Replace(selStart_, selLength_, U"");
            } else if (selStart_ < length) {
                Replace(selStart_, 1, U"");
            }
        }
        break;
    default:
        break;
    }
}

void TCustomEdit::KeyPress(char32_t& ch) {
    if (readOnly_) {
        return;
    }
    if (ch == 8 || ch >= 32) {
        modified_ = true;
    }
    if (ch == 8) {
        if (selLength_ > 0) {
            Replace(selStart_, selLength_, U"");
        } else if (selStart_ > 0) {
            Replace(selStart_ - 1, 1, U"");
        }
        return;
    }
    if (ch < 32) {
        return;
    }
    if (charCase_ == ecUpperCase && ch >= 'a' && ch <= 'z') {
        ch -= 32;
    } else if (charCase_ == ecLowerCase && ch >= 'A' && ch <= 'Z') {
        ch += 32;
    }
    if (maxLength_ > 0 && Length() - selLength_ + 1 > maxLength_) {
        return;
    }
    Replace(selStart_, selLength_, std::u32string(1, ch));
}

} // namespace kvc

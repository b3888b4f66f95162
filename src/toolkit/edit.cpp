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

KVC_REGISTER_CLASS(TEdit) {
    c.Property("Align", &TEdit::GetAlign, &TEdit::SetAlign);
    c.Property("Anchors", &TEdit::GetAnchors, &TEdit::SetAnchors);
    c.Property("AutoSelect", &TEdit::GetAutoSelect, &TEdit::SetAutoSelect);
    c.Property("CharCase", &TEdit::GetCharCase, &TEdit::SetCharCase);
    c.Property("Color", &TEdit::GetColor, &TEdit::SetColor);
    c.Property("Enabled", &TEdit::GetEnabled, &TEdit::SetEnabled);
    c.Property("Font", &TEdit::GetFont, &TEdit::SetFont);
    c.Property("ImeName", &TEdit::GetImeName, &TEdit::SetImeName);
    c.Property("MaxLength", &TEdit::GetMaxLength, &TEdit::SetMaxLength);
    c.Property("ParentColor", &TEdit::GetParentColor, &TEdit::SetParentColor);
    c.Property("ParentFont", &TEdit::GetParentFont, &TEdit::SetParentFont);
    c.Property("ParentShowHint", &TEdit::GetParentShowHint, &TEdit::SetParentShowHint);
    c.Property("PasswordChar", &TEdit::GetPasswordChar, &TEdit::SetPasswordChar);
    c.Property("ReadOnly", &TEdit::GetReadOnly, &TEdit::SetReadOnly);
    c.Property("ShowHint", &TEdit::GetShowHint, &TEdit::SetShowHint);
    c.Property("TabOrder", &TEdit::GetTabOrder, &TEdit::SetTabOrder);
    c.Property("TabStop", &TEdit::GetTabStop, &TEdit::SetTabStop);
    c.Property("Text", &TEdit::GetText, &TEdit::SetText);
    c.Property("Visible", &TEdit::GetVisible, &TEdit::SetVisible);
    c.Event("OnChange", &TEdit::OnChange);
    c.Event("OnClick", &TEdit::OnClick);
    c.Event("OnDblClick", &TEdit::OnDblClick);
    c.Event("OnEnter", &TEdit::OnEnter);
    c.Event("OnExit", &TEdit::OnExit);
    c.Event("OnKeyDown", &TEdit::OnKeyDown);
    c.Event("OnKeyPress", &TEdit::OnKeyPress);
    c.Event("OnKeyUp", &TEdit::OnKeyUp);
    c.Event("OnMouseDown", &TEdit::OnMouseDown);
    c.Event("OnMouseUp", &TEdit::OnMouseUp);
}

TEdit::TEdit() {
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

int TEdit::Length() const {
    return int(ToChars(text_).size());
}

void TEdit::SetText(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    int length = Length();
    selStart_ = std::min(selStart_, length);
    selLength_ = std::min(selLength_, length - selStart_);
    Change();
}

void TEdit::Change() {
    OnChange(this);
}

void TEdit::SetCharCase(TEditCharCase value) {
    charCase_ = value;
    if (value == ecUpperCase) {
        SetText(AnsiUpperCase(text_));
    } else if (value == ecLowerCase) {
        SetText(AnsiLowerCase(text_));
    }
}

void TEdit::SetSelStart(int start) {
    selStart_ = std::clamp(start, 0, Length());
    selLength_ = 0;
}

void TEdit::SetSelLength(int length) {
    selLength_ = std::clamp(length, 0, Length() - selStart_);
}

std::string TEdit::SelText() const {
    std::u32string chars = ToChars(text_);
    return FromChars(
        std::u32string_view(chars).substr(std::size_t(selStart_), std::size_t(selLength_)));
}

void TEdit::SetSelText(const std::string& text) {
    Replace(selStart_, selLength_, ToChars(text));
}

void TEdit::SelectAll() {
    selStart_ = 0;
    selLength_ = Length();
}

void TEdit::Replace(int start, int length, const std::u32string& with) {
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

bool TEdit::WantsKey(Word key, TShiftState) const {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

void TEdit::DoEnter() {
    // A click places the caret; only the keyboard selects the whole text.
    if (autoSelect_ && !IsMouseDown()) {
        SelectAll();
    }
    TWinControl::DoEnter();
}

void TEdit::KeyDown(Word& key, TShiftState) {
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

void TEdit::KeyPress(char32_t& ch) {
    if (readOnly_) {
        return;
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

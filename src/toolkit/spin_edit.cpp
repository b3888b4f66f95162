#include "toolkit/spin_edit.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TSpinEdit) {
    c.Property("EditorEnabled", &TSpinEdit::GetEditorEnabled, &TSpinEdit::SetEditorEnabled);
    c.Property("Increment", &TSpinEdit::GetIncrement, &TSpinEdit::SetIncrement);
    c.Property("MaxValue", &TSpinEdit::GetMaxValue, &TSpinEdit::SetMaxValue);
    c.Property("MinValue", &TSpinEdit::GetMinValue, &TSpinEdit::SetMinValue);
    c.Property("Value", &TSpinEdit::GetValue, &TSpinEdit::SetValue);
}

TSpinEdit::TSpinEdit() {
    SetText("0");
}

int TSpinEdit::CheckValue(int value) const {
    if (maxValue_ == minValue_) {
        return value;
    }
    return std::clamp(value, std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
}

int TSpinEdit::GetValue() const {
    std::int32_t value = 0;
    if (!TryStrToInt(Trim(GetText()), value)) {
        value = minValue_;
    }
    return CheckValue(value);
}

void TSpinEdit::SetValue(int value) {
    SetText(IntToStr(CheckValue(value)));
}

void TSpinEdit::UpClick() {
    if (!GetReadOnly()) {
        SetValue(GetValue() + increment_);
        SetModified(true);
    }
}

void TSpinEdit::DownClick() {
    if (!GetReadOnly()) {
        SetValue(GetValue() - increment_);
        SetModified(true);
    }
}

bool TSpinEdit::WantsKey(Word key, TShiftState shift) const {
    return key == VK_UP || key == VK_DOWN || TCustomEdit::WantsKey(key, shift);
}

void TSpinEdit::DoExit() {
    std::int32_t typed = 0;
    if (TryStrToInt(Trim(GetText()), typed) && CheckValue(typed) != typed) {
        SetValue(typed);
    }
    TCustomEdit::DoExit();
}

void TSpinEdit::KeyDown(Word& key, TShiftState shift) {
    if (key == VK_UP) {
        UpClick();
    } else if (key == VK_DOWN) {
        DownClick();
    } else {
        TCustomEdit::KeyDown(key, shift);
    }
}

void TSpinEdit::KeyPress(char32_t& ch) {
    bool control = ch < 32;
    bool numeric = (ch >= U'0' && ch <= U'9') || ch == U'-' || ch == U'+';
    if (!editorEnabled_ || (!control && !numeric)) {
        ch = 0;
        return;
    }
    TCustomEdit::KeyPress(ch);
}

} // namespace kvc

#include "controls/glyph_buttons.h"

#include "controls/glyph_library.h"
#include "runtime/strings.h"
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/dialogs.h"

namespace kvc::controls {

void SendLookupRequest(TWinControl& control) {
    auto* owner = As<TWinControl>(control.Owner());
    if (owner == nullptr) {
        return;
    }
    SendMessage(owner->Handle(), WM_F2LOOKUP, 0, reinterpret_cast<LPARAM>(&control));
}

KVC_REGISTER_CLASS(TGSpeedButton) {
    c.Property("GlyphIndex", &TGSpeedButton::GetGlyphIndex, &TGSpeedButton::SetGlyphIndex);
}

void TGSpeedButton::SetGlyphIndex(int index) {
    if (index == glyphIndex_) {
        return;
    }
    glyphIndex_ = index;
    // Until a picture is loaded the number stands in for it.
    SetCaption(IntToStr(index));
    try {
        TGlyphData picture;
        std::optional<TGlyphSize> size;
        if (index > 0 && index <= GetMaxBmpID()) {
            size = LoadBmp(picture, index);
        }
        // A number the library does not hold leaves no stale picture behind.
        SetGlyph(&picture);
        if (size) {
            SetCaption("");
            SetNumGlyphs(size->height > 0 ? size->width / size->height : 1);
        }
    } catch (const std::exception&) {
        MessageDlg("读取 BMP 发生错误", mtError, {mbOK});
    }
    Invalidate();
}

KVC_REGISTER_CLASS(TF2Button) {
    c.Property("AutoAlign", &TF2Button::GetAutoAlign, &TF2Button::SetAutoAlign);
    c.Property("F2Control", &TF2Button::GetF2Control, &TF2Button::SetF2Control);
    c.Property("Gap", &TF2Button::GetGap, &TF2Button::SetGap);
}

TF2Button::TF2Button() {
    SetFlat(true);
    SetGlyphIndex(8);
}

void TF2Button::SetAutoAlign(bool value) {
    autoAlign_ = value;
    Realign();
}

void TF2Button::SetGap(std::uint8_t value) {
    if (value == gap_) {
        return;
    }
    gap_ = value;
    Realign();
}

bool TF2Button::ServedByAnother(const TWinControl* control) const {
    const TWinControl* parent = Parent();
    if (parent == nullptr) {
        return false;
    }
    for (int i = 0; i < parent->ComponentCount(); ++i) {
        auto* other = As<TF2Button>(parent->Components(i));
        if (other != nullptr && other != this && other->f2Control_ == control) {
            return true;
        }
    }
    return false;
}

void TF2Button::SetF2Control(TWinControl* control) {
    if (control != nullptr) {
        if (ServedByAnother(control)) {
            MessageDlg("不能同时有两个 F2Button 指到同一个 Edit.", mtError, {mbOK});
            return;
        }
        if (control == f2Control_) {
            return;
        }
    }
    if (f2Control_ != nullptr) {
        RemoveFreeNotification(f2Control_);
    }
    f2Control_ = control;
    if (control != nullptr) {
        FreeNotification(control);
        Realign();
    }
}

void TF2Button::Realign() {
    if (f2Control_ == nullptr || !autoAlign_) {
        return;
    }
    const TWinControl& c = *f2Control_;
    SetBounds(c.GetLeft() + c.GetWidth() + gap_, c.GetTop(), c.GetHeight(), c.GetHeight());
}

void TF2Button::Click() {
    TDestroyGuard guard(*this);
    TGSpeedButton::Click();
    if (!guard.Alive() || f2Control_ == nullptr || !f2Control_->GetEnabled()) {
        return;
    }
    TWinControl& control = *f2Control_;
    if (control.CanFocus()) {
        control.SetFocus();
    }
    if (control.Focused()) {
        SendLookupRequest(control);
    }
}

void TF2Button::Notification(TComponent* component, TOperation operation) {
    TGSpeedButton::Notification(component, operation);
    if (operation == opRemove && component == f2Control_) {
        f2Control_ = nullptr;
    }
}

} // namespace kvc::controls

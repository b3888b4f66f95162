#include "toolkit/label.h"

#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TLabel) {
    c.Property("Align", &TLabel::GetAlign, &TLabel::SetAlign);
    c.Property("Alignment", &TLabel::GetAlignment, &TLabel::SetAlignment);
    c.Property("Anchors", &TLabel::GetAnchors, &TLabel::SetAnchors);
    c.Property("AutoSize", &TLabel::GetAutoSize, &TLabel::SetAutoSize);
    c.Property("Caption", &TLabel::GetCaption, &TLabel::SetCaption);
    c.Property("Color", &TLabel::GetColor, &TLabel::SetColor);
    c.Property("Enabled", &TLabel::GetEnabled, &TLabel::SetEnabled);
    c.Property("FocusControl", &TLabel::GetFocusControl, &TLabel::SetFocusControl);
    c.Property("Font", &TLabel::GetFont, &TLabel::SetFont);
    c.Property("Layout", &TLabel::GetLayout, &TLabel::SetLayout);
    c.Property("ParentColor", &TLabel::GetParentColor, &TLabel::SetParentColor);
    c.Property("ParentFont", &TLabel::GetParentFont, &TLabel::SetParentFont);
    c.Property("ParentShowHint", &TLabel::GetParentShowHint, &TLabel::SetParentShowHint);
    c.Property("ShowAccelChar", &TLabel::GetShowAccelChar, &TLabel::SetShowAccelChar);
    c.Property("ShowHint", &TLabel::GetShowHint, &TLabel::SetShowHint);
    c.Property("Transparent", &TLabel::GetTransparent, &TLabel::SetTransparent);
    c.Property("Visible", &TLabel::GetVisible, &TLabel::SetVisible);
    c.Property("WordWrap", &TLabel::GetWordWrap, &TLabel::SetWordWrap);
    c.Event("OnClick", &TLabel::OnClick);
    c.Event("OnDblClick", &TLabel::OnDblClick);
    c.Event("OnMouseDown", &TLabel::OnMouseDown);
    c.Event("OnMouseUp", &TLabel::OnMouseUp);
}

TLabel::TLabel() {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TLabel::SetFocusControl(TWinControl* control) {
    if (control == focusControl_) {
        return;
    }
    if (focusControl_ != nullptr) {
        RemoveFreeNotification(focusControl_);
    }
    focusControl_ = control;
    if (control != nullptr) {
        FreeNotification(control);
    }
}

bool TLabel::DialogKey(Word key, TShiftState shift) {
    if (shift == TShiftState{ssAlt} && showAccelChar_ && focusControl_ != nullptr &&
        IsAccel(key, GetCaption()) && focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        return true;
    }
    return false;
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) {
        focusControl_ = nullptr;
    }
}

} // namespace kvc

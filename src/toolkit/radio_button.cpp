#include "toolkit/radio_button.h"

#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TRadioButton) {
    c.Property("Alignment", &TRadioButton::GetAlignment, &TRadioButton::SetAlignment);
    c.Property("Anchors", &TRadioButton::GetAnchors, &TRadioButton::SetAnchors);
    c.Property("Caption", &TRadioButton::GetCaption, &TRadioButton::SetCaption);
    c.Property("Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked);
    c.Property("Color", &TRadioButton::GetColor, &TRadioButton::SetColor);
    c.Property("Enabled", &TRadioButton::GetEnabled, &TRadioButton::SetEnabled);
    c.Property("Font", &TRadioButton::GetFont, &TRadioButton::SetFont);
    c.Property("ParentColor", &TRadioButton::GetParentColor, &TRadioButton::SetParentColor);
    c.Property("ParentFont", &TRadioButton::GetParentFont, &TRadioButton::SetParentFont);
    c.Property("ParentShowHint", &TRadioButton::GetParentShowHint,
               &TRadioButton::SetParentShowHint);
    c.Property("ShowHint", &TRadioButton::GetShowHint, &TRadioButton::SetShowHint);
    c.Property("TabOrder", &TRadioButton::GetTabOrder, &TRadioButton::SetTabOrder);
    c.Property("TabStop", &TRadioButton::GetTabStop, &TRadioButton::SetTabStop);
    c.Property("Visible", &TRadioButton::GetVisible, &TRadioButton::SetVisible);
    c.Event("OnClick", &TRadioButton::OnClick);
    c.Event("OnDblClick", &TRadioButton::OnDblClick);
    c.Event("OnEnter", &TRadioButton::OnEnter);
    c.Event("OnExit", &TRadioButton::OnExit);
    c.Event("OnKeyDown", &TRadioButton::OnKeyDown);
    c.Event("OnKeyPress", &TRadioButton::OnKeyPress);
    c.Event("OnKeyUp", &TRadioButton::OnKeyUp);
    c.Event("OnMouseDown", &TRadioButton::OnMouseDown);
    c.Event("OnMouseUp", &TRadioButton::OnMouseUp);
}

TRadioButton::TRadioButton() {
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    SetTabStop(checked);
    if (!checked) {
        return;
    }
    TurnSiblingsOff();
    if (!IsLoading()) {
        TWinControl::Click();
    }
}

void TRadioButton::TurnSiblingsOff() {
    if (Parent() == nullptr) {
        return;
    }
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* sibling = As<TRadioButton>(Parent()->Controls(i));
        if (sibling != nullptr && sibling != this && sibling->checked_) {
            sibling->checked_ = false;
            sibling->SetTabStop(false);
        }
    }
}

void TRadioButton::Click() {
    SetChecked(true);
}

} // namespace kvc

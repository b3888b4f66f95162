#include "toolkit/check_box.h"

#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TCheckBox) {
    c.Property("Alignment", &TCheckBox::GetAlignment, &TCheckBox::SetAlignment);
    c.Property("AllowGrayed", &TCheckBox::GetAllowGrayed, &TCheckBox::SetAllowGrayed);
    c.Property("Anchors", &TCheckBox::GetAnchors, &TCheckBox::SetAnchors);
    c.Property("Caption", &TCheckBox::GetCaption, &TCheckBox::SetCaption);
    c.Property("Checked", &TCheckBox::GetChecked, &TCheckBox::SetChecked);
    c.Property("Color", &TCheckBox::GetColor, &TCheckBox::SetColor);
    c.Property("Enabled", &TCheckBox::GetEnabled, &TCheckBox::SetEnabled);
    c.Property("Font", &TCheckBox::GetFont, &TCheckBox::SetFont);
    c.Property("ParentColor", &TCheckBox::GetParentColor, &TCheckBox::SetParentColor);
    c.Property("ParentFont", &TCheckBox::GetParentFont, &TCheckBox::SetParentFont);
    c.Property("ParentShowHint", &TCheckBox::GetParentShowHint, &TCheckBox::SetParentShowHint);
    c.Property("ShowHint", &TCheckBox::GetShowHint, &TCheckBox::SetShowHint);
    c.Property("State", &TCheckBox::GetState, &TCheckBox::SetState);
    c.Property("TabOrder", &TCheckBox::GetTabOrder, &TCheckBox::SetTabOrder);
    c.Property("TabStop", &TCheckBox::GetTabStop, &TCheckBox::SetTabStop);
    c.Property("Visible", &TCheckBox::GetVisible, &TCheckBox::SetVisible);
    c.Event("OnClick", &TCheckBox::OnClick);
    c.Event("OnEnter", &TCheckBox::OnEnter);
    c.Event("OnExit", &TCheckBox::OnExit);
    c.Event("OnKeyDown", &TCheckBox::OnKeyDown);
    c.Event("OnKeyPress", &TCheckBox::OnKeyPress);
    c.Event("OnKeyUp", &TCheckBox::OnKeyUp);
    c.Event("OnMouseDown", &TCheckBox::OnMouseDown);
    c.Event("OnMouseUp", &TCheckBox::OnMouseUp);
}

TCheckBox::TCheckBox() {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCheckBox::SetState(TCheckBoxState state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    if (!IsLoading()) {
        TWinControl::Click();
    }
}

TCheckBoxState TCheckBox::NextState() const {
    switch (state_) {
    case cbUnchecked:
        return allowGrayed_ ? cbGrayed : cbChecked;
    case cbGrayed:
        return cbChecked;
    default:
        return cbUnchecked;
    }
}

void TCheckBox::Click() {
    SetState(NextState());
}

} // namespace kvc

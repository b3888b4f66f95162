#include "toolkit/button.h"

#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TButton) {
    c.Property("Anchors", &TButton::GetAnchors, &TButton::SetAnchors);
    c.Property("Cancel", &TButton::GetCancel, &TButton::SetCancel);
    c.Property("Caption", &TButton::GetCaption, &TButton::SetCaption);
    c.Property("Default", &TButton::GetDefault, &TButton::SetDefault);
    c.Property("Enabled", &TButton::GetEnabled, &TButton::SetEnabled);
    c.Property("Font", &TButton::GetFont, &TButton::SetFont);
    c.Property("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult);
    c.Property("ParentFont", &TButton::GetParentFont, &TButton::SetParentFont);
    c.Property("ParentShowHint", &TButton::GetParentShowHint, &TButton::SetParentShowHint);
    c.Property("ShowHint", &TButton::GetShowHint, &TButton::SetShowHint);
    c.Property("TabOrder", &TButton::GetTabOrder, &TButton::SetTabOrder);
    c.Property("TabStop", &TButton::GetTabStop, &TButton::SetTabStop);
    c.Property("Visible", &TButton::GetVisible, &TButton::SetVisible);
    c.Event("OnClick", &TButton::OnClick);
    c.Event("OnEnter", &TButton::OnEnter);
    c.Event("OnExit", &TButton::OnExit);
    c.Event("OnKeyDown", &TButton::OnKeyDown);
    c.Event("OnKeyPress", &TButton::OnKeyPress);
    c.Event("OnKeyUp", &TButton::OnKeyUp);
    c.Event("OnMouseDown", &TButton::OnMouseDown);
    c.Event("OnMouseUp", &TButton::OnMouseUp);
}

TButton::TButton() {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm()) {
        form->SetModalResult(modalResult_);
    }
    TWinControl::Click();
}

bool TButton::DialogKey(Word key, TShiftState shift) {
    if (!CanFocus()) {
        return false;
    }
    if (shift == TShiftState{ssAlt} && IsAccel(key, GetCaption())) {
        Click();
        return true;
    }
    if (!shift.Empty()) {
        return false;
    }
    bool use = false;
    if (key == VK_RETURN) {
        TCustomForm* form = GetParentForm();
        bool buttonFocused = form != nullptr && As<TButton>(form->GetActiveControl()) != nullptr;
        use = Focused() || (default_ && !buttonFocused);
    } else if (key == VK_ESCAPE) {
        use = cancel_;
    }
    if (use) {
        Click();
    }
    return use;
}

void TButton::KeyPress(char32_t& ch) {
    if (ch == U' ') {
        Click();
    }
}

} // namespace kvc

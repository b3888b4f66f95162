#include "toolkit/group_box.h"

#include "toolkit/class_builder.h"

#include <cstdlib>

namespace kvc {

KVC_REGISTER_CLASS(TGroupBox) {
    c.Property("Align", &TGroupBox::GetAlign, &TGroupBox::SetAlign);
    c.Property("Anchors", &TGroupBox::GetAnchors, &TGroupBox::SetAnchors);
    c.Property("Caption", &TGroupBox::GetCaption, &TGroupBox::SetCaption);
    c.Property("Color", &TGroupBox::GetColor, &TGroupBox::SetColor);
    c.Property("Enabled", &TGroupBox::GetEnabled, &TGroupBox::SetEnabled);
    c.Property("Font", &TGroupBox::GetFont, &TGroupBox::SetFont);
    c.Property("ParentColor", &TGroupBox::GetParentColor, &TGroupBox::SetParentColor);
    c.Property("ParentFont", &TGroupBox::GetParentFont, &TGroupBox::SetParentFont);
    c.Property("ParentShowHint", &TGroupBox::GetParentShowHint, &TGroupBox::SetParentShowHint);
    c.Property("ShowHint", &TGroupBox::GetShowHint, &TGroupBox::SetShowHint);
    c.Property("TabOrder", &TGroupBox::GetTabOrder, &TGroupBox::SetTabOrder);
    c.Property("TabStop", &TGroupBox::GetTabStop, &TGroupBox::SetTabStop);
    c.Property("Visible", &TGroupBox::GetVisible, &TGroupBox::SetVisible);
    c.Event("OnClick", &TGroupBox::OnClick);
    c.Event("OnDblClick", &TGroupBox::OnDblClick);
    c.Event("OnEnter", &TGroupBox::OnEnter);
    c.Event("OnExit", &TGroupBox::OnExit);
    c.Event("OnMouseDown", &TGroupBox::OnMouseDown);
    c.Event("OnMouseUp", &TGroupBox::OnMouseUp);
    c.Event("OnResize", &TGroupBox::OnResize);
}

TGroupBox::TGroupBox() {
    SetBounds(0, 0, 185, 105);
}

int TGroupBox::CaptionHeight() const {
    // A negative Font.Height is the character height in pixels; until text
    // is measured by the painter, that is the caption line's height.
    return std::abs(GetFont()->GetHeight());
}

TRect TGroupBox::ClientRect() const {
    // The caption line, then a frame two pixels wide (the classic 3-D edge).
    return {2, CaptionHeight() + 2, GetWidth() - 2, GetHeight() - 2};
}

} // namespace kvc

#include "toolkit/panel.h"

#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TPanel) {
    c.Property("Align", &TPanel::GetAlign, &TPanel::SetAlign);
    c.Property("Alignment", &TPanel::GetAlignment, &TPanel::SetAlignment);
    c.Property("Anchors", &TPanel::GetAnchors, &TPanel::SetAnchors);
    c.Property("BevelInner", &TPanel::GetBevelInner, &TPanel::SetBevelInner);
    c.Property("BevelOuter", &TPanel::GetBevelOuter, &TPanel::SetBevelOuter);
    c.Property("BevelWidth", &TPanel::GetBevelWidth, &TPanel::SetBevelWidth);
    c.Property("BorderWidth", &TPanel::GetBorderWidth, &TPanel::SetBorderWidth);
    c.Property("Caption", &TPanel::GetCaption, &TPanel::SetCaption);
    c.Property("Color", &TPanel::GetColor, &TPanel::SetColor);
    c.Property("Enabled", &TPanel::GetEnabled, &TPanel::SetEnabled);
    c.Property("Font", &TPanel::GetFont, &TPanel::SetFont);
    c.Property("ParentColor", &TPanel::GetParentColor, &TPanel::SetParentColor);
    c.Property("ParentFont", &TPanel::GetParentFont, &TPanel::SetParentFont);
    c.Property("ParentShowHint", &TPanel::GetParentShowHint, &TPanel::SetParentShowHint);
    c.Property("ShowHint", &TPanel::GetShowHint, &TPanel::SetShowHint);
    c.Property("TabOrder", &TPanel::GetTabOrder, &TPanel::SetTabOrder);
    c.Property("TabStop", &TPanel::GetTabStop, &TPanel::SetTabStop);
    c.Property("Visible", &TPanel::GetVisible, &TPanel::SetVisible);
    c.Event("OnClick", &TPanel::OnClick);
    c.Event("OnEnter", &TPanel::OnEnter);
    c.Event("OnExit", &TPanel::OnExit);
    c.Event("OnMouseDown", &TPanel::OnMouseDown);
    c.Event("OnMouseUp", &TPanel::OnMouseUp);
    c.Event("OnResize", &TPanel::OnResize);
}

TPanel::TPanel() {
    SetBounds(0, 0, 185, 41);
}

int TPanel::BevelSpace() const {
    int space = borderWidth_;
    if (bevelOuter_ != bvNone) {
        space += bevelWidth_;
    }
    if (bevelInner_ != bvNone) {
        space += bevelWidth_;
    }
    return space;
}

TRect TPanel::ClientRect() const {
    int s = BevelSpace();
    return {s, s, GetWidth() - s, GetHeight() - s};
}

} // namespace kvc

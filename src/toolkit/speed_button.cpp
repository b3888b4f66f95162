#include "toolkit/speed_button.h"

#include "toolkit/class_builder.h"
#include "toolkit/win_control.h"

namespace kvc {

KVC_REGISTER_CLASS(TSpeedButton) {
    c.Property("AllowAllUp", &TSpeedButton::GetAllowAllUp, &TSpeedButton::SetAllowAllUp);
    c.Property("Anchors", &TSpeedButton::GetAnchors, &TSpeedButton::SetAnchors);
    c.Property("Caption", &TSpeedButton::GetCaption, &TSpeedButton::SetCaption);
    c.Property("Down", &TSpeedButton::GetDown, &TSpeedButton::SetDown);
    c.Property("Enabled", &TSpeedButton::GetEnabled, &TSpeedButton::SetEnabled);
    c.Property("Flat", &TSpeedButton::GetFlat, &TSpeedButton::SetFlat);
    c.Property("Font", &TSpeedButton::GetFont, &TSpeedButton::SetFont);
    c.Property("Glyph", &TSpeedButton::GetGlyph, &TSpeedButton::SetGlyph);
    c.Property("GroupIndex", &TSpeedButton::GetGroupIndex, &TSpeedButton::SetGroupIndex);
    c.Property("Layout", &TSpeedButton::GetLayout, &TSpeedButton::SetLayout);
    c.Property("Margin", &TSpeedButton::GetMargin, &TSpeedButton::SetMargin);
    c.Property("NumGlyphs", &TSpeedButton::GetNumGlyphs, &TSpeedButton::SetNumGlyphs);
    c.Property("ParentFont", &TSpeedButton::GetParentFont, &TSpeedButton::SetParentFont);
    c.Property("ParentShowHint", &TSpeedButton::GetParentShowHint,
               &TSpeedButton::SetParentShowHint);
    c.Property("ShowHint", &TSpeedButton::GetShowHint, &TSpeedButton::SetShowHint);
    c.Property("Spacing", &TSpeedButton::GetSpacing, &TSpeedButton::SetSpacing);
    c.Property("Transparent", &TSpeedButton::GetTransparent, &TSpeedButton::SetTransparent);
    c.Property("Visible", &TSpeedButton::GetVisible, &TSpeedButton::SetVisible);
    c.Event("OnClick", &TSpeedButton::OnClick);
    c.Event("OnDblClick", &TSpeedButton::OnDblClick);
    c.Event("OnMouseDown", &TSpeedButton::OnMouseDown);
    c.Event("OnMouseUp", &TSpeedButton::OnMouseUp);
}

TSpeedButton::TSpeedButton() : glyph_(std::make_unique<TGlyphData>()) {
    SetBounds(0, 0, 23, 22);
}

std::vector<TSpeedButton*> TSpeedButton::GroupMembers() const {
    std::vector<TSpeedButton*> members;
    if (groupIndex_ == 0 || Parent() == nullptr) {
        return members;
    }
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = As<TSpeedButton>(Parent()->Controls(i));
        if (other != nullptr && other != this && other->groupIndex_ == groupIndex_) {
            members.push_back(other);
        }
    }
    return members;
}

void TSpeedButton::UpdateExclusive() {
    for (TSpeedButton* other : GroupMembers()) {
        if (down_) {
            other->down_ = false;
        }
        other->allowAllUp_ = allowAllUp_;
    }
}

void TSpeedButton::SetGroupIndex(int value) {
    if (value != groupIndex_) {
        groupIndex_ = value;
        UpdateExclusive();
    }
}

void TSpeedButton::SetDown(bool value) {
    if (groupIndex_ == 0) {
        value = false;
    }
    if (value == down_ || (down_ && !allowAllUp_)) {
        return;
    }
    down_ = value;
    if (value) {
        UpdateExclusive();
    }
}

void TSpeedButton::SetAllowAllUp(bool value) {
    if (value != allowAllUp_) {
        allowAllUp_ = value;
        UpdateExclusive();
    }
}

void TSpeedButton::SetGlyph(TGlyphData* glyph) {
    glyph_->CopyFrom(glyph);
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs value) {
    if (IsNumGlyphs(value)) {
        numGlyphs_ = value;
    }
}

void TSpeedButton::Click() {
    if (groupIndex_ != 0) {
        SetDown(!down_);
    }
    TControl::Click();
}

} // namespace kvc

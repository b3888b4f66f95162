#include "toolkit/status_bar.h"

#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TStatusPanel) {
    c.Property("Alignment", &TStatusPanel::GetAlignment, &TStatusPanel::SetAlignment);
    c.Property("Bevel", &TStatusPanel::GetBevel, &TStatusPanel::SetBevel);
    c.Property("Style", &TStatusPanel::GetStyle, &TStatusPanel::SetStyle);
    c.Property("Text", &TStatusPanel::GetText, &TStatusPanel::SetText);
    c.Property("Width", &TStatusPanel::GetWidth, &TStatusPanel::SetWidth);
}

void TStatusPanel::Assign(const TPersistent& source) {
    const auto* other = As<TStatusPanel>(&source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    text_ = other->text_;
    width_ = other->width_;
    alignment_ = other->alignment_;
    bevel_ = other->bevel_;
    style_ = other->style_;
}

KVC_REGISTER_CLASS(TStatusPanels) {}

KVC_REGISTER_CLASS(TStatusBar) {
    c.Property("Align", &TStatusBar::GetAlign, &TStatusBar::SetAlign);
    c.Property("AutoHint", &TStatusBar::GetAutoHint, &TStatusBar::SetAutoHint);
    c.Property("Color", &TStatusBar::GetColor, &TStatusBar::SetColor);
    c.Property("Font", &TStatusBar::GetFont, &TStatusBar::SetFont);
    c.Property("Panels", &TStatusBar::GetPanels);
    c.Property("ParentFont", &TStatusBar::GetParentFont, &TStatusBar::SetParentFont);
    c.Property("ParentShowHint", &TStatusBar::GetParentShowHint, &TStatusBar::SetParentShowHint);
    c.Property("ShowHint", &TStatusBar::GetShowHint, &TStatusBar::SetShowHint);
    c.Property("SimplePanel", &TStatusBar::GetSimplePanel, &TStatusBar::SetSimplePanel);
    c.Property("SimpleText", &TStatusBar::GetSimpleText, &TStatusBar::SetSimpleText);
    c.Property("SizeGrip", &TStatusBar::GetSizeGrip, &TStatusBar::SetSizeGrip);
    c.Property("Visible", &TStatusBar::GetVisible, &TStatusBar::SetVisible);
    c.Event("OnClick", &TStatusBar::OnClick);
    c.Event("OnDrawPanel", &TStatusBar::OnDrawPanel);
}

TStatusBar::TStatusBar() : panels_(std::make_unique<TStatusPanels>()) {
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
}

TRect TStatusBar::PanelRect(int index) const {
    TStatusPanel* panel = panels_->Items(index);
    int left = 0;
    for (int i = 0; i < index; ++i) {
        left += panels_->Items(i)->GetWidth();
    }
    bool last = index == panels_->Count() - 1;
    int right = last ? GetClientWidth() : left + panel->GetWidth();
    return {left, 0, right, GetClientHeight()};
}

std::string TStatusBar::DisplayText() const {
    if (simplePanel_) {
        return simpleText_;
    }
    std::string text;
    for (int i = 0; i < panels_->Count(); ++i) {
        text += (i > 0 ? "|" : "") + panels_->Items(i)->GetText();
    }
    return text;
}

} // namespace kvc

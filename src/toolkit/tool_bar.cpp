#include "toolkit/tool_bar.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TToolButton) {
    c.Property("AllowAllUp", &TToolButton::GetAllowAllUp, &TToolButton::SetAllowAllUp);
    c.Property("Caption", &TToolButton::GetCaption, &TToolButton::SetCaption);
    c.Property("Down", &TToolButton::GetDown, &TToolButton::SetDown);
    c.Property("DropdownMenu", &TToolButton::GetDropdownMenu, &TToolButton::SetDropdownMenu);
    c.Property("Enabled", &TToolButton::GetEnabled, &TToolButton::SetEnabled);
    c.Property("Grouped", &TToolButton::GetGrouped, &TToolButton::SetGrouped);
    c.Property("ImageIndex", &TToolButton::GetImageIndex, &TToolButton::SetImageIndex);
    c.Property("Indeterminate", &TToolButton::GetIndeterminate, &TToolButton::SetIndeterminate);
    c.Property("Marked", &TToolButton::GetMarked, &TToolButton::SetMarked);
    c.Property("ParentShowHint", &TToolButton::GetParentShowHint, &TToolButton::SetParentShowHint);
    c.Property("ShowHint", &TToolButton::GetShowHint, &TToolButton::SetShowHint);
    c.Property("Style", &TToolButton::GetStyle, &TToolButton::SetStyle);
    c.Property("Visible", &TToolButton::GetVisible, &TToolButton::SetVisible);
    c.Property("Wrap", &TToolButton::GetWrap, &TToolButton::SetWrap);
    c.Event("OnClick", &TToolButton::OnClick);
}

TToolButton::TToolButton() {
    SetBounds(0, 0, 23, 22);
}

TToolBar* TToolButton::ToolBar() const {
    return As<TToolBar>(Parent());
}

void TToolButton::SetStyle(TToolButtonStyle value) {
    style_ = value;
    // A separator is narrow unless its width was given.
    if (IsSeparator() && GetWidth() == 23) {
        SetWidth(8);
    }
    if (TToolBar* bar = ToolBar()) {
        bar->ArrangeButtons();
    }
}

std::vector<TToolButton*> TToolButton::Group() const {
    TToolBar* bar = ToolBar();
    if (bar == nullptr || !grouped_ || style_ != tbsCheck) {
        return {const_cast<TToolButton*>(this)};
    }
    const auto& all = bar->buttons_;
    auto self = std::find(all.begin(), all.end(), this);
    auto inGroup = [](const TToolButton* b) { return b->grouped_ && b->style_ == tbsCheck; };
    auto first = self;
    while (first != all.begin() && inGroup(*(first - 1))) {
        --first;
    }
    auto last = self;
    while (last + 1 != all.end() && inGroup(*(last + 1))) {
        ++last;
    }
    return {first, last + 1};
}

void TToolButton::SetDown(bool value) {
    down_ = value;
    if (value && grouped_ && !IsLoading()) {
        for (TToolButton* other : Group()) {
            if (other != this) {
                other->down_ = false;
            }
        }
    }
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
    if (dropdownMenu_ != nullptr) {
        RemoveFreeNotification(dropdownMenu_);
    }
    dropdownMenu_ = menu;
    if (menu != nullptr) {
        FreeNotification(menu);
    }
}

void TToolButton::SetParent(TWinControl* parent) {
    if (TToolBar* old = ToolBar()) {
        std::erase(old->buttons_, this);
    }
    TControl::SetParent(parent);
    if (TToolBar* bar = ToolBar()) {
        bar->buttons_.push_back(this);
        bar->ArrangeButtons();
    }
}

void TToolButton::Click() {
    if (!GetEnabled()) {
        return;
    }
    if (style_ == tbsCheck) {
        if (!down_) {
            SetDown(true);
        } else if (!grouped_ || allowAllUp_) {
            SetDown(false);
        }
    }
    TDestroyGuard guard(*this);
    if (dropdownMenu_ != nullptr && style_ != tbsDropDown) {
        DropDown();
    }
    if (guard.Alive()) {
        TControl::Click();
    }
}

void TToolButton::DropDown() {
    if (dropdownMenu_ == nullptr || !GetEnabled()) {
        return;
    }
    int x = 0;
    int y = GetHeight();
    if (Parent() != nullptr) {
        x = GetLeft();
        y += GetTop();
        ClientToScreen(*Parent(), x, y);
    }
    dropdownMenu_->SetPopupComponent(this);
    dropdownMenu_->Popup(x, y);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == opRemove && component == dropdownMenu_) {
        dropdownMenu_ = nullptr;
    }
}

void TToolButton::BeforeDestruction() {
    if (TToolBar* bar = ToolBar()) {
        std::erase(bar->buttons_, this);
    }
    TControl::BeforeDestruction();
}

KVC_REGISTER_CLASS(TToolBar) {
    c.Property("Align", &TToolBar::GetAlign, &TToolBar::SetAlign);
    c.Property("AutoSize", &TToolBar::GetAutoSize, &TToolBar::SetAutoSize);
    c.Property("ButtonHeight", &TToolBar::GetButtonHeight, &TToolBar::SetButtonHeight);
    c.Property("ButtonWidth", &TToolBar::GetButtonWidth, &TToolBar::SetButtonWidth);
    c.Property("Caption", &TToolBar::GetCaption, &TToolBar::SetCaption);
    c.Property("Color", &TToolBar::GetColor, &TToolBar::SetColor);
    c.Property("DisabledImages", &TToolBar::GetDisabledImages, &TToolBar::SetDisabledImages);
    c.Property("EdgeBorders", &TToolBar::GetEdgeBorders, &TToolBar::SetEdgeBorders);
    c.Property("Enabled", &TToolBar::GetEnabled, &TToolBar::SetEnabled);
    c.Property("Flat", &TToolBar::GetFlat, &TToolBar::SetFlat);
    c.Property("Font", &TToolBar::GetFont, &TToolBar::SetFont);
    c.Property("HotImages", &TToolBar::GetHotImages, &TToolBar::SetHotImages);
    c.Property("Images", &TToolBar::GetImages, &TToolBar::SetImages);
    c.Property("Indent", &TToolBar::GetIndent, &TToolBar::SetIndent);
    c.Property("List", &TToolBar::GetList, &TToolBar::SetList);
    c.Property("ParentColor", &TToolBar::GetParentColor, &TToolBar::SetParentColor);
    c.Property("ParentFont", &TToolBar::GetParentFont, &TToolBar::SetParentFont);
    c.Property("ParentShowHint", &TToolBar::GetParentShowHint, &TToolBar::SetParentShowHint);
    c.Property("ShowCaptions", &TToolBar::GetShowCaptions, &TToolBar::SetShowCaptions);
    c.Property("ShowHint", &TToolBar::GetShowHint, &TToolBar::SetShowHint);
    c.Property("TabOrder", &TToolBar::GetTabOrder, &TToolBar::SetTabOrder);
    c.Property("Transparent", &TToolBar::GetTransparent, &TToolBar::SetTransparent);
    c.Property("Visible", &TToolBar::GetVisible, &TToolBar::SetVisible);
    c.Property("Wrapable", &TToolBar::GetWrapable, &TToolBar::SetWrapable);
    c.Event("OnClick", &TToolBar::OnClick);
    c.Event("OnResize", &TToolBar::OnResize);
}

TToolBar::TToolBar() {
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

TToolButton* TToolBar::Buttons(int index) const {
    if (index < 0 || index >= ButtonCount()) {
        throw EComponentError("Button index out of bounds (" + IntToStr(index) + ")");
    }
    return buttons_[std::size_t(index)];
}

void TToolBar::SetButtonWidth(int value) {
    buttonWidth_ = value;
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int value) {
    buttonHeight_ = value;
    ArrangeButtons();
}

void TToolBar::SetIndent(int value) {
    indent_ = value;
    ArrangeButtons();
}

void TToolBar::ArrangeButtons() {
    if (IsLoading()) {
        return;
    }
    int x = indent_;
    for (TToolButton* button : buttons_) {
        if (!button->GetVisible()) {
            continue;
        }
        int width = button->IsSeparator() ? button->GetWidth() : buttonWidth_;
        button->SetBounds(x, 0, width, buttonHeight_);
        x += width;
    }
}

void TToolBar::Loaded() {
    TWinControl::Loaded();
    ArrangeButtons();
}

void TToolBar::SetImageRef(TCustomImageList*& field, TCustomImageList* value) {
    // The notice of an old list stays: another of the three may still name it.
    field = value;
    if (value != nullptr) {
        FreeNotification(value);
    }
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) {
        return;
    }
    for (TCustomImageList** field : {&images_, &hotImages_, &disabledImages_}) {
        if (*field == component) {
            *field = nullptr;
        }
    }
}

} // namespace kvc

#include "toolkit/menus.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"
#include "toolkit/form.h"
#include "toolkit/image_list.h"

#include <algorithm>

namespace kvc {

TShortCut ShortCut(Word key, TShiftState shift) {
    TShortCut result = key & 0xFF;
    if (shift.Contains(ssShift)) {
        result |= scShift;
    }
    if (shift.Contains(ssCtrl)) {
        result |= scCtrl;
    }
    if (shift.Contains(ssAlt)) {
        result |= scAlt;
    }
    return result;
}

namespace {

std::string StripAmpersands(std::string_view caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
        }
        out += caption[i];
    }
    return out;
}

} // namespace

KVC_REGISTER_CLASS(TMenuItem) {
    c.Property("AutoCheck", &TMenuItem::GetAutoCheck, &TMenuItem::SetAutoCheck);
    c.Property("Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption);
    c.Property("Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked);
    c.Property("Default", &TMenuItem::GetDefault, &TMenuItem::SetDefault);
    c.Property("Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled);
    c.Property("GroupIndex", &TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex);
    c.Property("Hint", &TMenuItem::GetHint, &TMenuItem::SetHint);
    c.Property("ImageIndex", &TMenuItem::GetImageIndex, &TMenuItem::SetImageIndex);
    c.Property("RadioItem", &TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem);
    c.Property("ShortCut", &TMenuItem::GetShortCut, &TMenuItem::SetShortCut);
    c.Property("Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible);
    c.Event("OnClick", &TMenuItem::OnClick);
    c.Event("OnDrawItem", &TMenuItem::OnDrawItem);
    c.Event("OnMeasureItem", &TMenuItem::OnMeasureItem);
}

void TMenuItem::SetChecked(bool value) {
    checked_ = value;
    if (value && radioItem_) {
        TurnSiblingsOff();
    }
}

void TMenuItem::SetRadioItem(bool value) {
    radioItem_ = value;
    if (value && checked_) {
        TurnSiblingsOff();
    }
}

void TMenuItem::SetGroupIndex(int value) {
    groupIndex_ = value;
    if (radioItem_ && checked_) {
        TurnSiblingsOff();
    }
}

void TMenuItem::TurnSiblingsOff() {
    if (parent_ == nullptr || IsLoading()) {
        return;
    }
    for (TMenuItem* sibling : parent_->items_) {
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) {
            sibling->checked_ = false;
        }
    }
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) {
        throw EComponentError("Menu index out of range (" + IntToStr(index) + ")");
    }
    return items_[std::size_t(index)];
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_ != nullptr) {
        root = root->parent_;
    }
    return root->menu_;
}

int TMenuItem::MenuIndex() const {
    if (parent_ == nullptr) {
        return -1;
    }
    const auto& list = parent_->items_;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item->parent_ != nullptr) {
        throw EComponentError("Menu inserted twice");
    }
    for (const TMenuItem* p = this; p != nullptr; p = p->parent_) {
        if (p == item) {
            throw EComponentError("A menu item cannot contain itself");
        }
    }
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    if (item->radioItem_ && item->checked_) {
        item->TurnSiblingsOff();
    }
}

void TMenuItem::Remove(TMenuItem* item) {
    auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end()) {
        throw EComponentError("Menu item not found");
    }
    items_.erase(found);
    item->parent_ = nullptr;
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
    for (TMenuItem* item : items_) {
        if (SameText(StripAmpersands(item->caption_), StripAmpersands(caption))) {
            return item;
        }
    }
    return nullptr;
}

bool TMenuItem::IsSelectable() const {
    for (const TMenuItem* p = this; p != nullptr && p->menu_ == nullptr; p = p->parent_) {
        if (!p->enabled_ || !p->visible_) {
            return false;
        }
    }
    return true;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* item = As<TMenuItem>(parent)) {
        item->Add(this);
    } else if (auto* menu = As<TMenu>(parent)) {
        menu->Items()->Add(this);
    } else {
        TComponent::SetParentComponent(parent);
    }
}

void TMenuItem::Click() {
    if (!enabled_) {
        return;
    }
    if (autoCheck_) {
        SetChecked(!checked_);
    }
    OnClick(this);
}

void TMenuItem::BeforeDestruction() {
    if (parent_ != nullptr) {
        parent_->Remove(this);
    }
    // Children owned elsewhere outlive the item: they only lose their parent.
    for (TMenuItem* item : items_) {
        item->parent_ = nullptr;
    }
    items_.clear();
    TComponent::BeforeDestruction();
}

KVC_REGISTER_CLASS(TMenu) {
    c.Property("Images", &TMenu::GetImages, &TMenu::SetImages);
    c.Property("OwnerDraw", &TMenu::GetOwnerDraw, &TMenu::SetOwnerDraw);
}

TMenu::TMenu() : items_(MakeUnique<TMenuItem>()) {
    items_->menu_ = this;
}

void TMenu::SetImages(TCustomImageList* images) {
    if (images_ != nullptr) {
        RemoveFreeNotification(images_);
    }
    images_ = images;
    if (images != nullptr) {
        FreeNotification(images);
    }
}

TMenuItem* TMenu::FindShortCut(Word key, TShiftState shift) const {
    TShortCut wanted = ShortCut(key, shift);
    std::vector<const TMenuItem*> pending{items_.get()};
    while (!pending.empty()) {
        const TMenuItem* item = pending.back();
        pending.pop_back();
        for (int i = item->Count() - 1; i >= 0; --i) {
            TMenuItem* child = item->Items(i);
            if (child->GetShortCut() == wanted && wanted != 0 && child->IsSelectable()) {
                return child;
            }
            pending.push_back(child);
        }
    }
    return nullptr;
}

bool TMenu::IsShortCut(Word key, TShiftState shift) {
    TMenuItem* item = FindShortCut(key, shift);
    if (item == nullptr) {
        return false;
    }
    item->Click();
    return true;
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images_) {
        images_ = nullptr;
    }
}

void TMenu::BeforeDestruction() {
    TComponent::BeforeDestruction();
    items_.reset();
}

KVC_REGISTER_CLASS(TMainMenu) {}

KVC_REGISTER_CLASS(TPopupMenu) {
    c.Property("Alignment", &TPopupMenu::GetAlignment, &TPopupMenu::SetAlignment);
    c.Property("AutoPopup", &TPopupMenu::GetAutoPopup, &TPopupMenu::SetAutoPopup);
    c.Event("OnPopup", &TPopupMenu::OnPopup);
}

void TPopupMenu::Popup(int x, int y) {
    TDestroyGuard guard(*this);
    OnPopup(this);
    if (!guard.Alive()) {
        return;
    }
    popupX_ = x;
    popupY_ = y;
    popped_ = true;
    ++popupCount_;
}

void TPopupMenu::ChooseItem(TMenuItem& item) {
    if (!popped_) {
        throw EInvalidOperation("The menu '" + GetName() + "' is not popped up");
    }
    if (item.GetParentMenu() != this) {
        throw EInvalidOperation("'" + item.GetName() + "' is not an item of '" + GetName() + "'");
    }
    if (!item.IsSelectable() || item.IsLine()) {
        throw EInvalidOperation("The menu item '" + item.GetName() + "' cannot be chosen");
    }
    popped_ = false;
    item.Click();
}

void ClientToScreen(const TControl& control, int& x, int& y) {
    const TControl* c = &control;
    for (; c->Parent() != nullptr; c = c->Parent()) {
        x += c->GetLeft();
        y += c->GetTop();
    }
    // The top control's client area sits inside its frame and caption.
    int frame = (c->GetWidth() - c->GetClientWidth()) / 2;
    x += c->GetLeft() + frame;
    y += c->GetTop() + c->GetHeight() - c->GetClientHeight() - frame;
}

} // namespace kvc

#include "toolkit/list_view.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"
#include "toolkit/edit.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TListColumn) {
    c.Property("Alignment", &TListColumn::GetAlignment, &TListColumn::SetAlignment);
    c.Property("AutoSize", &TListColumn::GetAutoSize, &TListColumn::SetAutoSize);
    c.Property("Caption", &TListColumn::GetCaption, &TListColumn::SetCaption);
    c.Property("Width", &TListColumn::GetWidth, &TListColumn::SetWidth);
}

void TListColumn::Assign(const TPersistent& source) {
    const auto* other = As<TListColumn>(&source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    caption_ = other->caption_;
    width_ = other->width_;
    alignment_ = other->alignment_;
    autoSize_ = other->autoSize_;
}

KVC_REGISTER_CLASS(TListColumns) {}
KVC_REGISTER_CLASS(TListItem) {}

int TListItem::Index() const {
    return owner_ != nullptr ? owner_->items_.IndexOf(this) : -1;
}

void TListItem::SetCaption(const std::string& caption) {
    if (caption == caption_) {
        return;
    }
    caption_ = caption;
    if (owner_ != nullptr) {
        owner_->SortIfNeeded(true);
    }
}

void TListItem::SetData(void* data) {
    if (data == data_) {
        return;
    }
    data_ = data;
    if (owner_ != nullptr) {
        owner_->SortIfNeeded(false);
    }
}

void TListItem::SetSelected(bool value) {
    if (owner_ == nullptr) {
        selected_ = value;
        return;
    }
    if (value && !owner_->multiSelect_ && !owner_->DeselectOthers(this)) {
        return;
    }
    owner_->ChangeSelected(this, value);
}

bool TListItem::GetFocused() const {
    return owner_ != nullptr && owner_->focusedItem_ == this;
}

void TListItem::SetFocused(bool value) {
    if (owner_ != nullptr) {
        if (value) {
            owner_->focusedItem_ = this;
        } else if (owner_->focusedItem_ == this) {
            owner_->focusedItem_ = nullptr;
        }
    }
}

bool TListItem::EditCaption() {
    return owner_ != nullptr && owner_->BeginEdit(this);
}

TListItem* TListItems::operator[](int index) const {
    if (index < 0 || index >= Count()) {
        throw EInvalidOperation("List index out of bounds (" + IntToStr(index) + ")");
    }
    return items_[std::size_t(index)].get();
}

TListItem* TListItems::Add() {
    return Insert(Count());
}

TListItem* TListItems::Insert(int index) {
    index = std::clamp(index, 0, Count());
    auto item = std::make_unique<TListItem>(&owner_);
    TListItem* raw = item.get();
    items_.insert(items_.begin() + index, std::move(item));
    return raw;
}

void TListItems::Delete(int index) {
    TListItem* item = (*this)[index];
    owner_.ItemRemoved(item);
    items_.erase(items_.begin() + index);
}

void TListItems::Clear() {
    while (Count() > 0) {
        Delete(Count() - 1);
    }
}

int TListItems::IndexOf(const TListItem* item) const {
    for (int i = 0; i < Count(); ++i) {
        if (items_[std::size_t(i)].get() == item) {
            return i;
        }
    }
    return -1;
}

KVC_REGISTER_CLASS(TListView) {
    c.Property("Align", &TListView::GetAlign, &TListView::SetAlign);
    c.Property("Anchors", &TListView::GetAnchors, &TListView::SetAnchors);
    c.Property("Color", &TListView::GetColor, &TListView::SetColor);
    c.Property("ColumnClick", &TListView::GetColumnClick, &TListView::SetColumnClick);
    c.Property("Columns", &TListView::GetColumns, &TListView::SetColumns);
    c.Property("Enabled", &TListView::GetEnabled, &TListView::SetEnabled);
    c.Property("Font", &TListView::GetFont, &TListView::SetFont);
    c.Property("GridLines", &TListView::GetGridLines, &TListView::SetGridLines);
    c.Property("HideSelection", &TListView::GetHideSelection, &TListView::SetHideSelection);
    c.Property("LargeImages", &TListView::GetLargeImages, &TListView::SetLargeImages);
    c.Property("MultiSelect", &TListView::GetMultiSelect, &TListView::SetMultiSelect);
    c.Property("ParentFont", &TListView::GetParentFont, &TListView::SetParentFont);
    c.Property("ParentShowHint", &TListView::GetParentShowHint, &TListView::SetParentShowHint);
    c.Property("ReadOnly", &TListView::GetReadOnly, &TListView::SetReadOnly);
    c.Property("RowSelect", &TListView::GetRowSelect, &TListView::SetRowSelect);
    c.Property("ShowColumnHeaders", &TListView::GetShowColumnHeaders,
               &TListView::SetShowColumnHeaders);
    c.Property("ShowHint", &TListView::GetShowHint, &TListView::SetShowHint);
    c.Property("SmallImages", &TListView::GetSmallImages, &TListView::SetSmallImages);
    c.Property("SortType", &TListView::GetSortType, &TListView::SetSortType);
    c.Property("TabOrder", &TListView::GetTabOrder, &TListView::SetTabOrder);
    c.Property("TabStop", &TListView::GetTabStop, &TListView::SetTabStop);
    c.Property("ViewStyle", &TListView::GetViewStyle, &TListView::SetViewStyle);
    c.Property("Visible", &TListView::GetVisible, &TListView::SetVisible);
    c.Event("OnChange", &TListView::OnChange);
    c.Event("OnChanging", &TListView::OnChanging);
    c.Event("OnClick", &TListView::OnClick);
    c.Event("OnCompare", &TListView::OnCompare);
    c.Event("OnDblClick", &TListView::OnDblClick);
    c.Event("OnEdited", &TListView::OnEdited);
    c.Event("OnEditing", &TListView::OnEditing);
    c.Event("OnEnter", &TListView::OnEnter);
    c.Event("OnExit", &TListView::OnExit);
    c.Event("OnKeyDown", &TListView::OnKeyDown);
    c.Event("OnKeyPress", &TListView::OnKeyPress);
    c.Event("OnKeyUp", &TListView::OnKeyUp);
    c.Event("OnMouseDown", &TListView::OnMouseDown);
    c.Event("OnMouseUp", &TListView::OnMouseUp);
    c.Event("OnSelectItem", &TListView::OnSelectItem);
}

TListView::TListView() : items_(*this), columns_(std::make_unique<TListColumns>()) {
    SetBounds(0, 0, 250, 150);
    SetColor(clWindow);
    SetTabStop(true);
}

TListView::~TListView() = default;

void TListView::SetColumns(TListColumns* columns) {
    if (columns != nullptr) {
        columns_->Assign(*columns);
    }
}

void TListView::SetLargeImages(TComponent* images) {
    if (largeImages_ != nullptr && largeImages_ != smallImages_) {
        largeImages_->RemoveFreeNotification(this);
    }
    largeImages_ = images;
    if (images != nullptr) {
        images->FreeNotification(this);
    }
}

void TListView::SetSmallImages(TComponent* images) {
    if (smallImages_ != nullptr && smallImages_ != largeImages_) {
        smallImages_->RemoveFreeNotification(this);
    }
    smallImages_ = images;
    if (images != nullptr) {
        images->FreeNotification(this);
    }
}

void TListView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove) {
        if (component == largeImages_) {
            largeImages_ = nullptr;
        }
        if (component == smallImages_) {
            smallImages_ = nullptr;
        }
    }
}

void TListView::BeforeDestruction() {
    editItem_ = nullptr;
    TWinControl::BeforeDestruction();
}

TListItem* TListView::GetTopItem() const {
    if (items_.Count() == 0) {
        return nullptr;
    }
    return items_[std::min(vertScroll_.Position(), items_.Count() - 1)];
}

TListItem* TListView::Selected() const {
    for (const auto& item : items_.items_) {
        if (item->selected_) {
            return item.get();
        }
    }
    return nullptr;
}

void TListView::SetSelected(TListItem* item) {
    if (!DeselectOthers(item)) {
        return;
    }
    if (item != nullptr) {
        ChangeSelected(item, true);
    }
}

int TListView::SelCount() const {
    return int(std::count_if(items_.items_.begin(), items_.items_.end(),
                             [](const auto& item) { return item->selected_; }));
}

bool TListView::ChangeSelected(TListItem* item, bool selected) {
    if (item->selected_ == selected) {
        return true;
    }
    bool allow = true;
    TDestroyGuard guard(*this);
    OnChanging(this, item, ctState, allow);
    if (!guard.Alive() || !allow || items_.IndexOf(item) < 0) {
        return false;
    }
    item->selected_ = selected;
    if (selected) {
        focusedItem_ = item;
    }
    OnChange(this, item, ctState);
    if (guard.Alive() && items_.IndexOf(item) >= 0) {
        OnSelectItem(this, item, selected);
    }
    return guard.Alive();
}

bool TListView::DeselectOthers(TListItem* keep) {
    for (int i = 0; i < items_.Count(); ++i) {
        TListItem* other = items_[i];
        if (other != keep && other->selected_ && !ChangeSelected(other, false)) {
            return false;
        }
    }
    return true;
}

void TListView::ClickItem(TListItem* item, TShiftState shift) {
    if (item == nullptr || item->owner_ != this) {
        throw EInvalidOperation("The item is not in list view '" + GetName() + "'");
    }
    TDestroyGuard guard(*this);
    if (CanFocus() && !Focused()) {
        SetFocus();
        if (!guard.Alive()) {
            return;
        }
    }
    if (multiSelect_ && shift.Contains(ssCtrl)) {
        ChangeSelected(item, !item->selected_);
    } else if (multiSelect_ && shift.Contains(ssShift) && focusedItem_ != nullptr) {
        int from = focusedItem_->Index();
        int to = item->Index();
        if (from > to) {
            std::swap(from, to);
        }
        for (int i = 0; i < items_.Count() && guard.Alive(); ++i) {
            ChangeSelected(items_[i], i >= from && i <= to);
        }
    } else if (DeselectOthers(item)) {
        ChangeSelected(item, true);
    }
    if (guard.Alive()) {
        focusedItem_ = item;
        TWinControl::Click();
    }
}

void TListView::SetSortType(TSortType value) {
    if (value == sortType_) {
        return;
    }
    sortType_ = value;
    if (value != stNone) {
        AlphaSort();
    }
}

void TListView::SortIfNeeded(bool textChanged) {
    if (textChanged ? (sortType_ == stText || sortType_ == stBoth)
                    : (sortType_ == stData || sortType_ == stBoth)) {
        AlphaSort();
    }
}

void TListView::AlphaSort() {
    auto less = [this](const std::unique_ptr<TListItem>& a, const std::unique_ptr<TListItem>& b) {
        int result = 0;
        if (OnCompare) {
            OnCompare(this, a.get(), b.get(), 0, result);
        } else {
            result = AnsiCompareText(a->caption_, b->caption_);
        }
        return result < 0;
    };
    std::stable_sort(items_.items_.begin(), items_.items_.end(), less);
}

void TListView::ItemRemoved(TListItem* item) {
    if (focusedItem_ == item) {
        focusedItem_ = nullptr;
    }
    if (editItem_ == item) {
        editItem_ = nullptr;
    }
}

bool TListView::BeginEdit(TListItem* item) {
    if (readOnly_ || item == nullptr) {
        return false;
    }
    if (editItem_ != nullptr) {
        EndEdit(true);
    }
    bool allow = true;
    TDestroyGuard guard(*this);
    OnEditing(this, item, allow);
    if (!guard.Alive() || !allow || items_.IndexOf(item) < 0) {
        return false;
    }
    editItem_ = item;
    editText_ = item->caption_;
    editSelected_ = true;
    return true;
}

void TListView::EndEdit(bool accept) {
    TListItem* item = editItem_;
    editItem_ = nullptr;
    if (item == nullptr || !accept) {
        return;
    }
    std::string text = editText_;
    TDestroyGuard guard(*this);
    OnEdited(this, item, text);
    if (guard.Alive() && items_.IndexOf(item) >= 0) {
        item->SetCaption(text);
    }
}

bool TListView::WantsKey(Word key, TShiftState) const {
    bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    return arrow || (IsEditing() && (key == VK_RETURN || key == VK_ESCAPE));
}

void TListView::DoExit() {
    // The in-place editor closes when the focus leaves, keeping its text.
    EndEdit(true);
    TWinControl::DoExit();
}

void TListView::MoveFocus(int delta) {
    if (items_.Count() == 0) {
        return;
    }
    int index = focusedItem_ != nullptr ? focusedItem_->Index() + delta : 0;
    index = std::clamp(index, 0, items_.Count() - 1);
    TListItem* target = items_[index];
    if (!DeselectOthers(target) || !ChangeSelected(target, true)) {
        return;
    }
    // Moving onto an item that already was selected moves the focus too.
    if (items_.IndexOf(target) >= 0) {
        focusedItem_ = target;
    }
    if (vertScroll_.ShowLine(index)) {
        Invalidate();
    }
}

void TListView::KeyDown(Word& key, TShiftState) {
    if (IsEditing()) {
        if (key == VK_RETURN || key == VK_ESCAPE) {
            EndEdit(key == VK_RETURN);
        }
        return;
    }
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        MoveFocus(-1);
        break;
    case VK_DOWN:
    case VK_RIGHT:
        MoveFocus(1);
        break;
    case VK_HOME:
        MoveFocus(-items_.Count());
        break;
    case VK_END:
        MoveFocus(items_.Count());
        break;
    case VK_F2:
        BeginEdit(focusedItem_);
        break;
    default:
        break;
    }
}

void TListView::KeyPress(char32_t& ch) {
    if (!IsEditing() || ch == U'\r' || ch == 27) {
        return;
    }
    std::u32string chars = editSelected_ ? std::u32string() : ToChars(editText_);
    editSelected_ = false;
    if (ch == 8) {
        if (!chars.empty()) {
            chars.pop_back();
        }
    } else if (ch >= 32) {
        chars.push_back(ch);
    }
    editText_ = FromChars(chars);
}

} // namespace kvc

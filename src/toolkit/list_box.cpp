#include "toolkit/list_box.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"

#include <algorithm>

namespace kvc {

namespace {

// The sunken frame around the items.
constexpr int kFrame = 2;

} // namespace

KVC_REGISTER_CLASS(TListBox) {
    c.Property("Align", &TListBox::GetAlign, &TListBox::SetAlign);
    c.Property("Anchors", &TListBox::GetAnchors, &TListBox::SetAnchors);
    c.Property("Color", &TListBox::GetColor, &TListBox::SetColor);
    c.Property("Enabled", &TListBox::GetEnabled, &TListBox::SetEnabled);
    c.Property("Font", &TListBox::GetFont, &TListBox::SetFont);
    c.Property("IntegralHeight", &TListBox::GetIntegralHeight, &TListBox::SetIntegralHeight);
    c.Property("ItemHeight", &TListBox::GetItemHeight, &TListBox::SetItemHeight);
    c.Property("Items", &TListBox::GetItems, &TListBox::SetItems);
    c.Property("ItemIndex", &TListBox::GetItemIndex, &TListBox::SetItemIndex);
    c.Property("ParentColor", &TListBox::GetParentColor, &TListBox::SetParentColor);
    c.Property("ParentFont", &TListBox::GetParentFont, &TListBox::SetParentFont);
    c.Property("ShowHint", &TListBox::GetShowHint, &TListBox::SetShowHint);
    c.Property("Sorted", &TListBox::GetSorted, &TListBox::SetSorted);
    c.Property("Style", &TListBox::GetStyle, &TListBox::SetStyle);
    c.Property("TabOrder", &TListBox::GetTabOrder, &TListBox::SetTabOrder);
    c.Property("TabStop", &TListBox::GetTabStop, &TListBox::SetTabStop);
    c.Property("Visible", &TListBox::GetVisible, &TListBox::SetVisible);
    c.Event("OnClick", &TListBox::OnClick);
    c.Event("OnDblClick", &TListBox::OnDblClick);
    c.Event("OnDrawItem", &TListBox::OnDrawItem);
    c.Event("OnEnter", &TListBox::OnEnter);
    c.Event("OnExit", &TListBox::OnExit);
    c.Event("OnKeyDown", &TListBox::OnKeyDown);
    c.Event("OnKeyPress", &TListBox::OnKeyPress);
    c.Event("OnMeasureItem", &TListBox::OnMeasureItem);
    c.Event("OnMouseDown", &TListBox::OnMouseDown);
    c.Event("OnMouseUp", &TListBox::OnMouseUp);
}

TListBox::TListBox() : items_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

void TListBox::SetItems(const TStringList& items) {
    *items_ = items;
    measured_.clear();
    Invalidate();
}

int TListBox::GetItemIndex() const {
    return itemIndex_ < items_->Count() ? itemIndex_ : -1;
}

void TListBox::SetItemIndex(int index) {
    int chosen = index >= 0 && index < items_->Count() ? index : -1;
    if (chosen != itemIndex_) {
        itemIndex_ = chosen;
        ScrollIntoView(chosen);
        Invalidate();
    }
}

void TListBox::SetStyle(TListBoxStyle style) {
    style_ = style;
    measured_.clear();
    Invalidate();
}

void TListBox::SetItemHeight(int value) {
    if (value <= 0) {
        throw EInvalidOperation("Invalid item height: " + IntToStr(value));
    }
    itemHeight_ = value;
    Invalidate();
}

int TListBox::ItemHeightOf(int index) const {
    if (style_ == lbOwnerDrawVariable && index >= 0 && index < int(measured_.size())) {
        return measured_[std::size_t(index)];
    }
    return itemHeight_;
}

void TListBox::MeasureItems() {
    measured_.clear();
    if (style_ != lbOwnerDrawVariable) {
        return;
    }
    TDestroyGuard guard(*this);
    for (int i = 0; i < items_->Count(); ++i) {
        int height = itemHeight_;
        OnMeasureItem(this, i, height);
        if (!guard.Alive()) {
            return;
        }
        measured_.push_back(std::max(height, 1));
    }
}

void TListBox::SetTopIndex(int index) {
    if (vertScroll_.SetPosition(index)) {
        Invalidate();
    }
}

int TListBox::PageFrom(int top) const {
    int space = GetHeight() - 2 * kFrame;
    int count = 0;
    for (int i = std::max(top, 0); i < items_->Count(); ++i) {
        space -= ItemHeightOf(i);
        if (space < 0) {
            break;
        }
        ++count;
    }
    return std::max(count, 1);
}

void TListBox::ScrollIntoView(int index) {
    if (index < 0) {
        return;
    }
    int top = GetTopIndex();
    if (index < top) {
        top = index;
    }
    while (index >= top + PageFrom(top)) {
        ++top;
    }
    SetTopIndex(top);
}

TRect TListBox::ItemRect(int index) const {
    if (index < GetTopIndex() || index >= items_->Count()) {
        return {};
    }
    int right = GetWidth() - kFrame;
    if (vertScroll_.Needed() && vertScroll_.Rect().Right > vertScroll_.Rect().Left) {
        right = vertScroll_.Rect().Left;
    }
    int y = kFrame;
    for (int i = GetTopIndex(); i < index; ++i) {
        y += ItemHeightOf(i);
    }
    if (y >= GetHeight() - kFrame) {
        return {};
    }
    return {kFrame, y, right, y + ItemHeightOf(index)};
}

int TListBox::ItemAtPos(int x, int y) const {
    for (int i = GetTopIndex(); i < items_->Count(); ++i) {
        TRect r = ItemRect(i);
        if (r.Bottom <= r.Top) {
            break;
        }
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) {
            return i;
        }
    }
    return -1;
}

void TListBox::ClickItem(int index) {
    if (index < 0 || index >= items_->Count()) {
        throw EInvalidOperation("List index out of bounds (" + IntToStr(index) + ")");
    }
    SetItemIndex(index);
    Click();
}

bool TListBox::WantsKey(Word key, TShiftState) const {
    return key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END || key == VK_PRIOR ||
           key == VK_NEXT;
}

void TListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    bool onBar = vertScroll_.Needed() && x >= vertScroll_.Rect().Left &&
                 x < vertScroll_.Rect().Right && y >= vertScroll_.Rect().Top &&
                 y < vertScroll_.Rect().Bottom;
    if (button == mbLeft && !onBar) {
        if (int index = ItemAtPos(x, y); index >= 0) {
            SetItemIndex(index);
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TListBox::KeyDown(Word& key, TShiftState shift) {
    int count = items_->Count();
    if (count == 0) {
        TWinControl::KeyDown(key, shift);
        return;
    }
    int current = GetItemIndex();
    int page = PageFrom(GetTopIndex());
    int target = current;
    switch (key) {
    case VK_UP:
        target = current < 0 ? 0 : current - 1;
        break;
    case VK_DOWN:
        target = current + 1;
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = count - 1;
        break;
    case VK_PRIOR:
        target = current - (page - 1);
        break;
    case VK_NEXT:
        target = current + (page - 1);
        break;
    default:
        TWinControl::KeyDown(key, shift);
        return;
    }
    target = std::clamp(target, 0, count - 1);
    key = 0;
    if (target != current) {
        SetItemIndex(target);
        Click();
    }
}

} // namespace kvc

// TListBox: a list of Items of which one is chosen (ItemIndex, -1 for
// none). The user's click on an item or a move with the arrow, Home, End
// and page keys chooses an item and raises OnClick; ItemIndex set by code
// raises nothing. In the owner-draw styles OnDrawItem draws each item on
// Canvas; the variable style asks OnMeasureItem for each item's height.
#pragma once

#include "runtime/string_list.h"
#include "toolkit/owner_draw.h"
#include "toolkit/win_control.h"

#include <memory>
#include <vector>

namespace kvc {

class TCanvas;

KVC_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable);

class TListBox : public TWinControl {
    KVC_CLASS(TListBox, TWinControl)
public:
    TListBox();

    TStringList* GetItems() const { return items_.get(); }
    void SetItems(const TStringList& items);
    int GetItemIndex() const;
    void SetItemIndex(int index);
    TListBoxStyle GetStyle() const { return style_; }
    void SetStyle(TListBoxStyle style);
    // The height of every item except in the variable style.
    int GetItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);
    bool GetSorted() const { return items_->Sorted(); }
    void SetSorted(bool value) { items_->SetSorted(value); }
    bool GetIntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool value) { integralHeight_ = value; }

    // The item's height: OnMeasureItem's answer in the variable style
    // (asked when the list is painted, ItemHeight before), ItemHeight otherwise.
    int ItemHeightOf(int index) const;
    // Asks OnMeasureItem for each item's height (the painter does, with the canvas set).
    void MeasureItems();
    // The first item shown, by the scroll position.
    int GetTopIndex() const { return vertScroll_.Position(); }
    void SetTopIndex(int index);
    // The item at a point of the client area (inside the frame), or -1.
    int ItemAtPos(int x, int y) const;
    // The item's rectangle in the list's own coordinates; empty when it is not shown.
    TRect ItemRect(int index) const;

    // The user's choice of an item: it becomes ItemIndex, then OnClick.
    void ClickItem(int index);

    // The canvas the items are being drawn on; null outside painting.
    TCanvas* Canvas() const { return canvas_; }
    void SetCanvas(TCanvas* canvas) { canvas_ = canvas; }
    // Whether OnDrawItem draws the items (an owner-draw style and a
    // handler); otherwise the painter writes each item's text.
    bool OwnerDraws() const { return style_ != lbStandard && OnDrawItem.Assigned(); }

    TViewScrollBar* VertScrollBar() override { return &vertScroll_; }
    bool WantsKey(Word key, TShiftState shift) const override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void KeyDown(Word& key, TShiftState shift) override;

private:
    // The items that fit from the top one on.
    int PageFrom(int top) const;
    void ScrollIntoView(int index);

    std::unique_ptr<TStringList> items_;
    TListBoxStyle style_ = lbStandard;
    int itemIndex_ = -1;
    int itemHeight_ = 16;
    bool integralHeight_ = false;
    std::vector<int> measured_;
    TViewScrollBar vertScroll_;
    TCanvas* canvas_ = nullptr;
};

} // namespace kvc

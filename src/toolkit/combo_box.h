// TComboBox: a list of Items with an edit part. In the simple and drop-down
// styles the user can type into the edit part (each change raises OnChange,
// and ItemIndex follows the item whose text equals the typed one); in the
// drop-down list and owner-draw styles the text is always the chosen item,
// and a typed character chooses the next item starting with it.
// A user's choice of an item raises OnClick, then OnChange; ItemIndex or
// Text set by code raise nothing.
#pragma once

#include "runtime/string_list.h"
#include "toolkit/owner_draw.h"
#include "toolkit/win_control.h"

#include <memory>
#include <optional>

namespace kvc {

KVC_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed,
         csOwnerDrawVariable);

class TComboBox : public TWinControl {
    KVC_CLASS(TComboBox, TWinControl)
public:
    TComboBox();

    TComboBoxStyle GetStyle() const { return style_; }
    // Keeps the items and the chosen item; a style without an edit part
    // shows the chosen item's text.
    void SetStyle(TComboBoxStyle style);
    TStringList* GetItems() const { return items_.get(); }
    void SetItems(const TStringList& items);
    // -1 when no item is chosen, or when the chosen one was removed.
    int GetItemIndex() const;
    void SetItemIndex(int index);
    void SetText(const std::string& text) override;
    int GetItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value) { itemHeight_ = value; }
    int GetDropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value; }
    int GetMaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value; }
    bool GetSorted() const { return items_->Sorted(); }
    void SetSorted(bool value) { items_->SetSorted(value); }
    bool GetDroppedDown() const { return droppedDown_; }
    // Dropping the list down raises OnDropDown.
    void SetDroppedDown(bool value);
    // Whether the user can type into the edit part.
    bool HasEditPart() const { return style_ == csDropDown || style_ == csSimple; }

    // The user's choice of an item from the list: OnClick, then OnChange.
    void ChooseItem(int index);

    bool WantsKey(Word key, TShiftState shift) const override;
    void DoEnter() override;

    // Whether OnDrawItem draws the items (an owner-draw style and a
    // handler); the edit part shows the chosen item drawn by it.
    bool OwnerDraws() const {
        return (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable) &&
               OnDrawItem.Assigned();
    }
    // The canvas the combo box is being drawn on; null outside painting.
    TCanvas* Canvas() const { return canvas_; }
    void SetCanvas(TCanvas* canvas) { canvas_ = canvas; }

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& ch) override;
    void Loaded() override;

private:
    // ItemIndex after the edit part changed: the item of that text, or none.
    void MatchText();
    // Chooses an item (or none) and takes its text, without the loading rule of SetItemIndex.
    void SelectIndex(int index);
    // The first item after the chosen one starting with ch, wrapping around.
    int FindByFirstChar(char32_t ch) const;
    void TypeInEdit(char32_t ch);

    std::unique_ptr<TStringList> items_;
    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;
    // An ItemIndex read from a definition before its Items: applied once all is read.
    std::optional<int> loadedItemIndex_;
    int itemHeight_ = 16;
    TCanvas* canvas_ = nullptr;
    int dropDownCount_ = 8;
    int maxLength_ = 0;
    bool droppedDown_ = false;
    // Typing replaces the whole text until the user moves on from it.
    bool textSelected_ = false;
};

} // namespace kvc

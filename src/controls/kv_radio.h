// TKvRadioButton: a radio button that paints its caption itself, in its own
// font, at an offset that grows with the font's size. Its exclusivity is its
// own: checking one unchecks the other TKvRadioButtons of its parent and
// leaves the toolkit's radio buttons alone.
//
// TKvRadioGroup: a group box of TKvGroupButtons, one per item, laid out in
// columns from the group's size and font.
#pragma once

#include "runtime/string_list.h"
#include "toolkit/button_control.h"
#include "toolkit/group_box.h"

#include <memory>
#include <vector>

namespace kvc::controls {

class TKvRadioButton : public TButtonControl {
    KVC_CLASS(TKvRadioButton, TButtonControl)
public:
    TKvRadioButton();

    bool GetChecked() const { return checked_; }
    // Checking sets TabStop, unchecks the sibling TKvRadioButtons and raises
    // OnClick unless clicks are suppressed; unchecking clears TabStop.
    void SetChecked(bool checked);
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // While set, checking raises no OnClick (a group setting its choice).
    bool ClicksDisabled() const { return clicksDisabled_; }
    void SetClicksDisabled(bool value) { clicksDisabled_ = value; }

    // The user's click checks the button.
    void Click() override;

protected:
    // Alt and the caption's accelerator only focus the button.
    void AcceleratorClick() override {}
    // The button was checked where a click is due: raises OnClick.
    virtual void CheckedClick();
    void EnabledChanged() override;

private:
    void TurnSiblingsOff();

    bool checked_ = false;
    bool clicksDisabled_ = false;
    TAlignment alignment_ = taRightJustify;
};

// Where a radio button's caption starts, for its font size in points.
int RadioCaptionOffset(int points);

class TKvRadioGroup;

class TKvGroupButton : public TKvRadioButton {
    KVC_CLASS(TKvGroupButton, TKvRadioButton)
protected:
    // The group learns of the user's choice.
    void CheckedClick() override;
    // Keys reach the group first.
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& ch) override;

private:
    TKvRadioGroup* Group() const;
};

class TKvRadioGroup : public TGroupBox {
    KVC_CLASS(TKvRadioGroup, TGroupBox)
public:
    TKvRadioGroup();
    ~TKvRadioGroup() override;

    int GetColumns() const { return columns_; }
    // Clamped to 1..16.
    void SetColumns(int value);
    TStringList* GetItems() const { return items_.get(); }
    void SetItems(const TStringList& items);
    // Items were changed in place: the buttons follow them.
    void ItemsChanged();
    int GetItemIndex() const { return itemIndex_; }
    // Below -1: -1; beyond the last item: the last item. The old button is
    // unchecked and the new one checked, without OnClick.
    void SetItemIndex(int value);

    int ButtonCount() const { return int(buttons_.size()); }
    TKvGroupButton* Buttons(int index) const { return buttons_.at(std::size_t(index)); }

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Loaded() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TKvGroupButton;
    void ButtonChosen(TKvGroupButton& button);
    void ButtonKeyDown(Word& key, TShiftState shift);
    void ButtonKeyPress(char32_t& ch);
    void UpdateButtons();
    void ArrangeButtons();
    void CheckItemButton();

    int columns_ = 1;
    std::unique_ptr<TStringList> items_;
    int itemIndex_ = -1;
    std::vector<TKvGroupButton*> buttons_;
};

} // namespace kvc::controls

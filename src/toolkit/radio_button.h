// TRadioButton: one choice among the radio buttons of the same parent.
// Checking one, by the user or by code, unchecks its siblings without any
// event and raises its own OnClick; unchecking by code raises nothing, and a
// click on the checked button changes nothing. The checked button is the
// one Tab stops at.
#pragma once

#include "toolkit/win_control.h"

namespace kvc {

class TRadioButton : public TWinControl {
    KVC_CLASS(TRadioButton, TWinControl)
public:
    TRadioButton();

    bool GetChecked() const { return checked_; }
    void SetChecked(bool checked);
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }

    // The user's click checks the button.
    void Click() override;
    // Alt and the caption's accelerator focus and check the button.
    bool DialogKey(Word key, TShiftState shift) override;

protected:
    void KeyPress(char32_t& ch) override;

private:
    void TurnSiblingsOff();

    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};

} // namespace kvc

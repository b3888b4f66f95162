// TRadioButton: one choice among the radio buttons of the same parent.
// Checking one, by the user or by code, unchecks its siblings without any
// event and raises its own OnClick; unchecking by code raises nothing, and a
// click on the checked button changes nothing. The checked button is the
// one Tab stops at.
#pragma once

#include "toolkit/button_control.h"

namespace kvc {

class TRadioButton : public TButtonControl {
    KVC_CLASS(TRadioButton, TButtonControl)
public:
    TRadioButton();

    bool GetChecked() const { return checked_; }
    void SetChecked(bool checked);
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }

    // The user's click checks the button.
    void Click() override;

private:
    void TurnSiblingsOff();

    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};

} // namespace kvc

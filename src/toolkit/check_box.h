// TCheckBox: a box with a caption that is unchecked, checked or grayed.
// Every change of State, by the user or by code, raises OnClick (not while
// the definition is read); the user's click moves to the next state:
// unchecked, grayed (only with AllowGrayed), checked, unchecked again.
#pragma once

#include "toolkit/button_control.h"

namespace kvc {

KVC_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed);

class TCheckBox : public TButtonControl {
    KVC_CLASS(TCheckBox, TButtonControl)
public:
    TCheckBox();

    TCheckBoxState GetState() const { return state_; }
    void SetState(TCheckBoxState state);
    bool GetChecked() const { return state_ == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    bool GetAllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    // Where the caption is, left or right of the box.
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }

    // The user's click: the next state.
    void Click() override;

private:
    TCheckBoxState NextState() const;

    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
};

} // namespace kvc

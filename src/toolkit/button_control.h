// TButtonControl: what check boxes and radio buttons share at the keyboard.
// Space clicks the control, as a press of the mouse would; Alt and the
// accelerator of its caption focus it and then, once it has the focus,
// AcceleratorClick does what the kind of control does (by default a click).
#pragma once

#include "toolkit/win_control.h"

namespace kvc {

class TButtonControl : public TWinControl {
    KVC_CLASS(TButtonControl, TWinControl)
public:
    bool DialogKey(Word key, TShiftState shift) override;

protected:
    void KeyPress(char32_t& ch) override;
    virtual void AcceleratorClick() { Click(); }
};

} // namespace kvc

#include "toolkit/button_control.h"

#include "toolkit/class_builder.h"

namespace kvc {

// Abstract: nothing of its own to publish.
KVC_REGISTER_CLASS(TButtonControl) {}

bool TButtonControl::DialogKey(Word key, TShiftState shift) {
    if (shift != TShiftState{ssAlt} || !IsAccel(key, GetCaption()) || !CanFocus()) {
        return false;
    }
    TDestroyGuard guard(*this);
    SetFocus();
    // An OnEnter may have moved the focus on, or freed the control.
    if (guard.Alive() && Focused()) {
        AcceleratorClick();
    }
    return true;
}

void TButtonControl::KeyPress(char32_t& ch) {
    if (ch == U' ') {
        Click();
    }
}

} // namespace kvc

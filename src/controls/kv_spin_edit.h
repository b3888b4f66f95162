// TKvSpinEdit: a spin edit in which a sign can only lead the number. A "+"
// or "-" anywhere after the first character is taken away with whatever was
// typed after it, and an emptied field raises no change.
#pragma once

#include "toolkit/spin_edit.h"

namespace kvc::controls {

class TKvSpinEdit : public TSpinEdit {
    KVC_CLASS(TKvSpinEdit, TSpinEdit)
protected:
    // While a sign stands after the first character the last character goes,
    // each removal being a change of its own; OnChange only for a text that
    // is not blank.
    void Change() override;
};

} // namespace kvc::controls

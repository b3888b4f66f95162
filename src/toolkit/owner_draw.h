// What owner-drawn lists (list boxes and combo boxes of the owner-draw
// styles) tell their OnDrawItem and OnMeasureItem handlers. The handler
// draws on the control's Canvas, which the painter prepares for each item:
// the control's font, the brush in the window colour or, for the selected
// item, the highlight colour with the font in the highlight-text colour.
#pragma once

#include "toolkit/control.h"
#include "toolkit/set.h"

namespace kvc {

class TCanvas;
class TWinControl;

KVC_ENUM(TOwnerDrawStateItem, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault,
         odHotLight, odInactive, odNoAccel, odNoFocusRect, odReserved1, odReserved2,
         odComboBoxEdit);
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

// The control, the item's index, its rectangle and its state.
KVC_EVENT_TYPE(TDrawItemEvent, TWinControl*, int, TRect, TOwnerDrawState);
// The control, the item's index and its height, which the handler may change.
KVC_EVENT_TYPE(TMeasureItemEvent, TWinControl*, int, int&);

} // namespace kvc

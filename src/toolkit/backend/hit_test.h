// Which control of a form's window lies under a point, as a window system
// routes mouse input: windowed controls above the others, the later of two
// siblings above the earlier.
#pragma once

#include "toolkit/form.h"
#include "toolkit/graphics/canvas.h"

namespace kvc {

struct THit {
    TControl* control = nullptr;
    TPoint local; // the point in the control's own coordinates
};

// The point is in the form's window coordinates (frame and caption included);
// outside the client area the form itself answers.
THit ControlAtPoint(TCustomForm& form, TPoint point);

} // namespace kvc

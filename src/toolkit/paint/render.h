// Painting a form and its controls: each class's painter (found by walking
// the class chain) draws the control in its own coordinates, clipped to its
// parent's area; children follow their parent, non-windowed ones first.
#pragma once

#include "toolkit/form.h"
#include "toolkit/graphics/canvas.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kvc {

// Paints one control (not its children) on a canvas whose origin is the
// control's top-left corner.
using TControlPainter = void (*)(TControl& control, TCanvas& canvas);

// The painter of the nearest class in the control's class chain that has one.
TControlPainter FindPainter(const TControl& control);

// Gives a class built on the toolkit outside it (the system's own controls)
// its painter; the libraries of those classes register theirs next to the
// classes themselves. For the class chain's walk a registered painter counts
// as the class's own, ahead of a toolkit painter of the same class.
void RegisterPainter(const TClassInfo& info, TControlPainter painter);

// Paints the control and its visible children; its window is at (x, y) of the canvas.
void PaintControlTree(TControl& control, TCanvas& canvas, int x, int y);

// The form's whole window (frame and caption included), as it looks now;
// with an update rectangle only that area is painted again.
std::unique_ptr<TBitmap> RenderToBitmap(TCustomForm& form);
void RenderInto(TCustomForm& form, TBitmap& bitmap, const TRect* updateRect = nullptr);
void SaveToPng(TCustomForm& form, const std::string& path);

// Where a form's client area starts inside its window.
TPoint ClientOrigin(const TCustomForm& form);

} // namespace kvc

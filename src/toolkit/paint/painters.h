// The painters of the toolkit's controls, by class name; each is a few lines
// over the classic-look painter.
#pragma once

#include "toolkit/paint/render.h"

#include <string_view>

namespace kvc {

// The painter registered for exactly this class name, or null.
TControlPainter StandardPainter(std::string_view className);

} // namespace kvc

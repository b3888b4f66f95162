// The painters of the toolkit's controls, by class name; each is a few lines
// over the classic-look painter.
#pragma once

#include "toolkit/paint/render.h"

#include <span>
#include <string_view>
#include <utility>

namespace kvc {

// The toolkit's painters with the exact class name each paints.
std::span<const std::pair<std::string_view, TControlPainter>> StandardPainters();

} // namespace kvc

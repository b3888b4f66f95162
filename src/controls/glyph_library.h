// The maker's glyph library (libArResD5.so, linked): numbered button
// pictures, each one or more square images side by side.
#pragma once

#include "toolkit/glyph_data.h"

#include <optional>

namespace kvc::controls {

// The highest picture number the library holds.
int GetMaxBmpID();

struct TGlyphSize {
    int width = 0;
    int height = 0;
};

// Puts picture number into glyph and answers its size; nothing, and glyph
// untouched, when the library holds no such picture. A picture that does not
// decode raises EInvalidGraphic; a library that misbehaves raises Exception.
std::optional<TGlyphSize> LoadBmp(TGlyphData& glyph, int number);

} // namespace kvc::controls

// The pictures of bit and speed buttons: a glyph's stored bytes decoded to a
// bitmap, and one of its side-by-side images drawn as a button shows it.
#pragma once

#include "toolkit/glyph_data.h"
#include "toolkit/graphics/bitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kvc {

// The picture the bytes hold: a Windows bitmap file (uncompressed, 1, 4, 8,
// 24 or 32 bits a pixel), with or without the four-byte length the form
// definitions put before it, or a PNG file. Raises EInvalidGraphic for
// anything else or for a truncated or inconsistent file.
std::unique_ptr<TBitmap> DecodeGlyph(const std::vector<std::uint8_t>& bytes);

// Which image of a glyph a button in that state shows.
enum class TGlyphState { up, disabled, clicked, down };

// The width of one image of a glyph made of numGlyphs images (clamped to 1..4).
int GlyphImageWidth(const TBitmap& picture, TNumGlyphs numGlyphs);

// Draws the image for the state at (x, y), its transparent colour (the
// bottom-left pixel) left out. A disabled state without an image of its own
// is drawn embossed: the picture's dark pixels in the highlight colour one
// pixel right and down, then in the shadow colour.
void DrawGlyph(TCanvas& canvas, const TBitmap& picture, TNumGlyphs numGlyphs, TGlyphState state,
               int x, int y);

} // namespace kvc

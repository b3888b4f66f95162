#include "controls/glyph_library.h"

#include "erp/libs/arresd5/arresd5.h"
#include "toolkit/graphics/bitmap.h"

#include <cstdint>
#include <vector>

namespace kvc::controls {

int GetMaxBmpID() {
    return ::GetMaxBmpID();
}

std::optional<TGlyphSize> LoadBmp(TGlyphData& glyph, int number) {
    ArResBitmap bitmap{};
    std::int32_t result = ::LoadBmp(&bitmap, number);
    if (result == 0) {
        return std::nullopt;
    }
    if (result != ARRESD5_BUFFER_TOO_SMALL || bitmap.size <= 0) {
        throw Exception("The glyph library answered " + std::to_string(result) +
                        " when asked for the size of picture " + std::to_string(number));
    }
    std::vector<std::uint8_t> png(static_cast<std::size_t>(bitmap.size));
    bitmap.data = png.data();
    bitmap.capacity = bitmap.size;
    result = ::LoadBmp(&bitmap, number);
    if (result != 1) {
        throw Exception("The glyph library answered " + std::to_string(result) +
                        " when asked for picture " + std::to_string(number));
    }
    // Decoded once here, so that a broken picture is refused before a button
    // keeps it.
    TBitmap picture;
    picture.LoadFromPngBytes(png);
    glyph.SetData(png);
    return TGlyphSize{picture.GetWidth(), picture.GetHeight()};
}

} // namespace kvc::controls

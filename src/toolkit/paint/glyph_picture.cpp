#include "toolkit/paint/glyph_picture.h"

#include "toolkit/graphics/canvas.h"

#include <algorithm>
#include <array>

namespace kvc {

namespace {

class TByteReader {
public:
    explicit TByteReader(const std::vector<std::uint8_t>& bytes, std::size_t start)
        : bytes_(bytes), start_(start) {}
    std::uint32_t U32(std::size_t at) const {
        Need(at, 4);
        const std::uint8_t* p = bytes_.data() + start_ + at;
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
               std::uint32_t(p[3]) << 24;
    }
    std::uint16_t U16(std::size_t at) const {
        Need(at, 2);
        const std::uint8_t* p = bytes_.data() + start_ + at;
        return std::uint16_t(p[0] | p[1] << 8);
    }
    std::uint8_t U8(std::size_t at) const {
        Need(at, 1);
        return bytes_[start_ + at];
    }
    void Need(std::size_t at, std::size_t count) const {
        if (start_ + at + count > bytes_.size() || at + count < at) {
            throw EInvalidGraphic("The glyph's bitmap is truncated");
        }
    }

private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t start_;
};

bool IsBitmapFileAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes.size() >= at + 2 && bytes[at] == 'B' && bytes[at + 1] == 'M';
}

bool IsPng(const std::vector<std::uint8_t>& bytes) {
    static constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P',  'N',  'G',
                                                            0x0D, 0x0A, 0x1A, 0x0A};
    return bytes.size() >= kSignature.size() &&
           std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
}

std::unique_ptr<TBitmap> DecodeBitmapFile(const std::vector<std::uint8_t>& bytes,
                                          std::size_t start) {
    constexpr std::size_t kFileHeader = 14;
    TByteReader in(bytes, start);
    std::uint32_t pixelsAt = in.U32(10);
    std::uint32_t infoSize = in.U32(kFileHeader);
    if (infoSize < 40) {
        throw EInvalidGraphic("The glyph's bitmap has an unsupported header");
    }
    auto width = std::int32_t(in.U32(kFileHeader + 4));
    auto height = std::int32_t(in.U32(kFileHeader + 8));
    int bits = in.U16(kFileHeader + 14);
    std::uint32_t compression = in.U32(kFileHeader + 16);
    std::uint32_t used = in.U32(kFileHeader + 32);
    bool topDown = height < 0;
    height = topDown ? -height : height;
    constexpr std::int32_t kMaxSide = 4096;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        throw EInvalidGraphic("The glyph's bitmap has a bad size");
    }
    if (compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
        throw EInvalidGraphic("The glyph's bitmap format is not supported");
    }
    std::vector<TColor> palette;
    if (bits <= 8) {
        std::uint32_t colors = used != 0 ? used : 1u << bits;
        if (colors > 256) {
            throw EInvalidGraphic("The glyph's bitmap has a bad palette");
        }
        for (std::uint32_t i = 0; i < colors; ++i) {
            std::size_t at = kFileHeader + infoSize + i * 4;
            palette.push_back(RGBColor(in.U8(at + 2), in.U8(at + 1), in.U8(at)));
        }
    }
    std::size_t stride = (std::size_t(width) * std::size_t(bits) + 31) / 32 * 4;
    in.Need(pixelsAt, stride * std::size_t(height));
    auto picture = std::make_unique<TBitmap>(width, height);
    for (int row = 0; row < height; ++row) {
        int y = topDown ? row : height - 1 - row;
        std::size_t line = pixelsAt + stride * std::size_t(row);
        for (int x = 0; x < width; ++x) {
            TColor color;
            if (bits >= 24) {
                std::size_t at = line + std::size_t(x) * std::size_t(bits / 8);
                color = RGBColor(in.U8(at + 2), in.U8(at + 1), in.U8(at));
            } else {
                std::size_t bit = std::size_t(x) * std::size_t(bits);
                int byte = in.U8(line + bit / 8);
                int index = (byte >> (8 - bits - int(bit % 8))) & ((1 << bits) - 1);
                if (std::size_t(index) >= palette.size()) {
                    throw EInvalidGraphic("The glyph's bitmap uses a colour outside its palette");
                }
                color = palette[std::size_t(index)];
            }
            picture->SetPixel(x, y, TBitmap::Opaque(color));
        }
    }
    return picture;
}

bool IsDark(TColor color) {
    TColor rgb = ColorToRGB(color);
    return GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb) < 3 * 0xC0;
}

} // namespace

std::unique_ptr<TBitmap> DecodeGlyph(const std::vector<std::uint8_t>& bytes) {
    if (IsBitmapFileAt(bytes, 4)) {
        return DecodeBitmapFile(bytes, 4);
    }
    if (IsBitmapFileAt(bytes, 0)) {
        return DecodeBitmapFile(bytes, 0);
    }
    if (IsPng(bytes)) {
        auto picture = std::make_unique<TBitmap>();
        picture->LoadFromPngBytes(bytes);
        return picture;
    }
    throw EInvalidGraphic("The glyph holds no bitmap");
}

int GlyphImageWidth(const TBitmap& picture, TNumGlyphs numGlyphs) {
    return picture.GetWidth() / std::clamp(numGlyphs, 1, 4);
}

void DrawGlyph(TCanvas& canvas, const TBitmap& picture, TNumGlyphs numGlyphs, TGlyphState state,
               int x, int y) {
    int count = std::clamp(numGlyphs, 1, 4);
    int width = GlyphImageWidth(picture, count);
    int image = std::min(int(state), count - 1);
    bool emboss = state == TGlyphState::disabled && count < 2;
    if (state == TGlyphState::down && count < 4) {
        image = 0;
    }
    if (state == TGlyphState::clicked && count < 3) {
        image = 0;
    }
    TColor transparent = picture.GetTransparentColor();
    auto paint = [&](int dx, int dy, auto colorOf) {
        for (int py = 0; py < picture.GetHeight(); ++py) {
            for (int px = 0; px < width; ++px) {
                TColor c = TColor(picture.Pixel(image * width + px, py) & 0xFFFFFF);
                if (c != transparent) {
                    if (auto color = colorOf(c); color != clNone) {
                        canvas.SetPixel(x + px + dx, y + py + dy, color);
                    }
                }
            }
        }
    };
    if (!emboss) {
        paint(0, 0, [](TColor c) { return c; });
        return;
    }
    paint(1, 1, [](TColor c) { return IsDark(c) ? clBtnHighlight : clNone; });
    paint(0, 0, [](TColor c) { return IsDark(c) ? clBtnShadow : clNone; });
}

} // namespace kvc

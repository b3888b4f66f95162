// The members of TCustomImageList that take bitmaps and canvases.
#include "runtime/strings.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/image_list.h"

namespace kvc {

namespace {

// Where the disabled look keeps a pixel: as in the disabled glyphs, the
// pixels darker than light grey make the shape, the light ones vanish.
bool IsDark(TColor color) {
    TColor rgb = ColorToRGB(color);
    return GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb) < 3 * 0xC0;
}

TColor PixelColor(const TBitmap& bitmap, int x, int y) {
    return TColor(bitmap.Pixel(x, y) & 0xFFFFFFu);
}

} // namespace

int TCustomImageList::Add(const TBitmap& image, const TBitmap* mask) {
    int count = width_ > 0 ? image.GetWidth() / width_ : 0;
    if (count == 0 || image.GetWidth() != count * width_ || image.GetHeight() != height_) {
        throw EInvalidOperation("Invalid image size: " + IntToStr(image.GetWidth()) + " x " +
                                IntToStr(image.GetHeight()) + " for images of " + IntToStr(width_) +
                                " x " + IntToStr(height_));
    }
    if (mask != nullptr && (mask->GetWidth() < image.GetWidth() || mask->GetHeight() < height_)) {
        throw EInvalidOperation("The mask is smaller than the image");
    }
    int first = Count();
    for (int i = 0; i < count; ++i) {
        TImagePixels pixels;
        TImageMask transparent;
        pixels.reserve(std::size_t(width_) * std::size_t(height_));
        transparent.reserve(pixels.capacity());
        for (int y = 0; y < height_; ++y) {
            for (int x = i * width_; x < (i + 1) * width_; ++x) {
                pixels.push_back(PixelColor(image, x, y));
                transparent.push_back(mask != nullptr && PixelColor(*mask, x, y) != clBlack);
            }
        }
        AddImage(std::move(pixels), std::move(transparent));
    }
    return first;
}

int TCustomImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    if (maskColor == clDefault) {
        maskColor = image.GetTransparentColor();
    }
    TBitmap mask(image.GetWidth(), image.GetHeight());
    TColor key = ColorToRGB(maskColor);
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            bool transparent = PixelColor(image, x, y) == key;
            mask.SetPixel(x, y, TBitmap::Opaque(transparent ? clWhite : clBlack));
        }
    }
    return Add(image, &mask);
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    CheckIndex(index);
    const TImage& image = images_[std::size_t(index)];
    auto opaqueAt = [&](std::size_t i) { return !masked_ || !image.mask[i]; };
    if (enabled) {
        for (int py = 0; py < height_; ++py) {
            for (int px = 0; px < width_; ++px) {
                std::size_t i = std::size_t(py) * std::size_t(width_) + std::size_t(px);
                if (opaqueAt(i)) {
                    canvas.SetPixel(x + px, y + py, image.pixels[i]);
                } else if (bkColor_ != clNone) {
                    canvas.SetPixel(x + px, y + py, bkColor_);
                }
            }
        }
        return;
    }
    // The shape as a black-and-white mask, stamped twice through the raster
    // operation that paints the brush where the mask is black.
    TBitmap shape(width_, height_);
    for (int py = 0; py < height_; ++py) {
        for (int px = 0; px < width_; ++px) {
            std::size_t i = std::size_t(py) * std::size_t(width_) + std::size_t(px);
            bool ink = opaqueAt(i) && IsDark(image.pixels[i]);
            shape.SetPixel(px, py, TBitmap::Opaque(ink ? clBlack : clWhite));
        }
    }
    TBrush brush = canvas.Brush;
    TCopyMode mode = canvas.CopyMode;
    TRect source{0, 0, width_, height_};
    canvas.Brush = {clBtnHighlight, bsSolid};
    canvas.CopyMode = cmMaskPaintBrush;
    canvas.CopyRect({x + 1, y + 1, x + 1 + width_, y + 1 + height_}, shape.Canvas(), source);
    canvas.Brush.Color = clBtnShadow;
    canvas.CopyRect({x, y, x + width_, y + height_}, shape.Canvas(), source);
    canvas.Brush = brush;
    canvas.CopyMode = mode;
}

void TCustomImageList::GetBitmap(int index, TBitmap& image) const {
    CheckIndex(index);
    const TImage& source = images_[std::size_t(index)];
    image.SetSize(width_, height_);
    TColor background = bkColor_ != clNone ? bkColor_ : clWhite;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            std::size_t i = std::size_t(y) * std::size_t(width_) + std::size_t(x);
            bool transparent = masked_ && source.mask[i];
            image.SetPixel(x, y, TBitmap::Opaque(transparent ? background : source.pixels[i]));
        }
    }
}

} // namespace kvc

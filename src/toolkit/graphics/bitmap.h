// TBitmap: an image of 32-bit pixels (the colour as TColor keeps it,
// $00BBGGRR, and in the top byte the transparency a PNG file gave it, 0 for
// opaque) with a canvas to draw on.
// A 24-bit bitmap drops the alpha byte, so every pixel compares equal to its
// TColor; a monochrome one holds black and white only.
#pragma once

#include "runtime/exceptions.h"
#include "toolkit/colors.h"
#include "toolkit/object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kvc {

class TCanvas;

KVC_ENUM(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit,
         pfCustom);
KVC_ENUM(TTransparentMode, tmAuto, tmFixed);

class TBitmap : public TPersistent {
    KVC_CLASS(TBitmap, TPersistent)
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    // Keeps the pixels that still fit; new pixels are white.
    void SetSize(int width, int height);
    bool Empty() const { return width_ == 0 || height_ == 0; }

    TPixelFormat GetPixelFormat() const { return pixelFormat_; }
    // pf24bit drops the alpha bytes; pf1bit keeps black pixels black and
    // turns every other white.
    void SetPixelFormat(TPixelFormat format);
    bool GetMonochrome() const { return pixelFormat_ == pf1bit; }
    void SetMonochrome(bool value) { SetPixelFormat(value ? pf1bit : pfDevice); }

    // tmAuto: the bottom-left pixel (its RGB value); tmFixed: the colour set.
    TColor GetTransparentColor() const;
    void SetTransparentColor(TColor color);
    TTransparentMode GetTransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode) { transparentMode_ = mode; }
    // Draw leaves the transparent colour's pixels out.
    bool GetTransparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }

    // Made on first use; lives as long as the bitmap.
    TCanvas& Canvas();

    // Raw access; (x, y) must be inside the bitmap.
    std::uint32_t Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
    void SetPixel(int x, int y, std::uint32_t value);
    std::uint32_t* ScanLine(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    const std::uint32_t* ScanLine(int y) const {
        return pixels_.data() + std::size_t(y) * std::size_t(width_);
    }
    // Pixels leave the alpha byte at 0 unless a PNG set it; this stores a
    // colour that a file writes as opaque.
    static std::uint32_t Opaque(TColor color) {
        return std::uint32_t(ColorToRGB(color)) & 0xFFFFFFu;
    }

    void Assign(const TPersistent& source) override;
    // PNG files; a file that cannot be read or written raises EInOutError,
    // one that is not a PNG picture EInvalidGraphic.
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;
    // The PNG bytes of the picture (tests and pipes).
    std::vector<std::uint8_t> SaveToPngBytes() const;
    void LoadFromPngBytes(const std::vector<std::uint8_t>& bytes);

private:
    std::size_t Index(int x, int y) const {
        return std::size_t(y) * std::size_t(width_) + std::size_t(x);
    }
    std::uint32_t Normalise(std::uint32_t value) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    TPixelFormat pixelFormat_ = pfDevice;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
    bool transparent_ = false;
    bool hasAlpha_ = false;
    std::unique_ptr<TCanvas> canvas_;
};

// A picture that is not a PNG, or a PNG that cannot be decoded.
KVC_DECLARE_EXCEPTION(EInvalidGraphic, Exception);

} // namespace kvc

#include "toolkit/graphics/bitmap.h"

#include "toolkit/class_builder.h"
#include "toolkit/graphics/canvas.h"

#include <algorithm>
#include <png.h>

namespace kvc {

KVC_REGISTER_CLASS(TBitmap) {
    c.Property("Width", &TBitmap::GetWidth, &TBitmap::SetWidth);
    c.Property("Height", &TBitmap::GetHeight, &TBitmap::SetHeight);
    c.Property("Transparent", &TBitmap::GetTransparent, &TBitmap::SetTransparent);
}

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRgbMask = 0xFFFFFF;

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) {
        return;
    }
    std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height), kWhite);
    for (int y = 0; y < std::min(height, height_); ++y) {
        std::copy_n(ScanLine(y), std::min(width, width_),
                    pixels.begin() + std::ptrdiff_t(y) * width);
    }
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
}

std::uint32_t TBitmap::Normalise(std::uint32_t value) const {
    switch (pixelFormat_) {
    case pf1bit:
        return (value & kRgbMask) == 0 ? 0 : kWhite;
    case pf24bit:
        return value & kRgbMask;
    default:
        return hasAlpha_ ? value : value & kRgbMask;
    }
}

void TBitmap::SetPixel(int x, int y, std::uint32_t value) {
    pixels_[Index(x, y)] = Normalise(value);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    pixelFormat_ = format;
    if (format == pf1bit || format == pf24bit) {
        hasAlpha_ = false;
    }
    for (auto& p : pixels_) {
        p = Normalise(p);
    }
}

TColor TBitmap::GetTransparentColor() const {
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault) {
        return ColorToRGB(transparentColor_);
    }
    if (Empty()) {
        return clWhite;
    }
    return TColor(Pixel(0, height_ - 1) & kRgbMask);
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? tmAuto : tmFixed;
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<TCanvas>(*this);
    }
    return *canvas_;
}

void TBitmap::Assign(const TPersistent& source) {
    const auto* other = As<TBitmap>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) {
        return;
    }
    width_ = other->width_;
    height_ = other->height_;
    pixels_ = other->pixels_;
    pixelFormat_ = other->pixelFormat_;
    transparentMode_ = other->transparentMode_;
    transparentColor_ = other->transparentColor_;
    transparent_ = other->transparent_;
    hasAlpha_ = other->hasAlpha_;
}

namespace {

// libpng's simplified interface keeps its error state in the image record,
// so no longjmp crosses our frames.
struct TPngImage {
    png_image image{};
    TPngImage() { image.version = PNG_IMAGE_VERSION; }
    ~TPngImage() { png_image_free(&image); }
    TPngImage(const TPngImage&) = delete;
    TPngImage& operator=(const TPngImage&) = delete;
};

// Our pixels are $AABBGGRR in memory order R, G, B, A on little-endian
// machines; libpng's RGBA format is that byte order.
void FromRgba(const std::vector<std::uint8_t>& rgba, std::vector<std::uint32_t>& pixels,
              bool& hasAlpha) {
    hasAlpha = false;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint8_t* p = &rgba[i * 4];
        std::uint32_t a = p[3];
        pixels[i] = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
        if (a != 0xFF) {
            hasAlpha = true;
        }
        pixels[i] |= (0xFF - a) << 24;
    }
}

} // namespace

// The alpha byte is stored inverted (0 = opaque), so that a pixel written as
// a plain TColor is opaque and compares equal to the colour.
std::vector<std::uint8_t> TBitmap::SaveToPngBytes() const {
    TPngImage png;
    png.image.width = png_uint_32(width_);
    png.image.height = png_uint_32(height_);
    png.image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(pixels_.size() * 4);
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        std::uint32_t p = pixels_[i];
        rgba[i * 4 + 0] = std::uint8_t(p & 0xFF);
        rgba[i * 4 + 1] = std::uint8_t((p >> 8) & 0xFF);
        rgba[i * 4 + 2] = std::uint8_t((p >> 16) & 0xFF);
        rgba[i * 4 + 3] = hasAlpha_ ? std::uint8_t(0xFF - (p >> 24)) : 0xFF;
    }
    png_alloc_size_t size = 0;
    if (Empty() ||
        !png_image_write_to_memory(&png.image, nullptr, &size, 0, rgba.data(), 0, nullptr)) {
        throw EInvalidGraphic(Empty() ? "Cannot save an empty bitmap"
                                      : std::string("PNG: ") + png.image.message);
    }
    std::vector<std::uint8_t> bytes(size);
    if (!png_image_write_to_memory(&png.image, bytes.data(), &size, 0, rgba.data(), 0, nullptr)) {
        throw EInvalidGraphic(std::string("PNG: ") + png.image.message);
    }
    bytes.resize(size);
    return bytes;
}

void TBitmap::LoadFromPngBytes(const std::vector<std::uint8_t>& bytes) {
    TPngImage png;
    if (!png_image_begin_read_from_memory(&png.image, bytes.data(), bytes.size())) {
        throw EInvalidGraphic(std::string("Not a PNG picture: ") + png.image.message);
    }
    png.image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(png.image));
    if (!png_image_finish_read(&png.image, nullptr, rgba.data(), 0, nullptr)) {
        throw EInvalidGraphic(std::string("Damaged PNG picture: ") + png.image.message);
    }
    std::vector<std::uint32_t> pixels(std::size_t(png.image.width) * png.image.height);
    bool hasAlpha = false;
    FromRgba(rgba, pixels, hasAlpha);
    width_ = int(png.image.width);
    height_ = int(png.image.height);
    pixels_ = std::move(pixels);
    hasAlpha_ = hasAlpha;
    pixelFormat_ = hasAlpha ? pf32bit : pf24bit;
    if (!hasAlpha) {
        for (auto& p : pixels_) {
            p &= kRgbMask;
        }
    }
}

void TBitmap::LoadFromFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        throw EInOutError("Cannot open file \"" + path + "\"");
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        throw EInOutError("Cannot read file \"" + path + "\"");
    }
    LoadFromPngBytes(bytes);
}

void TBitmap::SaveToFile(const std::string& path) const {
    std::vector<std::uint8_t> bytes = SaveToPngBytes();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        throw EInOutError("Cannot create file \"" + path + "\"");
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        throw EInOutError("Cannot write file \"" + path + "\"");
    }
}

} // namespace kvc

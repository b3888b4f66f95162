#include "toolkit/font.h"

#include "toolkit/class_builder.h"

#include <cmath>

namespace kvc {

const TIdentMap& IdentMapOf(TFontCharset) {
    static const TIdentMap map("TFontCharset", {{"ANSI_CHARSET", 0},
                                                {"DEFAULT_CHARSET", 1},
                                                {"SYMBOL_CHARSET", 2},
                                                {"MAC_CHARSET", 77},
                                                {"SHIFTJIS_CHARSET", 128},
                                                {"HANGEUL_CHARSET", 129},
                                                {"JOHAB_CHARSET", 130},
                                                {"GB2312_CHARSET", 134},
                                                {"CHINESEBIG5_CHARSET", 136},
                                                {"GREEK_CHARSET", 161},
                                                {"TURKISH_CHARSET", 162},
                                                {"VIETNAMESE_CHARSET", 163},
                                                {"HEBREW_CHARSET", 177},
                                                {"ARABIC_CHARSET", 178},
                                                {"BALTIC_CHARSET", 186},
                                                {"RUSSIAN_CHARSET", 204},
                                                {"THAI_CHARSET", 222},
                                                {"EASTEUROPE_CHARSET", 238},
                                                {"OEM_CHARSET", 255}});
    return map;
}

KVC_REGISTER_CLASS(TFont) {
    c.Property("Charset", &TFont::GetCharset, &TFont::SetCharset);
    c.Property("Color", &TFont::GetColor, &TFont::SetColor);
    c.Property("Height", &TFont::GetHeight, &TFont::SetHeight);
    c.Property("Name", &TFont::GetName, &TFont::SetName);
    c.Property("Pitch", &TFont::GetPitch, &TFont::SetPitch);
    c.Property("Size", &TFont::GetSize, &TFont::SetSize);
    c.Property("Style", &TFont::GetStyle, &TFont::SetStyle);
}

void TFont::Changed() {
    if (OnChange) {
        OnChange();
    }
}

void TFont::SetName(const std::string& name) {
    if (name != name_) {
        name_ = name;
        Changed();
    }
}

void TFont::SetHeight(int height) {
    if (height != height_) {
        height_ = height;
        Changed();
    }
}

int TFont::GetSize() const {
    return -int(std::lround(double(height_) * 72.0 / kPixelsPerInch));
}

void TFont::SetSize(int size) {
    SetHeight(-int(std::lround(double(size) * kPixelsPerInch / 72.0)));
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset != charset_) {
        charset_ = charset;
        Changed();
    }
}

void TFont::SetStyle(TFontStyles style) {
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TFont::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch != pitch_) {
        pitch_ = pitch;
        Changed();
    }
}

bool TFont::SameAs(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && charset_ == other.charset_ &&
           style_ == other.style_ && color_ == other.color_ && pitch_ == other.pitch_;
}

void TFont::Assign(const TPersistent& source) {
    const auto* font = As<TFont>(&source);
    if (font == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (SameAs(*font)) {
        return;
    }
    name_ = font->name_;
    height_ = font->height_;
    charset_ = font->charset_;
    style_ = font->style_;
    color_ = font->color_;
    pitch_ = font->pitch_;
    Changed();
}

} // namespace kvc

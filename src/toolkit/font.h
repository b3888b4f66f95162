// TFont: the font of a control, with the classic Height/Size relation at
// 96 pixels per inch, character sets by their Windows numbers, and a change
// callback through which a control gives up its parent's font.
#pragma once

#include "toolkit/colors.h"
#include "toolkit/object.h"
#include "toolkit/set.h"

#include <functional>
#include <string>

namespace kvc {

enum TFontCharset : std::uint8_t {};
inline constexpr TFontCharset ANSI_CHARSET = TFontCharset(0);
inline constexpr TFontCharset DEFAULT_CHARSET = TFontCharset(1);
inline constexpr TFontCharset SYMBOL_CHARSET = TFontCharset(2);
inline constexpr TFontCharset SHIFTJIS_CHARSET = TFontCharset(128);
inline constexpr TFontCharset HANGEUL_CHARSET = TFontCharset(129);
inline constexpr TFontCharset GB2312_CHARSET = TFontCharset(134);
inline constexpr TFontCharset CHINESEBIG5_CHARSET = TFontCharset(136);
inline constexpr TFontCharset OEM_CHARSET = TFontCharset(255);
// "GB2312_CHARSET" and the other character-set names.
const TIdentMap& IdentMapOf(TFontCharset);

KVC_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
using TFontStyles = TSet<TFontStyle>;
KVC_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed);

class TFont : public TPersistent {
    KVC_CLASS(TFont, TPersistent)
public:
    static constexpr int kPixelsPerInch = 96;

    const std::string& GetName() const { return name_; }
    void SetName(const std::string& name);
    int GetHeight() const { return height_; }
    void SetHeight(int height);
    // Points; the height is -Size * 96 / 72 (rounded), and back.
    int GetSize() const;
    void SetSize(int size);
    TFontCharset GetCharset() const { return charset_; }
    void SetCharset(TFontCharset charset);
    TFontStyles GetStyle() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor GetColor() const { return color_; }
    void SetColor(TColor color);
    TFontPitch GetPitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);

    void Assign(const TPersistent& source) override;
    bool SameAs(const TFont& other) const;
    // Called after every change.
    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontPitch pitch_ = fpDefault;
};

} // namespace kvc

// Fonts through FreeType and fontconfig. The family names the forms use
// ("宋体", "MingLiU", "Tahoma", "MS Sans Serif", ...) map to installed faces
// through a table of our own, not through fontconfig's aliases; a character
// the chosen face lacks comes from the next face of a fixed fallback list,
// so metrics depend only on the installed font files.
#pragma once

#include "toolkit/font.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace kvc {

// An anti-aliased glyph: coverage 0..255 per pixel, placed relative to the
// pen position on the baseline.
struct TGlyph {
    int advance = 0;
    int left = 0;
    int top = 0; // pixels above the baseline
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;
};

// The installed families our table tries for a family name, best first;
// the fallback families follow.
std::vector<std::string> FamilyCandidates(std::string_view familyName);

class TFontEngine;

// One font at one pixel size and style, with its glyphs as they are used.
class TResolvedFont {
public:
    int Ascent() const { return ascent_; }
    int Descent() const { return descent_; }
    int Height() const { return ascent_ + descent_; }
    bool Underline() const { return underline_; }
    bool StrikeOut() const { return strikeOut_; }
    int PixelSize() const { return pixelSize_; }
    // The primary face's family ("AR PL UMing CN").
    const std::string& Family() const { return family_; }
    const TGlyph& Glyph(char32_t ch);
    int Advance(char32_t ch) { return Glyph(ch).advance; }

private:
    friend class TFontEngine;
    struct Face;
    TFontEngine* engine_ = nullptr;
    std::vector<Face*> faces_; // primary first, then fallbacks
    int pixelSize_ = 0;
    int ascent_ = 0;
    int descent_ = 0;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    bool strikeOut_ = false;
    std::string family_;
    std::unordered_map<char32_t, TGlyph> glyphs_;
};

class TFontEngine {
public:
    TFontEngine();
    ~TFontEngine();
    TFontEngine(const TFontEngine&) = delete;
    TFontEngine& operator=(const TFontEngine&) = delete;

    // The font a TFont describes; raises EInvalidGraphic when no face at all
    // is installed.
    TResolvedFont& Resolve(const TFont& font);

private:
    friend class TResolvedFont;
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::map<std::tuple<std::string, int, int>, std::unique_ptr<TResolvedFont>> fonts_;
};

// The font engine of the process: the faces, once opened, serve every canvas.
TFontEngine& FontEngine();

} // namespace kvc

#include "toolkit/graphics/font_engine.h"

#include "runtime/strings.h"
#include "toolkit/graphics/bitmap.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cmath>

namespace kvc {

namespace {

struct TFamilyRow {
    std::vector<std::string_view> names;
    std::string_view family;
};

// The families of the system, mapped to faces this machine installs
// (fonts-arphic-uming, fonts-wqy-microhei, fonts-dejavu-core).
const std::vector<TFamilyRow>& FamilyTable() {
    static const std::vector<TFamilyRow> table = {
        {{"宋体", "SimSun", "新宋体", "NSimSun", "仿宋", "FangSong", "楷体", "KaiTi"},
         "AR PL UMing CN"},
        {{"MingLiU", "PMingLiU", "細明體", "新細明體", "细明体", "新细明体"}, "AR PL UMing TW"},
        {{"黑体", "SimHei", "微软雅黑", "Microsoft YaHei", "Microsoft JhengHei", "微軟正黑體"},
         "WenQuanYi Micro Hei"},
        {{"Courier New", "Courier", "Fixedsys", "Terminal", "Lucida Console"}, "DejaVu Sans Mono"},
        {{"Times New Roman", "Times", "Georgia"}, "DejaVu Serif"},
    };
    return table;
}

constexpr std::string_view kSansFamily = "DejaVu Sans";
// Characters the chosen face lacks: a Song face first, as Windows links its
// Chinese fonts, then a Hei face and the sans face.
constexpr std::string_view kFallbacks[] = {"AR PL UMing CN", "WenQuanYi Micro Hei", kSansFamily};

int Ceil26_6(FT_Pos v) {
    return int((v + 63) >> 6);
}

} // namespace

std::vector<std::string> FamilyCandidates(std::string_view familyName) {
    std::vector<std::string> result;
    std::string_view primary = kSansFamily;
    for (const TFamilyRow& row : FamilyTable()) {
        for (std::string_view name : row.names) {
            if (SameText(name, familyName)) {
                primary = row.family;
            }
        }
    }
    result.emplace_back(primary);
    for (std::string_view fallback : kFallbacks) {
        if (std::find(result.begin(), result.end(), fallback) == result.end()) {
            result.emplace_back(fallback);
        }
    }
    return result;
}

struct TResolvedFont::Face {
    FT_Face ft = nullptr;
    bool embolden = false;
    bool oblique = false;
    std::string family;
};

struct TFontEngine::Impl {
    FT_Library library = nullptr;
    FcConfig* config = nullptr;
    std::map<std::tuple<std::string, int, bool, bool>, std::unique_ptr<TResolvedFont::Face>> faces;

    ~Impl() {
        for (auto& [key, face] : faces) {
            FT_Done_Face(face->ft);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
        if (config != nullptr) {
            FcConfigDestroy(config);
        }
    }

    // The installed face of exactly this family, or null.
    TResolvedFont::Face* Open(const std::string& family, bool bold, bool italic) {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pattern, &result);
        FcPatternDestroy(pattern);
        if (match == nullptr) {
            return nullptr;
        }
        bool sameFamily = false;
        FcChar8* value = nullptr;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
            sameFamily = sameFamily || SameText(reinterpret_cast<const char*>(value), family);
        }
        FcChar8* file = nullptr;
        int index = 0;
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        std::string path;
        if (sameFamily && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            path = reinterpret_cast<const char*>(file);
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
            FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        }
        FcPatternDestroy(match);
        if (path.empty()) {
            return nullptr;
        }
        bool embolden = bold && weight < FC_WEIGHT_DEMIBOLD;
        bool oblique = italic && slant == FC_SLANT_ROMAN;
        auto key = std::make_tuple(path, index, embolden, oblique);
        auto it = faces.find(key);
        if (it != faces.end()) {
            return it->second.get();
        }
        FT_Face ft = nullptr;
        if (FT_New_Face(library, path.c_str(), index, &ft) != 0) {
            return nullptr;
        }
        auto face = std::make_unique<TResolvedFont::Face>();
        face->ft = ft;
        face->embolden = embolden;
        face->oblique = oblique;
        face->family = family;
        return faces.emplace(key, std::move(face)).first->second.get();
    }
};

TFontEngine::TFontEngine() : impl_(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&impl_->library) != 0) {
        throw EInvalidGraphic("Cannot start the font rasteriser");
    }
    impl_->config = FcInitLoadConfigAndFonts();
    if (impl_->config == nullptr) {
        throw EInvalidGraphic("Cannot read the font configuration");
    }
}

TFontEngine::~TFontEngine() {
    fonts_.clear();
}

TResolvedFont& TFontEngine::Resolve(const TFont& font) {
    TFontStyles style = font.GetStyle();
    int styleBits = (style.Contains(fsBold) ? 1 : 0) | (style.Contains(fsItalic) ? 2 : 0) |
                    (style.Contains(fsUnderline) ? 4 : 0) | (style.Contains(fsStrikeOut) ? 8 : 0);
    auto key = std::make_tuple(LowerCase(font.GetName()), font.GetHeight(), styleBits);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) {
        return *it->second;
    }
    auto resolved = std::make_unique<TResolvedFont>();
    resolved->engine_ = this;
    resolved->bold_ = (styleBits & 1) != 0;
    resolved->italic_ = (styleBits & 2) != 0;
    resolved->underline_ = (styleBits & 4) != 0;
    resolved->strikeOut_ = (styleBits & 8) != 0;
    for (const std::string& family : FamilyCandidates(font.GetName())) {
        if (auto* face = impl_->Open(family, resolved->bold_, resolved->italic_)) {
            resolved->faces_.push_back(face);
        }
    }
    if (resolved->faces_.empty()) {
        throw EInvalidGraphic("No font is installed for \"" + font.GetName() + "\"");
    }
    FT_Face primary = resolved->faces_.front()->ft;
    resolved->family_ = resolved->faces_.front()->family;
    // A negative height is the character height in pixels; a positive one
    // the cell height (ascent and descent).
    int height = font.GetHeight();
    int pixelSize = 0;
    if (height < 0) {
        pixelSize = -height;
    } else if (height > 0) {
        int cell = primary->ascender - primary->descender;
        pixelSize =
            cell > 0 ? int(std::lround(double(height) * primary->units_per_EM / cell)) : height;
    } else {
        pixelSize = 13;
    }
    resolved->pixelSize_ = std::max(pixelSize, 1);
    FT_Set_Pixel_Sizes(primary, 0, FT_UInt(resolved->pixelSize_));
    resolved->ascent_ = Ceil26_6(primary->size->metrics.ascender);
    resolved->descent_ = Ceil26_6(-primary->size->metrics.descender);
    return *fonts_.emplace(key, std::move(resolved)).first->second;
}

const TGlyph& TResolvedFont::Glyph(char32_t ch) {
    auto it = glyphs_.find(ch);
    if (it != glyphs_.end()) {
        return it->second;
    }
    Face* face = faces_.front();
    FT_UInt index = 0;
    for (Face* candidate : faces_) {
        index = FT_Get_Char_Index(candidate->ft, FT_ULong(ch));
        if (index != 0) {
            face = candidate;
            break;
        }
    }
    TGlyph glyph;
    FT_Face ft = face->ft;
    FT_Set_Pixel_Sizes(ft, 0, FT_UInt(pixelSize_));
    if (FT_Load_Glyph(ft, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) == 0) {
        if (face->embolden) {
            FT_GlyphSlot_Embolden(ft->glyph);
        }
        if (face->oblique) {
            FT_GlyphSlot_Oblique(ft->glyph);
        }
        if (FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_NORMAL) == 0) {
            const FT_Bitmap& bm = ft->glyph->bitmap;
            glyph.left = ft->glyph->bitmap_left;
            glyph.top = ft->glyph->bitmap_top;
            glyph.width = int(bm.width);
            glyph.height = int(bm.rows);
            glyph.coverage.resize(std::size_t(glyph.width) * std::size_t(glyph.height));
            for (int y = 0; y < glyph.height; ++y) {
                const unsigned char* row = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
                for (int x = 0; x < glyph.width; ++x) {
                    std::uint8_t v = bm.pixel_mode == FT_PIXEL_MODE_MONO
                                         ? ((row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0)
                                         : row[x];
                    glyph.coverage[std::size_t(y) * std::size_t(glyph.width) + std::size_t(x)] = v;
                }
            }
        }
        glyph.advance = int((ft->glyph->advance.x + 32) >> 6);
    }
    return glyphs_.emplace(ch, std::move(glyph)).first->second;
}

TFontEngine& FontEngine() {
    // Destroyed at exit so that fontconfig's configuration is given back;
    // nothing paints during static destruction.
    static TFontEngine engine;
    return engine;
}

} // namespace kvc

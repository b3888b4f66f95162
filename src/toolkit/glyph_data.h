// TGlyphData: the picture of a bit or speed button as the definition stores
// it ("Glyph.Data = {...}"), kept as bytes until the buttons draw it.
#pragma once

#include "toolkit/object.h"

#include <cstdint>
#include <vector>

namespace kvc {

class TGlyphData : public TPersistent {
    KVC_CLASS(TGlyphData, TPersistent)
public:
    std::vector<std::uint8_t> GetData() const { return data_; }
    void SetData(const std::vector<std::uint8_t>& data) { data_ = data; }
    bool Empty() const { return data_.empty(); }
    void Clear() { data_.clear(); }
    // Copies another glyph's picture.
    void Assign(const TPersistent& source) override;
    // What a Glyph property's setter does: copies the picture, or clears
    // for none.
    void CopyFrom(const TGlyphData* source) {
        if (source != nullptr) {
            Assign(*source);
        } else {
            Clear();
        }
    }

private:
    std::vector<std::uint8_t> data_;
};

// The number of images side by side in a glyph, 1 to 4.
using TNumGlyphs = int;
// Another count is ignored by a NumGlyphs setter, as classically.
constexpr bool IsNumGlyphs(TNumGlyphs value) {
    return value >= 1 && value <= 4;
}

KVC_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom);

} // namespace kvc

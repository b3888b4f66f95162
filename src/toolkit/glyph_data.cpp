#include "toolkit/glyph_data.h"

#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TGlyphData) {
    c.Property("Data", &TGlyphData::GetData, &TGlyphData::SetData);
}

void TGlyphData::Assign(const TPersistent& source) {
    if (const auto* other = As<TGlyphData>(&source)) {
        data_ = other->data_;
        return;
    }
    TPersistent::Assign(source);
}

} // namespace kvc

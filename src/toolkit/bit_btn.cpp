#include "toolkit/bit_btn.h"

#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TBitBtn) {
    c.Property("Glyph", &TBitBtn::GetGlyph, &TBitBtn::SetGlyph);
    c.Property("Kind", &TBitBtn::GetKind, &TBitBtn::SetKind);
    c.Property("Layout", &TBitBtn::GetLayout, &TBitBtn::SetLayout);
    c.Property("Margin", &TBitBtn::GetMargin, &TBitBtn::SetMargin);
    c.Property("NumGlyphs", &TBitBtn::GetNumGlyphs, &TBitBtn::SetNumGlyphs);
    c.Property("Spacing", &TBitBtn::GetSpacing, &TBitBtn::SetSpacing);
}

const char* TBitBtn::KindCaption(TBitBtnKind kind) {
    static constexpr const char* captions[] = {
        "", "OK", "Cancel", "&Help", "&Yes", "&No", "&Close", "Abort", "&Retry", "&Ignore", "&All"};
    return captions[kind];
}

TModalResult TBitBtn::KindModalResult(TBitBtnKind kind) {
    static constexpr TModalResult results[] = {mrNone, mrOk,    mrCancel, mrNone,   mrYes, mrNo,
                                               mrNone, mrAbort, mrRetry,  mrIgnore, mrAll};
    return results[kind];
}

TBitBtn::TBitBtn() : glyph_(std::make_unique<TGlyphData>()) {}

TBitBtnKind TBitBtn::GetKind() const {
    if (kind_ == bkCustom) {
        return kind_;
    }
    bool isDefault = kind_ == bkOK || kind_ == bkYes;
    bool isCancel = kind_ == bkCancel || kind_ == bkNo;
    if (isDefault != GetDefault() || isCancel != GetCancel() ||
        GetModalResult() != KindModalResult(kind_)) {
        return bkCustom;
    }
    return kind_;
}

void TBitBtn::SetKind(TBitBtnKind kind) {
    if (kind == kind_) {
        return;
    }
    if (kind != bkCustom) {
        SetDefault(kind == bkOK || kind == bkYes);
        SetCancel(kind == bkCancel || kind == bkNo);
        // A definition's own caption, read before the kind, stays.
        if (!IsLoading() || GetCaption().empty()) {
            SetCaption(KindCaption(kind));
        }
        SetModalResult(KindModalResult(kind));
        numGlyphs_ = 2;
    }
    kind_ = kind;
}

void TBitBtn::SetGlyph(TGlyphData* glyph) {
    glyph_->CopyFrom(glyph);
}

void TBitBtn::SetNumGlyphs(TNumGlyphs value) {
    if (IsNumGlyphs(value)) {
        numGlyphs_ = value;
    }
}

void TBitBtn::Click() {
    // A close button closes its form instead of raising OnClick.
    TCustomForm* form = GetParentForm();
    if (GetKind() == bkClose && form != nullptr) {
        form->Close();
        return;
    }
    TButton::Click();
}

} // namespace kvc

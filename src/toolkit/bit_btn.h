// TBitBtn: a push button with a glyph. A Kind other than bkCustom gives the
// button its classic caption, modal result and Default/Cancel role; changing
// any of those afterwards makes it a custom button again. A bkClose button
// closes its form when clicked, without OnClick.
#pragma once

#include "toolkit/button.h"
#include "toolkit/glyph_data.h"

#include <memory>

namespace kvc {

KVC_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry,
         bkIgnore, bkAll);

class TBitBtn : public TButton {
    KVC_CLASS(TBitBtn, TButton)
public:
    TBitBtn();

    TBitBtnKind GetKind() const;
    void SetKind(TBitBtnKind kind);
    TGlyphData* GetGlyph() const { return glyph_.get(); }
    void SetGlyph(TGlyphData* glyph);
    TNumGlyphs GetNumGlyphs() const { return numGlyphs_; }
    // Outside 1..4 is ignored, as classically.
    void SetNumGlyphs(TNumGlyphs value);
    TButtonLayout GetLayout() const { return layout_; }
    void SetLayout(TButtonLayout value) { layout_ = value; }
    int GetMargin() const { return margin_; }
    void SetMargin(int value) { margin_ = value; }
    int GetSpacing() const { return spacing_; }
    void SetSpacing(int value) { spacing_ = value; }

    void Click() override;

    // The caption and modal result a kind gives.
    static const char* KindCaption(TBitBtnKind kind);
    static TModalResult KindModalResult(TBitBtnKind kind);

private:
    TBitBtnKind kind_ = bkCustom;
    std::unique_ptr<TGlyphData> glyph_;
    TNumGlyphs numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

} // namespace kvc

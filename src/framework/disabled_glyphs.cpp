// The disabled image of a one-image button glyph, drawn the classic way: the
// shape of the picture embossed on the button face.
#include "controls/kv_edits.h"
#include "controls/select_panel.h"
#include "framework/kv_form.h"
#include "runtime/strings.h"
#include "toolkit/bit_btn.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/paint/glyph_picture.h"
#include "toolkit/speed_button.h"

#include <algorithm>
#include <memory>
#include <string_view>

namespace kvc::framework {

namespace {

std::uint32_t RgbOf(TColor color) {
    return std::uint32_t(ColorToRGB(color)) & 0xFFFFFFu;
}

bool IsDarkPixel(std::uint32_t rgb) {
    return GetRValue(TColor(rgb)) + GetGValue(TColor(rgb)) + GetBValue(TColor(rgb)) < 384;
}

// A light pixel next to the transparent colour (above, below, left or right;
// a neighbour beyond the border is the border pixel itself).
bool IsEdgePixel(const TBitmap& b, int x, int y, std::uint32_t transparent) {
    const int w = b.GetWidth();
    const int h = b.GetHeight();
    auto at = [&](int px, int py) {
        return b.Pixel(std::clamp(px, 0, w - 1), std::clamp(py, 0, h - 1)) & 0xFFFFFFu;
    };
    return at(x, y - 1) == transparent || at(x, y + 1) == transparent ||
           at(x - 1, y) == transparent || at(x + 1, y) == transparent;
}

// Black where the disabled shape is painted, the transparent colour elsewhere.
void DrawShapeMask(const TBitmap& b, std::uint32_t transparent, TBitmap& mask) {
    mask.SetSize(b.GetWidth(), b.GetHeight());
    mask.SetPixelFormat(pf24bit);
    for (int y = 0; y < b.GetHeight(); ++y) {
        for (int x = 0; x < b.GetWidth(); ++x) {
            const std::uint32_t p = b.Pixel(x, y) & 0xFFFFFFu;
            const bool shape =
                p != transparent && (IsDarkPixel(p) || IsEdgePixel(b, x, y, transparent));
            mask.SetPixel(x, y, shape ? 0u : transparent);
        }
    }
}

// Stamps the mask's black pixels on canvas in colour, shifted by offset.
void Stamp(TCanvas& canvas, TBitmap& mask, TColor colour, int offset) {
    canvas.Brush.Color = colour;
    canvas.CopyMode = cmMaskPaintBrush;
    const TRect source{0, 0, mask.GetWidth(), mask.GetHeight()};
    canvas.CopyRect(OffsetRect(source, offset, offset), mask.Canvas(), source);
    canvas.CopyMode = cmSrcCopy;
}

template <class TButtonClass> void GiveDisabledImage(TButtonClass& button) {
    TGlyphData* glyph = button.GetGlyph();
    if (glyph == nullptr || glyph->Empty() || button.GetNumGlyphs() != 1) {
        return;
    }
    std::unique_ptr<TBitmap> picture = DecodeGlyph(glyph->GetData());
    MakeDisabledGlyph(*picture);
    glyph->SetData(picture->SaveToPngBytes());
    button.SetNumGlyphs(2);
}

void GiveDisabledImageTo(TComponent* component) {
    if (auto* speed = As<TSpeedButton>(component)) {
        GiveDisabledImage(*speed);
    } else if (auto* bit = As<TBitBtn>(component)) {
        GiveDisabledImage(*bit);
    }
}

bool IsOfClassNamed(const TComponent& component, std::string_view name) {
    for (const TClassInfo* c = &component.ClassType(); c != nullptr; c = c->Parent()) {
        if (SameText(c->Name(), name)) {
            return true;
        }
    }
    return false;
}

} // namespace

void MakeDisabledGlyph(TBitmap& glyph) {
    const int w = glyph.GetWidth();
    const int h = glyph.GetHeight();
    if (w == 0 || h == 0) {
        return;
    }
    glyph.SetPixelFormat(pf24bit);
    const std::uint32_t transparent = RgbOf(glyph.GetTransparentColor());

    TBitmap mask;
    DrawShapeMask(glyph, transparent, mask);
    // The copy keeps the destination where the mask is white: every pixel
    // that is not black becomes white.
    mask.SetPixelFormat(pf1bit);

    TBitmap disabled(w, h);
    disabled.SetPixelFormat(pf24bit);
    TCanvas& canvas = disabled.Canvas();
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect({0, 0, w, h});
    Stamp(canvas, mask, clBtnHighlight, 1);
    Stamp(canvas, mask, clBtnShadow, 0);

    TBitmap former;
    former.Assign(glyph);
    glyph.SetSize(2 * w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < 2 * w; ++x) {
            glyph.SetPixel(x, y,
                           x < w ? former.Pixel(x, y) & 0xFFFFFFu
                                 : disabled.Pixel(x - w, y) & 0xFFFFFFu);
        }
    }
}

void AddDisabledGlyphs(TComponent& component) {
    if (auto* panel = As<controls::TSelectPanel>(&component)) {
        // The begin and final lookup buttons keep their single image.
        GiveDisabledImage(panel->ListButton());
        GiveDisabledImage(panel->DeleteButton());
        GiveDisabledImage(panel->ClearButton());
    } else if (auto* edit = As<controls::TKvBtnDBEdit>(&component)) {
        // The button belongs to the edit, not to the form.
        if (edit->Button() != nullptr) {
            GiveDisabledImage(*edit->Button());
        }
    } else if (IsOfClassNamed(component, "TKvBtnDBCombo")) {
        // The outside package's lookup combo box owns its drop-down button;
        // the toolkit knows the class only by name when a definition names it.
        for (int b = 0; b < component.ComponentCount(); ++b) {
            GiveDisabledImageTo(component.Components(b));
        }
    } else {
        GiveDisabledImageTo(&component);
    }
}

} // namespace kvc::framework

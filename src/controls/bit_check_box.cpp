#include "controls/bit_check_box.h"

#include "toolkit/class_builder.h"
#include "toolkit/paint/classic_painter.h"
#include "toolkit/paint/render.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

namespace kvc::controls {

// Generated from the files of pictures/.
std::span<const std::pair<std::string_view, std::span<const std::uint8_t>>> EmbeddedPictures();

KVC_REGISTER_CLASS(TBitCheckBox) {
    c.Property("Alignment", &TBitCheckBox::GetAlignment, &TBitCheckBox::SetAlignment);
    c.Property("AllowGrayed", &TBitCheckBox::GetAllowGrayed, &TBitCheckBox::SetAllowGrayed);
    c.Property("Caption", &TBitCheckBox::GetCaption, &TBitCheckBox::SetCaption);
    c.Property("Checked", &TBitCheckBox::GetChecked, &TBitCheckBox::SetChecked);
    c.Property("CheckedGlyph", &TBitCheckBox::GetCheckedGlyph, &TBitCheckBox::SetCheckedGlyph);
    c.Property("CheckedNumGlyphs", &TBitCheckBox::GetCheckedNumGlyphs,
               &TBitCheckBox::SetCheckedNumGlyphs);
    c.Property("Color", &TBitCheckBox::GetColor, &TBitCheckBox::SetColor);
    c.Property("Ctl3D", &TBitCheckBox::GetCtl3D, &TBitCheckBox::SetCtl3D);
    c.Property("Enabled", &TBitCheckBox::GetEnabled, &TBitCheckBox::SetEnabled);
    c.Property("Font", &TBitCheckBox::GetFont, &TBitCheckBox::SetFont);
    c.Property("GrayedGlyph", &TBitCheckBox::GetGrayedGlyph, &TBitCheckBox::SetGrayedGlyph);
    c.Property("GrayedNumGlyphs", &TBitCheckBox::GetGrayedNumGlyphs,
               &TBitCheckBox::SetGrayedNumGlyphs);
    c.Property("ParentColor", &TBitCheckBox::GetParentColor, &TBitCheckBox::SetParentColor);
    c.Property("ParentFont", &TBitCheckBox::GetParentFont, &TBitCheckBox::SetParentFont);
    c.Property("ParentShowHint", &TBitCheckBox::GetParentShowHint,
               &TBitCheckBox::SetParentShowHint);
    c.Property("ShowHint", &TBitCheckBox::GetShowHint, &TBitCheckBox::SetShowHint);
    c.Property("State", &TBitCheckBox::GetState, &TBitCheckBox::SetState);
    c.Property("TabOrder", &TBitCheckBox::GetTabOrder, &TBitCheckBox::SetTabOrder);
    c.Property("TabStop", &TBitCheckBox::GetTabStop, &TBitCheckBox::SetTabStop);
    c.Property("UncheckedGlyph", &TBitCheckBox::GetUncheckedGlyph,
               &TBitCheckBox::SetUncheckedGlyph);
    c.Property("UncheckedNumGlyphs", &TBitCheckBox::GetUncheckedNumGlyphs,
               &TBitCheckBox::SetUncheckedNumGlyphs);
    c.Property("Visible", &TBitCheckBox::GetVisible, &TBitCheckBox::SetVisible);
    c.Event("OnClick", &TBitCheckBox::OnClick);
    c.Event("OnDblClick", &TBitCheckBox::OnDblClick);
    c.Event("OnEnter", &TBitCheckBox::OnEnter);
    c.Event("OnExit", &TBitCheckBox::OnExit);
    c.Event("OnKeyDown", &TBitCheckBox::OnKeyDown);
    c.Event("OnKeyPress", &TBitCheckBox::OnKeyPress);
    c.Event("OnKeyUp", &TBitCheckBox::OnKeyUp);
    c.Event("OnMouseDown", &TBitCheckBox::OnMouseDown);
    c.Event("OnMouseMove", &TBitCheckBox::OnMouseMove);
    c.Event("OnMouseUp", &TBitCheckBox::OnMouseUp);
}

void LoadDefaultCheckGlyph(TBitmap& picture, TCheckBoxState state) {
    static constexpr std::string_view kFiles[] = {"unchecked.png", "checked.png", "grayed.png"};
    const std::string_view file = kFiles[std::size_t(state)];
    for (const auto& [name, bytes] : EmbeddedPictures()) {
        if (name == file) {
            picture.LoadFromPngBytes({bytes.begin(), bytes.end()});
            return;
        }
    }
    throw EInvalidGraphic("The check box picture " + std::string(file) + " is not built in");
}

TBitCheckBox::TBitCheckBox() {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    for (TCheckBoxState state : {cbUnchecked, cbChecked, cbGrayed}) {
        glyphs_[Slot(state)] = std::make_unique<TBitmap>();
        LoadDefaultCheckGlyph(*glyphs_[Slot(state)], state);
    }
}

TBitCheckBox::~TBitCheckBox() = default;

void TBitCheckBox::SetAlignment(TAlignment value) {
    if (value != alignment_) {
        alignment_ = value;
        Invalidate();
    }
}

void TBitCheckBox::SetState(TCheckBoxState state) {
    if (state != state_) {
        state_ = state;
        Invalidate();
    }
}

void TBitCheckBox::SetCtl3D(bool value) {
    if (value != ctl3D_) {
        ctl3D_ = value;
        Invalidate();
    }
}

void TBitCheckBox::SetGlyph(TCheckBoxState state, TBitmap* picture) {
    TBitmap& glyph = *glyphs_[Slot(state)];
    if (picture != nullptr) {
        glyph.Assign(*picture);
    } else {
        LoadDefaultCheckGlyph(glyph, state);
    }
    if (glyph.GetHeight() > 0 && glyph.GetWidth() % glyph.GetHeight() == 0) {
        SetNumGlyphs(state, glyph.GetWidth() / glyph.GetHeight());
    }
    Invalidate();
}

void TBitCheckBox::SetNumGlyphs(TCheckBoxState state, int value) {
    numGlyphs_[Slot(state)] = std::clamp(value, 1, 2);
    Invalidate();
}

TCheckBoxState TBitCheckBox::NextState() const {
    switch (state_) {
    case cbUnchecked:
        return allowGrayed_ ? cbGrayed : cbChecked;
    case cbChecked:
        return cbUnchecked;
    default:
        return cbChecked;
    }
}

void TBitCheckBox::Click() {
    TDestroyGuard guard(*this);
    SetState(NextState());
    inherited::Click();
    // A box of a form that is not shown cannot take the focus.
    if (guard.Alive() && CanFocus() && IsShowing()) {
        SetFocus();
    }
}

void TBitCheckBox::DoEnter() {
    Invalidate();
    inherited::DoEnter();
}

void TBitCheckBox::DoExit() {
    Invalidate();
    inherited::DoExit();
}

void TBitCheckBox::EnabledChanged() {
    Invalidate();
    inherited::EnabledChanged();
}

TRect BitCheckBoxCaptionRect(const TBitCheckBox& box, int textWidth, int ampersandWidth,
                             int textHeight) {
    const TCheckBoxState state = box.GetState();
    const int glyphWidth = box.Glyph(state)->GetWidth() / box.NumGlyphs(state);
    TRect r;
    r.Left = box.GetAlignment() == taRightJustify ? glyphWidth + 4 : 1;
    r.Right =
        r.Left + textWidth - (box.GetCaption().find('&') != std::string::npos ? ampersandWidth : 0);
    r.Top = (box.GetClientHeight() - textHeight) / 2 - 2;
    r.Bottom = r.Top + textHeight + 3;
    const TRect client = box.ClientRect();
    return {std::max(r.Left, client.Left), std::max(r.Top, client.Top),
            std::min(r.Right, client.Right), std::min(r.Bottom, client.Bottom)};
}

namespace {

// One image of a picture at (x, y), the picture's transparent colour (its
// bottom-left pixel) replaced by the box's colour.
void DrawImage(TCanvas& canvas, const TBitmap& picture, int image, int imageWidth, int x, int y,
               TColor ground) {
    const std::uint32_t transparent = std::uint32_t(ColorToRGB(picture.GetTransparentColor()));
    const TColor fill = TColor(ColorToRGB(ground));
    for (int py = 0; py < picture.GetHeight(); ++py) {
        for (int px = 0; px < imageWidth; ++px) {
            const std::uint32_t pixel = picture.Pixel(image * imageWidth + px, py) & 0xFFFFFFu;
            canvas.SetPixel(x + px, y + py, pixel == transparent ? fill : TColor(pixel));
        }
    }
}

void PaintBitCheckBox(TControl& control, TCanvas& canvas) {
    auto& box = static_cast<TBitCheckBox&>(control);
    const TRect client = box.ClientRect();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = box.GetColor();
    canvas.FillRect(client);

    const TBitmap& picture = *box.Glyph(box.GetState());
    const int images = box.NumGlyphs(box.GetState());
    const int imageWidth = picture.GetWidth() / images;
    const bool enabled = box.IsEnabledInParents();
    const std::string& caption = box.GetCaption();

    TRect text = BitCheckBoxCaptionRect(box, canvas.TextWidth(caption), canvas.TextWidth("&"),
                                        canvas.TextHeight(caption));
    constexpr unsigned kFlags = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    canvas.Brush.Style = bsClear;
    const TColor fontColor = canvas.Font.GetColor();
    if (!enabled) {
        if (box.GetCtl3D()) {
            TRect shifted{text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1};
            canvas.Font.SetColor(clBtnHighlight);
            canvas.DrawText(caption, shifted, kFlags);
        }
        canvas.Font.SetColor(clGrayText);
    }
    canvas.DrawText(caption, text, kFlags);
    canvas.Font.SetColor(fontColor);
    canvas.Brush.Style = bsSolid;

    if (box.Focused()) {
        classic::FocusRect(canvas, {std::max(text.Left - 1, 0), std::max(text.Top - 1, 0),
                                    text.Right + 1, std::min(text.Bottom + 1, client.Bottom)});
    }

    const int x = box.GetAlignment() == taRightJustify ? 0 : client.Width() - imageWidth;
    const int y = (client.Height() - picture.GetHeight()) / 2;
    const int image = !enabled && images == 2 ? 1 : 0;
    DrawImage(canvas, picture, image, imageWidth, x, y, box.GetColor());
}

[[maybe_unused]] const bool kPainterRegistered =
    (RegisterPainter(TBitCheckBox::StaticClassInfo(), &PaintBitCheckBox), true);

} // namespace

} // namespace kvc::controls

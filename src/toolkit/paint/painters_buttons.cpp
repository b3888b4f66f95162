// Painters of buttons, boxes and bars in the classic look.
#include "toolkit/bit_btn.h"
#include "toolkit/check_box.h"
#include "toolkit/dialogs.h"
#include "toolkit/group_box.h"
#include "toolkit/paint/classic_painter.h"
#include "toolkit/paint/glyph_picture.h"
#include "toolkit/paint/painter_helpers.h"
#include "toolkit/radio_button.h"
#include "toolkit/speed_button.h"
#include "toolkit/splitter.h"
#include "toolkit/status_bar.h"
#include "toolkit/tab_set.h"
#include "toolkit/tool_bar.h"

#include <algorithm>

namespace kvc::painting {

namespace {

constexpr unsigned kSingleLine = DT_SINGLELINE | DT_VCENTER;

// A caption beside a box or a dot: the box on the left with taRightJustify,
// on the right otherwise. Answers the caption's rectangle.
TRect CaptionBeside(const TControl& control, TAlignment alignment, int boxWidth) {
    TRect r = Bounds(control);
    if (alignment == taRightJustify) {
        return {boxWidth + 4, r.Top, r.Right, r.Bottom};
    }
    return {r.Left, r.Top, r.Right - boxWidth - 4, r.Bottom};
}

void CaptionWithFocus(TControl& control, TCanvas& canvas, TRect area) {
    bool enabled = control.IsEnabledInParents();
    TRect text = area;
    canvas.DrawText(control.GetCaption(), text, kSingleLine | DT_CALCRECT);
    TRect caption{area.Left, area.Top + (area.Height() - text.Height()) / 2,
                  area.Left + text.Width(), 0};
    caption.Bottom = caption.Top + text.Height();
    classic::Text(canvas, control.GetCaption(), caption, kSingleLine, enabled);
    if (HasFocus(control)) {
        classic::FocusRect(canvas, IntersectRect(InflateRect(caption, 1, 1), Bounds(control)));
    }
}

// Glyph and caption of a bit or speed button laid out in the content area.
struct TGlyphButton {
    const TGlyphData* glyph;
    TNumGlyphs numGlyphs;
    TButtonLayout layout;
    int margin;
    int spacing;
};

void GlyphAndCaption(TControl& control, TCanvas& canvas, TRect content, const TGlyphButton& b,
                     TGlyphState state) {
    std::unique_ptr<TBitmap> picture;
    if (b.glyph != nullptr && !b.glyph->Empty()) {
        picture = DecodeGlyph(b.glyph->GetData());
    }
    const std::string& caption = control.GetCaption();
    TSize text = caption.empty() ? TSize{} : canvas.TextExtent(caption);
    TSize image =
        picture ? TSize{GlyphImageWidth(*picture, b.numGlyphs), picture->GetHeight()} : TSize{};
    bool vertical = b.layout == blGlyphTop || b.layout == blGlyphBottom;
    int gap = picture && !caption.empty() ? std::max(b.spacing, 0) : 0;
    int along = vertical ? content.Height() : content.Width();
    int total = vertical ? image.cy + gap + text.cy : image.cx + gap + text.cx;
    int start = b.margin >= 0 ? b.margin : (along - total) / 2;
    bool glyphFirst = b.layout == blGlyphLeft || b.layout == blGlyphTop;
    int glyphAt = glyphFirst ? start : start + total - (vertical ? image.cy : image.cx);
    int textAt = glyphFirst ? start + total - (vertical ? text.cy : text.cx) : start;
    if (picture) {
        int x = vertical ? content.Left + (content.Width() - image.cx) / 2 : content.Left + glyphAt;
        int y = vertical ? content.Top + glyphAt : content.Top + (content.Height() - image.cy) / 2;
        DrawGlyph(canvas, *picture, b.numGlyphs, state, x, y);
    }
    if (!caption.empty()) {
        TRect r = vertical ? TRect{content.Left, content.Top + textAt, content.Right,
                                   content.Top + textAt + text.cy}
                           : TRect{content.Left + textAt, content.Top,
                                   content.Left + textAt + text.cx, content.Bottom};
        classic::Text(canvas, caption, r, kSingleLine | DT_CENTER, state != TGlyphState::disabled);
    }
}

TGlyphState StateOf(const TControl& control, bool pressed, bool down) {
    if (!control.IsEnabledInParents()) {
        return TGlyphState::disabled;
    }
    if (pressed) {
        return TGlyphState::clicked;
    }
    return down ? TGlyphState::down : TGlyphState::up;
}

classic::TDialogIcon IconOf(TMsgDlgType type) {
    switch (type) {
    case mtWarning:
        return classic::TDialogIcon::warning;
    case mtError:
        return classic::TDialogIcon::error;
    case mtConfirmation:
        return classic::TDialogIcon::confirmation;
    default:
        return classic::TDialogIcon::information;
    }
}

// The button's picture from its bar's images: beside the caption on a list
// bar, above it otherwise, centred without a caption. A disabled button
// takes the bar's disabled images, or its image in the disabled look.
// Answers where the caption goes.
TRect ToolButtonImage(TCanvas& canvas, const TToolButton& button, TRect content, bool showCaption) {
    TToolBar* bar = button.ToolBar();
    TCustomImageList* images = bar != nullptr ? bar->GetImages() : nullptr;
    int index = button.GetImageIndex();
    if (images == nullptr || index < 0 || index >= images->Count()) {
        return content;
    }
    bool enabled = button.IsEnabledInParents();
    TCustomImageList* disabled = bar->GetDisabledImages();
    bool ownDisabled = !enabled && disabled != nullptr && index < disabled->Count();
    const TCustomImageList& source = ownDisabled ? *disabled : *images;
    int width = source.GetWidth();
    int height = source.GetHeight();
    TPoint at;
    if (!showCaption) {
        at = {content.Left + (content.Width() - width) / 2,
              content.Top + (content.Height() - height) / 2};
    } else if (bar->GetList()) {
        at = {content.Left + 3, content.Top + (content.Height() - height) / 2};
        content.Left = at.X + width + 1;
    } else {
        at = {content.Left + (content.Width() - width) / 2, content.Top + 2};
        content.Top = at.Y + height;
    }
    source.Draw(canvas, at.X, at.Y, index, enabled || ownDisabled);
    return content;
}

} // namespace

void PaintGroupBox(TControl& control, TCanvas& canvas) {
    TRect r = Bounds(control);
    Fill(canvas, r, control.GetColor());
    int textHeight = canvas.TextHeight("0");
    // The etched line runs through the middle of the caption.
    classic::EtchedFrame(canvas, {r.Left, r.Top + textHeight / 2, r.Right, r.Bottom});
    const std::string& caption = control.GetCaption();
    if (caption.empty()) {
        return;
    }
    TRect text{8, 0, 8 + canvas.TextWidth(caption) + 4, textHeight};
    Fill(canvas, text, control.GetColor());
    classic::Text(canvas, caption, OffsetRect(text, 2, 0), DT_SINGLELINE | DT_LEFT,
                  control.IsEnabledInParents());
}

void PaintCheckBox(TControl& control, TCanvas& canvas) {
    auto& box = static_cast<TCheckBox&>(control);
    Fill(canvas, Bounds(box), box.GetColor());
    constexpr int kBox = 13;
    int x = box.GetAlignment() == taRightJustify ? 0 : box.GetWidth() - kBox;
    classic::TCheckLook look = box.GetState() == cbChecked  ? classic::TCheckLook::checked
                               : box.GetState() == cbGrayed ? classic::TCheckLook::grayed
                                                            : classic::TCheckLook::unchecked;
    classic::CheckBox(canvas, {x, (box.GetHeight() - kBox) / 2}, look, box.IsEnabledInParents());
    CaptionWithFocus(box, canvas, CaptionBeside(box, box.GetAlignment(), kBox));
}

void PaintRadioButton(TControl& control, TCanvas& canvas) {
    auto& radio = static_cast<TRadioButton&>(control);
    Fill(canvas, Bounds(radio), radio.GetColor());
    constexpr int kDot = 12;
    int x = radio.GetAlignment() == taRightJustify ? 0 : radio.GetWidth() - kDot;
    classic::RadioButton(canvas, {x, (radio.GetHeight() - kDot) / 2}, radio.GetChecked(),
                         radio.IsEnabledInParents());
    CaptionWithFocus(radio, canvas, CaptionBeside(radio, radio.GetAlignment(), kDot + 1));
}

void PaintBitBtn(TControl& control, TCanvas& canvas) {
    auto& button = static_cast<TBitBtn&>(control);
    bool focused = HasFocus(button);
    classic::TButtonLook look;
    look.pressed = button.IsMouseDown();
    look.isDefault = focused || button.GetDefault();
    TRect content = classic::ButtonFace(canvas, Bounds(button), look);
    GlyphAndCaption(button, canvas, content,
                    {button.GetGlyph(), button.GetNumGlyphs(), button.GetLayout(),
                     button.GetMargin(), button.GetSpacing()},
                    StateOf(button, look.pressed, false));
    if (focused) {
        classic::FocusRect(canvas, InflateRect(content, -1, -1));
    }
}

void PaintSpeedButton(TControl& control, TCanvas& canvas) {
    auto& button = static_cast<TSpeedButton&>(control);
    TRect r = Bounds(button);
    bool pressed = button.IsMouseDown() || button.GetDown();
    TRect content;
    if (button.GetFlat()) {
        // A flat button shows its edge only while pressed or down.
        Fill(canvas, r, button.GetTransparent() ? ParentColor(button) : clBtnFace);
        content = pressed ? classic::Bevel(canvas, r, false, 1) : InflateRect(r, -1, -1);
    } else if (button.GetDown() && !button.IsMouseDown()) {
        content = classic::LatchedFace(canvas, r);
    } else {
        classic::TButtonLook look;
        look.pressed = pressed;
        content = classic::ButtonFace(canvas, r, look);
    }
    GlyphAndCaption(button, canvas, content,
                    {button.GetGlyph(), button.GetNumGlyphs(), button.GetLayout(),
                     button.GetMargin(), button.GetSpacing()},
                    StateOf(button, button.IsMouseDown(), button.GetDown()));
}

void PaintToolBar(TControl& control, TCanvas& canvas) {
    auto& bar = static_cast<TToolBar&>(control);
    TRect r = Bounds(bar);
    Fill(canvas, r, bar.GetColor());
    TEdgeBorders edges = bar.GetEdgeBorders();
    if (edges.Contains(ebTop)) {
        Fill(canvas, {r.Left, r.Top, r.Right, r.Top + 1}, clBtnShadow);
        Fill(canvas, {r.Left, r.Top + 1, r.Right, r.Top + 2}, clBtnHighlight);
    }
    if (edges.Contains(ebBottom)) {
        Fill(canvas, {r.Left, r.Bottom - 2, r.Right, r.Bottom - 1}, clBtnShadow);
        Fill(canvas, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, clBtnHighlight);
    }
}

void PaintToolButton(TControl& control, TCanvas& canvas) {
    auto& button = static_cast<TToolButton&>(control);
    TRect r = Bounds(button);
    if (button.IsSeparator()) {
        Fill(canvas, r, ParentColor(button));
        if (button.GetStyle() == tbsDivider || (button.ToolBar() && button.ToolBar()->GetFlat())) {
            int x = r.Width() / 2 - 1;
            Fill(canvas, {x, r.Top + 1, x + 1, r.Bottom - 1}, clBtnShadow);
            Fill(canvas, {x + 1, r.Top + 1, x + 2, r.Bottom - 1}, clBtnHighlight);
        }
        return;
    }
    bool flat = button.ToolBar() != nullptr && button.ToolBar()->GetFlat();
    bool pressed = button.IsMouseDown() || button.GetDown();
    TRect content;
    if (flat) {
        Fill(canvas, r, ParentColor(button));
        content = pressed ? classic::Bevel(canvas, r, false, 1) : InflateRect(r, -1, -1);
    } else if (button.GetDown() && !button.IsMouseDown()) {
        content = classic::LatchedFace(canvas, r);
    } else {
        classic::TButtonLook look;
        look.pressed = pressed;
        content = classic::ButtonFace(canvas, r, look);
    }
    if (button.GetStyle() == tbsDropDown) {
        TRect arrow{content.Right - 10, content.Top, content.Right, content.Bottom};
        classic::Arrow(canvas, arrow, classic::TArrow::down, 5, button.IsEnabledInParents());
        content.Right = arrow.Left;
    }
    bool showCaption = button.ToolBar() == nullptr || button.ToolBar()->GetShowCaptions();
    if (pressed) {
        content = OffsetRect(content, 1, 1);
    }
    content = ToolButtonImage(canvas, button, content, showCaption);
    if (showCaption) {
        classic::Text(canvas, button.GetCaption(), content, kSingleLine | DT_CENTER,
                      button.IsEnabledInParents());
    }
}

void PaintSplitter(TControl& control, TCanvas& canvas) {
    auto& splitter = static_cast<TSplitter&>(control);
    TRect r = Bounds(splitter);
    Fill(canvas, r, ParentColor(splitter));
    if (splitter.GetBeveled()) {
        classic::Bevel(canvas, r, true, 1);
    }
}

void PaintStatusBar(TControl& control, TCanvas& canvas) {
    auto& bar = static_cast<TStatusBar&>(control);
    TRect r = Bounds(bar);
    Fill(canvas, r, bar.GetColor());
    bool enabled = bar.IsEnabledInParents();
    TRect area{r.Left, r.Top + 2, r.Right, r.Bottom};
    auto panel = [&](TRect cell, const std::string& text, TStatusPanelBevel bevel,
                     TAlignment alignment) {
        if (bevel != pbNone) {
            classic::Bevel(canvas, cell, bevel == pbRaised, 1);
        }
        classic::Text(canvas, text, InflateRect(cell, -2, 0),
                      kSingleLine | DT_NOPREFIX | AlignmentFlags(alignment), enabled);
    };
    if (bar.GetSimplePanel() || bar.GetPanels()->Count() == 0) {
        panel(area, bar.GetSimplePanel() ? bar.GetSimpleText() : bar.GetCaption(), pbLowered,
              taLeftJustify);
    } else {
        int x = area.Left;
        int count = bar.GetPanels()->Count();
        for (int i = 0; i < count; ++i) {
            TStatusPanel* p = bar.GetPanels()->Items(i);
            // The last panel takes what is left of the bar.
            int right = i + 1 == count ? area.Right : std::min(x + p->GetWidth(), area.Right);
            panel({x, area.Top, right, area.Bottom}, p->GetText(), p->GetBevel(),
                  p->GetAlignment());
            x = right + 2;
        }
    }
    if (bar.GetSizeGrip()) {
        // Three diagonal ridges in the bottom-right corner.
        for (int k = 0; k < 3; ++k) {
            for (int d = 0; d < 11 - 4 * k; ++d) {
                int x = r.Right - 2 - d;
                int y = r.Bottom - 12 + 4 * k + d;
                canvas.SetPixel(x, y, clBtnHighlight);
                canvas.SetPixel(x + 1, y, clBtnShadow);
                canvas.SetPixel(x + 2, y, clBtnShadow);
            }
        }
    }
}

void PaintTabSet(TControl& control, TCanvas& canvas) {
    auto& tabs = static_cast<TTabSet&>(control);
    TRect r = Bounds(tabs);
    Fill(canvas, r, tabs.GetColor());
    // The tabs hang from a dark line at the top, the selected one joining it.
    Fill(canvas, {r.Left, r.Top, r.Right, r.Top + 1}, cl3DDkShadow);
    int x = tabs.GetStartMargin();
    int height = std::min(r.Height(), tabs.GetTabHeight() > 0 ? tabs.GetTabHeight() : 20);
    bool enabled = tabs.IsEnabledInParents();
    for (int i = 0; i < tabs.GetTabs()->Count(); ++i) {
        const std::string& text = (*tabs.GetTabs())[i];
        int width = canvas.TextWidth(text) + 12;
        bool selected = i == tabs.GetTabIndex();
        TRect tab{x, selected ? 0 : 1, x + width, height};
        Fill(canvas, tab, selected ? tabs.GetSelectedColor() : tabs.GetUnselectedColor());
        classic::Frame3D(canvas, {tab.Left, tab.Top - 1, tab.Right, tab.Bottom}, clBtnHighlight,
                         cl3DDkShadow);
        if (selected) {
            Fill(canvas, {tab.Left + 1, 0, tab.Right - 1, 1}, tabs.GetSelectedColor());
        }
        classic::Text(canvas, text, tab, kSingleLine | DT_CENTER, enabled);
        if (selected && HasFocus(tabs)) {
            classic::FocusRect(canvas, InflateRect(tab, -3, -3));
        }
        x += width;
    }
}

void PaintMessageForm(TControl& control, TCanvas& canvas) {
    PaintForm(control, canvas);
    auto& dialog = static_cast<TMessageForm&>(control);
    if (dialog.DialogType() == mtCustom) {
        return;
    }
    TPoint origin = ClientOrigin(dialog);
    // The icon sits in the margin left of the message.
    constexpr int kMargin = 8;
    classic::DialogIcon(canvas, {origin.X + kMargin, origin.Y + kMargin},
                        IconOf(dialog.DialogType()));
}

} // namespace kvc::painting

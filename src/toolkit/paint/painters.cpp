#include "toolkit/paint/painters.h"

#include "toolkit/button.h"
#include "toolkit/edit.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/paint/classic_painter.h"
#include "toolkit/paint/painter_helpers.h"
#include "toolkit/panel.h"

#include <algorithm>
#include <utility>

namespace kvc {

namespace painting {

void PaintForm(TControl& control, TCanvas& canvas) {
    auto& form = static_cast<TCustomForm&>(control);
    TRect window = Bounds(form);
    TPoint origin = ClientOrigin(form);
    Fill(canvas, window, clBtnFace);
    if (form.GetBorderStyle() != bsNone) {
        classic::RaisedEdge(canvas, window);
        int frame = origin.X;
        TRect caption{frame, frame, form.GetWidth() - frame, origin.Y - 1};
        classic::CaptionBar(canvas, caption, form.GetCaption(), form.IsActive(),
                            form.GetBorderIcons().Contains(biSystemMenu));
        canvas.Font.Assign(*form.GetFont());
    }
    Fill(canvas, OffsetRect(form.ClientRect(), origin.X, origin.Y), form.GetColor());
}

void PaintPanel(TControl& control, TCanvas& canvas) {
    auto& panel = static_cast<TPanel&>(control);
    TRect r = Bounds(panel);
    Fill(canvas, r, panel.GetColor());
    if (panel.GetBevelOuter() == bvRaised || panel.GetBevelOuter() == bvLowered) {
        r = classic::Bevel(canvas, r, panel.GetBevelOuter() == bvRaised, panel.GetBevelWidth());
    }
    r = InflateRect(r, -panel.GetBorderWidth(), -panel.GetBorderWidth());
    if (panel.GetBevelInner() == bvRaised || panel.GetBevelInner() == bvLowered) {
        r = classic::Bevel(canvas, r, panel.GetBevelInner() == bvRaised, panel.GetBevelWidth());
    }
    classic::Text(canvas, panel.GetCaption(), r,
                  DT_SINGLELINE | DT_VCENTER | AlignmentFlags(panel.GetAlignment()),
                  panel.IsEnabledInParents());
}

namespace {

void PaintLabel(TControl& control, TCanvas& canvas) {
    auto& label = static_cast<TLabel&>(control);
    TRect r = Bounds(label);
    if (!label.GetTransparent()) {
        Fill(canvas, r, label.GetColor());
    }
    unsigned flags = AlignmentFlags(label.GetAlignment());
    flags |= label.GetWordWrap() ? DT_WORDBREAK : 0u;
    flags |= label.GetShowAccelChar() ? 0u : DT_NOPREFIX;
    if (label.GetLayout() != tlTop) {
        TRect extent = r;
        int height = canvas.DrawText(label.GetCaption(), extent, flags | DT_CALCRECT);
        int room = r.Height() - height;
        r.Top += label.GetLayout() == tlCenter ? room / 2 : room;
    }
    classic::Text(canvas, label.GetCaption(), r, flags, label.IsEnabledInParents());
}

} // namespace

void PaintEdit(TControl& control, TCanvas& canvas) {
    TRect r = Bounds(control);
    bool enabled = control.IsEnabledInParents();
    TRect inner = classic::SunkenEdge(canvas, r);
    Fill(canvas, inner, enabled ? control.GetColor() : clBtnFace);
    auto* edit = As<TEdit>(&control);
    std::u32string chars = ToChars(control.GetText());
    if (edit != nullptr && edit->GetPasswordChar() != 0) {
        chars.assign(chars.size(), edit->GetPasswordChar());
    }
    TRect text{inner.Left + 1, inner.Top + 1, inner.Right - 1, inner.Bottom};
    canvas.IntersectClipRect(inner);
    canvas.Brush.Style = bsClear;
    canvas.Font.SetColor(enabled ? canvas.Font.GetColor() : clGrayText);
    int selStart = 0;
    int selLength = 0;
    if (edit != nullptr && HasFocus(control)) {
        selStart = std::clamp(edit->SelStart(), 0, int(chars.size()));
        selLength = std::clamp(edit->SelLength(), 0, int(chars.size()) - selStart);
    }
    // The text in three runs: before, inside and after the selection.
    int x = text.Left;
    int runs[] = {0, selStart, selStart + selLength, int(chars.size())};
    for (int i = 0; i < 3; ++i) {
        std::string run =
            FromChars(chars.substr(std::size_t(runs[i]), std::size_t(runs[i + 1] - runs[i])));
        int width = canvas.TextWidth(run);
        if (i == 1 && width > 0) {
            Fill(canvas, {x, text.Top, x + width, text.Top + canvas.TextHeight(run)}, clHighlight);
            canvas.Brush.Style = bsClear;
            TColor color = canvas.Font.GetColor();
            canvas.Font.SetColor(clHighlightText);
            canvas.TextOut(x, text.Top, run);
            canvas.Font.SetColor(color);
        } else if (!run.empty()) {
            canvas.TextOut(x, text.Top, run);
        }
        x += width;
    }
    if (HasFocus(control) && selLength == 0 && edit != nullptr) {
        // The caret, before the character at SelStart.
        int caret = text.Left + canvas.TextWidth(FromChars(chars.substr(0, std::size_t(selStart))));
        Fill(canvas, {caret, text.Top, caret + 1, text.Top + canvas.TextHeight("|")}, clWindowText);
    }
}

namespace {

void PaintButton(TControl& control, TCanvas& canvas) {
    auto& button = static_cast<TButton&>(control);
    bool focused = HasFocus(button);
    classic::TButtonLook look;
    look.pressed = button.IsMouseDown();
    look.isDefault = focused || button.GetDefault();
    TRect content = classic::ButtonFace(canvas, Bounds(button), look);
    classic::Text(canvas, button.GetCaption(), content, DT_SINGLELINE | DT_VCENTER | DT_CENTER,
                  button.IsEnabledInParents());
    if (focused) {
        classic::FocusRect(canvas, InflateRect(content, -1, -1));
    }
}

// The tabs of the visible pages, left to right on the top row.
std::vector<std::pair<TTabSheet*, TRect>> TabRects(TPageControl& pages, TCanvas& canvas) {
    std::vector<std::pair<TTabSheet*, TRect>> tabs;
    int height = pages.GetTabHeight() > 0 ? pages.GetTabHeight() : 20;
    int x = 2;
    for (int i = 0; i < pages.PageCount(); ++i) {
        TTabSheet* page = pages.Pages(i);
        if (!page->GetTabVisible()) {
            continue;
        }
        int width = pages.GetTabWidth() > 0 ? pages.GetTabWidth()
                                            : canvas.TextWidth(page->GetCaption()) + 12;
        tabs.emplace_back(page, TRect{x, 2, x + width, 2 + height});
        x += width;
    }
    return tabs;
}

void PaintPageControl(TControl& control, TCanvas& canvas) {
    auto& pages = static_cast<TPageControl&>(control);
    TRect r = Bounds(pages);
    Fill(canvas, r, pages.Parent() != nullptr ? pages.Parent()->GetColor() : clBtnFace);
    auto tabs = TabRects(pages, canvas);
    int top = tabs.empty() ? 0 : tabs.front().second.Bottom;
    TRect frame{0, top, r.Right, r.Bottom};
    Fill(canvas, frame, clBtnFace);
    classic::RaisedEdge(canvas, frame);
    bool enabled = pages.IsEnabledInParents();
    const std::pair<TTabSheet*, TRect>* active = nullptr;
    for (const auto& tab : tabs) {
        if (tab.first == pages.GetActivePage()) {
            active = &tab;
            continue;
        }
        classic::Tab(canvas, tab.second, false);
        classic::Text(canvas, tab.first->GetCaption(), tab.second,
                      DT_SINGLELINE | DT_VCENTER | DT_CENTER, enabled);
    }
    if (active != nullptr) {
        classic::Tab(canvas, active->second, true);
        TRect text = OffsetRect(active->second, 0, -1);
        classic::Text(canvas, active->first->GetCaption(), text,
                      DT_SINGLELINE | DT_VCENTER | DT_CENTER, enabled);
        if (HasFocus(pages)) {
            classic::FocusRect(canvas, InflateRect(text, -2, -2));
        }
    }
}

void PaintTabSheet(TControl& control, TCanvas& canvas) {
    Fill(canvas, Bounds(control), control.GetColor());
}

// Windowed controls without a painter of their own show their colour.
void PaintWinControl(TControl& control, TCanvas& canvas) {
    Fill(canvas, Bounds(control), control.GetColor());
}

// Looked up by exact class name while walking the class chain, so the order
// does not matter.
constexpr std::pair<std::string_view, TControlPainter> kPainters[] = {
    {"TMessageForm", PaintMessageForm},
    {"TCustomForm", PaintForm},
    {"TPanel", PaintPanel},
    {"TLabel", PaintLabel},
    {"TSpinEdit", PaintSpinEdit},
    {"TCustomEdit", PaintEdit},
    {"TEdit", PaintEdit},
    {"TMemo", PaintMemo},
    {"TComboBox", PaintComboBox},
    {"TListBox", PaintListBox},
    {"TBitBtn", PaintBitBtn},
    {"TButton", PaintButton},
    {"TSpeedButton", PaintSpeedButton},
    {"TCheckBox", PaintCheckBox},
    {"TRadioButton", PaintRadioButton},
    {"TGroupBox", PaintGroupBox},
    {"TPageControl", PaintPageControl},
    {"TTabSheet", PaintTabSheet},
    {"TTabSet", PaintTabSet},
    {"TListView", PaintListView},
    {"TTreeView", PaintTreeView},
    {"TCustomGrid", PaintGrid},
    {"TStatusBar", PaintStatusBar},
    {"TToolBar", PaintToolBar},
    {"TToolButton", PaintToolButton},
    {"TSplitter", PaintSplitter},
    {"TWinControl", PaintWinControl},
};

} // namespace
} // namespace painting

std::span<const std::pair<std::string_view, TControlPainter>> StandardPainters() {
    return painting::kPainters;
}

} // namespace kvc

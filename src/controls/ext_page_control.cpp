#include "controls/ext_page_control.h"

#include "toolkit/class_builder.h"
#include "toolkit/paint/classic_painter.h"
#include "toolkit/paint/painter_helpers.h"

namespace kvc::controls {

KVC_REGISTER_CLASS(TExtPageControl) {
    c.Event("OnDrawTab", &TExtPageControl::OnDrawTab);
}

TTabSheet* TExtPageControl::PageForTab(int tabIndex) const {
    if (tabIndex < 0) {
        return nullptr;
    }
    for (int i = 0; i < PageCount(); ++i) {
        if (Pages(i)->GetTabVisible() && tabIndex-- == 0) {
            return Pages(i);
        }
    }
    return nullptr;
}

std::vector<TRect> TExtPageControl::TabRects() const {
    TBitmap bitmap(1, 1);
    TCanvas canvas(bitmap);
    canvas.Font.Assign(*GetFont());
    std::vector<TRect> tabs;
    int height = GetTabHeight() > 0 ? GetTabHeight() : 20;
    int x = 2;
    for (int i = 0; i < PageCount(); ++i) {
        const TTabSheet* page = Pages(i);
        if (!page->GetTabVisible()) {
            continue;
        }
        int width = GetTabWidth() > 0 ? GetTabWidth() : canvas.TextWidth(page->GetCaption()) + 12;
        tabs.push_back({x, 2, x + width, 2 + height});
        x += width;
    }
    return tabs;
}

TRect TExtPageControl::TabItemRect(const TRect& tab, bool active) {
    if (active) {
        return {tab.Left - 1, tab.Top - 1, tab.Right, tab.Bottom + 1};
    }
    return {tab.Left + 1, tab.Top + 1, tab.Right - 2, tab.Bottom};
}

void TExtPageControl::DrawTab(TCanvas& canvas, int tabIndex, const TRect& rect, bool active) {
    struct TCanvasScope {
        TCanvas*& slot;
        ~TCanvasScope() { slot = nullptr; }
    } scope{canvas_};
    canvas_ = &canvas;
    if (OnDrawTab) {
        OnDrawTab(this, tabIndex, rect, active);
        return;
    }
    DrawCaptionTab(canvas, tabIndex, rect, active);
}

void TExtPageControl::DrawCaptionTab(TCanvas& canvas, int tabIndex, TRect rect, bool active) {
    TColor background = clInactiveCaption;
    canvas.Font.Assign(*GetFont());
    if (active) {
        rect = InflateRect(rect, -2, -2);
        canvas.Font.SetColor(clCaptionText);
        canvas.Font.SetStyle(canvas.Font.GetStyle().Include(fsBold));
        background = clActiveCaption;
    } else {
        canvas.Font.SetColor(clInactiveCaptionText);
        canvas.Font.SetStyle(canvas.Font.GetStyle().Exclude(fsBold));
    }
    painting::Fill(canvas, rect, background);
    if (!active) {
        rect.Top += 2;
    }
    const TTabSheet* page = PageForTab(tabIndex);
    if (page == nullptr) {
        return;
    }
    canvas.Brush.Style = bsClear;
    canvas.DrawText(page->GetCaption(), rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    canvas.Brush.Style = bsSolid;
}

namespace {

// The page control's frame and the tabs' edges as the classic look has them;
// what is inside each tab is the control's to draw.
void PaintExtPageControl(TControl& control, TCanvas& canvas) {
    using painting::Fill;
    auto& pages = static_cast<TExtPageControl&>(control);
    TRect r = painting::Bounds(pages);
    Fill(canvas, r, painting::ParentColor(pages));
    std::vector<TRect> tabs = pages.TabRects();
    int top = tabs.empty() ? 0 : tabs.front().Bottom;
    TRect frame{0, top, r.Right, r.Bottom};
    Fill(canvas, frame, clBtnFace);
    classic::RaisedEdge(canvas, frame);
    int activeTab = pages.GetActivePage() != nullptr ? pages.GetActivePage()->TabIndex() : -1;
    // The active tab last: it overlaps its neighbours.
    for (int i = 0; i < int(tabs.size()); ++i) {
        if (i != activeTab) {
            classic::Tab(canvas, tabs[std::size_t(i)], false);
            pages.DrawTab(canvas, i, TExtPageControl::TabItemRect(tabs[std::size_t(i)], false),
                          false);
        }
    }
    if (activeTab >= 0 && activeTab < int(tabs.size())) {
        classic::Tab(canvas, tabs[std::size_t(activeTab)], true);
        pages.DrawTab(canvas, activeTab,
                      TExtPageControl::TabItemRect(tabs[std::size_t(activeTab)], true), true);
    }
}

[[maybe_unused]] const bool kPainterRegistered =
    (RegisterPainter(TExtPageControl::StaticClassInfo(), &PaintExtPageControl), true);

} // namespace

} // namespace kvc::controls

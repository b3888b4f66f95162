// TExtPageControl: a page control whose tabs look like window captions: the
// active one in the active-caption colours and bold, the others in the
// inactive ones. OnDrawTab, when assigned, draws each tab instead. Tab
// indexes count the visible tabs only, so a page whose tab is hidden takes
// no tab and the pages after it move one tab to the left.
#pragma once

#include "toolkit/graphics/canvas.h"
#include "toolkit/page_control.h"

#include <vector>

namespace kvc {
// The owner-drawn tab: the control, the tab's index among the visible tabs,
// its rectangle and whether it is the active one.
KVC_EVENT_TYPE(TDrawTabEvent, TPageControl*, int, const TRect&, bool);
} // namespace kvc

namespace kvc::controls {

class TExtPageControl : public TPageControl {
    KVC_CLASS(TExtPageControl, TPageControl)
public:
    // The page the tab stands for: the index-th page whose tab is visible;
    // null beyond the last.
    TTabSheet* PageForTab(int tabIndex) const;
    // The tabs' rectangles, in tab order; the active tab stands two pixels
    // higher and wider when drawn.
    std::vector<TRect> TabRects() const;
    // Where a tab is drawn: inside its frame; the active tab's area is the
    // raised one.
    static TRect TabItemRect(const TRect& tab, bool active);

    // The canvas the tabs are being drawn on; null outside painting.
    TCanvas* Canvas() const { return canvas_; }

    // Draws one tab: OnDrawTab when assigned, the caption look otherwise.
    void DrawTab(TCanvas& canvas, int tabIndex, const TRect& rect, bool active);

    TDrawTabEvent OnDrawTab;

private:
    void DrawCaptionTab(TCanvas& canvas, int tabIndex, TRect rect, bool active);

    TCanvas* canvas_ = nullptr;
};

} // namespace kvc::controls

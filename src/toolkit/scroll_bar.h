// TViewScrollBar: the vertical scroll bar of a view (list and tree views,
// memos, grids): which line of the content is at the top, and the bar's
// parts where the view shows it. The painter knows how many lines there are
// and how many fit, since that takes the font's metrics; it reports both
// and the bar's place each time it paints the view, and the view scrolls
// by what the mouse does to the bar and by the wheel.
#pragma once

#include "toolkit/control.h"

namespace kvc {

// The width of a vertical scroll bar (the height of a horizontal one) at 96 dpi.
inline constexpr int kScrollBarSize = 16;

class TViewScrollBar {
public:
    // The content's lines and how many fit at once; the position stays
    // where the last page is full. Answers whether the position moved.
    bool SetRange(int count, int page);
    int Count() const { return count_; }
    int Page() const { return page_; }
    // The first line shown.
    int Position() const { return position_; }
    // Clamped to 0 .. Count - Page; answers whether it moved.
    bool SetPosition(int position);
    bool ScrollBy(int lines) { return SetPosition(position_ + lines); }
    // Scrolls as little as brings the line into the page (as a keyboard move
    // to it does); nothing before the view was first laid out. Answers
    // whether the position moved.
    bool ShowLine(int line);
    // The bar shows only when the content does not fit.
    bool Needed() const { return page_ > 0 && count_ > page_; }

    // Where the view shows the bar (its own coordinates); empty when it does not.
    const TRect& Rect() const { return rect_; }
    void SetRect(const TRect& rect) { rect_ = rect; }
    TRect UpArrow() const;
    TRect DownArrow() const;
    // Between the arrows.
    TRect Track() const;
    // In the track, as long as the visible part is of the whole, where the position puts it.
    TRect Thumb() const;

    // A left press at (x, y): an arrow scrolls a line, the track above or
    // below the thumb a page. Answers whether the point is on the bar.
    bool Press(int x, int y);
    // A turn of the wheel (WHEEL_DELTA a notch, positive away from the
    // user): three lines a notch. Answers whether the position moved.
    bool Wheel(int delta);

private:
    int count_ = 0;
    int page_ = 0;
    int position_ = 0;
    TRect rect_;
};

} // namespace kvc

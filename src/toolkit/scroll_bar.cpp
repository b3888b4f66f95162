#include "toolkit/scroll_bar.h"

#include "toolkit/messages.h"

#include <algorithm>

namespace kvc {

namespace {

bool Inside(const TRect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// The shortest thumb that can still be caught.
constexpr int kMinThumb = 8;

} // namespace

bool TViewScrollBar::SetRange(int count, int page) {
    count_ = std::max(count, 0);
    page_ = std::max(page, 0);
    return SetPosition(position_);
}

bool TViewScrollBar::SetPosition(int position) {
    int last = std::max(count_ - std::max(page_, 1), 0);
    int old = position_;
    position_ = std::clamp(position, 0, last);
    return position_ != old;
}

bool TViewScrollBar::ShowLine(int line) {
    if (page_ <= 0) {
        return false;
    }
    if (line < position_) {
        return SetPosition(line);
    }
    if (line >= position_ + page_) {
        return SetPosition(line - page_ + 1);
    }
    return false;
}

TRect TViewScrollBar::UpArrow() const {
    int size = std::min(rect_.Width(), rect_.Height() / 2);
    return {rect_.Left, rect_.Top, rect_.Right, rect_.Top + size};
}

TRect TViewScrollBar::DownArrow() const {
    int size = std::min(rect_.Width(), rect_.Height() / 2);
    return {rect_.Left, rect_.Bottom - size, rect_.Right, rect_.Bottom};
}

TRect TViewScrollBar::Track() const {
    return {rect_.Left, UpArrow().Bottom, rect_.Right, DownArrow().Top};
}

TRect TViewScrollBar::Thumb() const {
    TRect track = Track();
    int length = track.Height();
    if (!Needed() || length < kMinThumb) {
        return {};
    }
    int thumb = std::max(kMinThumb, int(std::int64_t(length) * page_ / count_));
    int range = count_ - page_;
    int top = track.Top + int(std::int64_t(length - thumb) * position_ / range);
    return {track.Left, top, track.Right, top + thumb};
}

bool TViewScrollBar::Press(int x, int y) {
    if (!Needed() || !Inside(rect_, x, y)) {
        return false;
    }
    if (Inside(UpArrow(), x, y)) {
        ScrollBy(-1);
    } else if (Inside(DownArrow(), x, y)) {
        ScrollBy(1);
    } else if (TRect thumb = Thumb(); y < thumb.Top) {
        ScrollBy(-page_);
    } else if (y >= thumb.Bottom) {
        ScrollBy(page_);
    }
    return true;
}

bool TViewScrollBar::Wheel(int delta) {
    return Needed() && ScrollBy(-delta * 3 / WHEEL_DELTA);
}

} // namespace kvc

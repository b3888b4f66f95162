// TSplitter: the bar between an aligned control and the rest of its parent;
// dragging it resizes that control, never below MinSize (snapping to nothing
// with AutoSnap) and never so far that less than MinSize is left beyond it.
#pragma once

#include "toolkit/win_control.h"

namespace kvc {

KVC_ENUM(TResizeStyle, rsNone, rsLine, rsUpdate, rsPattern);
KVC_EVENT_TYPE(TCanResizeEvent, TObject*, int&, bool&);

class TSplitter : public TControl {
    KVC_CLASS(TSplitter, TControl)
public:
    TSplitter();

    int GetMinSize() const { return minSize_; }
    void SetMinSize(int value) { minSize_ = value < 1 ? 1 : value; }
    bool GetAutoSnap() const { return autoSnap_; }
    void SetAutoSnap(bool value) { autoSnap_ = value; }
    bool GetBeveled() const { return beveled_; }
    void SetBeveled(bool value) { beveled_ = value; }
    TResizeStyle GetResizeStyle() const { return resizeStyle_; }
    void SetResizeStyle(TResizeStyle value) { resizeStyle_ = value; }

    // The sibling the splitter resizes: aligned like it, right before it.
    TControl* ResizedControl() const;
    // The user drags the splitter by delta pixels (towards the right or the
    // bottom when positive); answers whether the control was resized.
    bool Drag(int delta);

    TCanResizeEvent OnCanResize;
    TNotifyEvent OnMoved;

private:
    bool Horizontal() const { return GetAlign() == alLeft || GetAlign() == alRight; }
    int SizeOf(const TControl& c) const { return Horizontal() ? c.GetWidth() : c.GetHeight(); }
    int SpaceBeyond() const;

    int minSize_ = 30;
    bool autoSnap_ = true;
    bool beveled_ = false;
    TResizeStyle resizeStyle_ = rsPattern;
};

} // namespace kvc

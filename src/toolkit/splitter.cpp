#include "toolkit/splitter.h"

#include "toolkit/class_builder.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TSplitter) {
    c.Property("Align", &TSplitter::GetAlign, &TSplitter::SetAlign);
    c.Property("AutoSnap", &TSplitter::GetAutoSnap, &TSplitter::SetAutoSnap);
    c.Property("Beveled", &TSplitter::GetBeveled, &TSplitter::SetBeveled);
    c.Property("Color", &TSplitter::GetColor, &TSplitter::SetColor);
    c.Property("MinSize", &TSplitter::GetMinSize, &TSplitter::SetMinSize);
    c.Property("ParentColor", &TSplitter::GetParentColor, &TSplitter::SetParentColor);
    c.Property("ResizeStyle", &TSplitter::GetResizeStyle, &TSplitter::SetResizeStyle);
    c.Property("Visible", &TSplitter::GetVisible, &TSplitter::SetVisible);
    c.Event("OnCanResize", &TSplitter::OnCanResize);
    c.Event("OnMoved", &TSplitter::OnMoved);
}

TSplitter::TSplitter() {
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
    SetCursor(TCursor(-14)); // crHSplit
}

TControl* TSplitter::ResizedControl() const {
    TWinControl* parent = Parent();
    if (parent == nullptr) {
        return nullptr;
    }
    TRect me = BoundsRect();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this || !c->GetVisible() || c->GetAlign() != GetAlign()) {
            continue;
        }
        TRect r = c->BoundsRect();
        bool adjacent = (GetAlign() == alLeft && r.Right == me.Left) ||
                        (GetAlign() == alRight && r.Left == me.Right) ||
                        (GetAlign() == alTop && r.Bottom == me.Top) ||
                        (GetAlign() == alBottom && r.Top == me.Bottom);
        if (adjacent) {
            return c;
        }
    }
    return nullptr;
}

int TSplitter::SpaceBeyond() const {
    TRect client = Parent()->ClientRect();
    TRect me = BoundsRect();
    switch (GetAlign()) {
    case alLeft:
        return client.Right - me.Right;
    case alRight:
        return me.Left - client.Left;
    case alTop:
        return client.Bottom - me.Bottom;
    default:
        return me.Top - client.Top;
    }
}

bool TSplitter::Drag(int delta) {
    TControl* control = ResizedControl();
    if (control == nullptr || delta == 0) {
        return false;
    }
    int size = SizeOf(*control);
    int growth = (GetAlign() == alLeft || GetAlign() == alTop) ? delta : -delta;
    int maxSize = size + std::max(0, SpaceBeyond() - minSize_);
    int newSize = std::min(size + growth, maxSize);
    if (newSize < minSize_) {
        newSize = autoSnap_ ? 0 : minSize_;
    }
    bool accept = true;
    OnCanResize(this, newSize, accept);
    if (!accept || newSize == size) {
        return false;
    }
    if (Horizontal()) {
        control->SetWidth(newSize);
    } else {
        control->SetHeight(newSize);
    }
    Parent()->AlignControls();
    OnMoved(this);
    return true;
}

} // namespace kvc

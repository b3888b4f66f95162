#include "toolkit/backend/hit_test.h"

#include "toolkit/paint/render.h"

namespace kvc {

namespace {

bool Contains(const TControl& c, TPoint p) {
    return p.X >= c.GetLeft() && p.X < c.GetLeft() + c.GetWidth() && p.Y >= c.GetTop() &&
           p.Y < c.GetTop() + c.GetHeight();
}

// point is in control's window coordinates.
THit Descend(TControl& control, TPoint point) {
    auto* win = As<TWinControl>(&control);
    if (win == nullptr) {
        return {&control, point};
    }
    TPoint origin{0, 0};
    if (auto* form = As<TCustomForm>(win)) {
        origin = ClientOrigin(*form);
        TRect client = form->ClientRect();
        TPoint inClient{point.X - origin.X, point.Y - origin.Y};
        if (inClient.X < 0 || inClient.Y < 0 || inClient.X >= client.Width() ||
            inClient.Y >= client.Height()) {
            return {&control, point};
        }
    }
    TPoint inner{point.X - origin.X, point.Y - origin.Y};
    for (bool windowed : {true, false}) {
        for (int i = win->ControlCount() - 1; i >= 0; --i) {
            TControl* c = win->Controls(i);
            if (c->GetVisible() && c->IsWindowed() == windowed && Contains(*c, inner)) {
                return Descend(*c, {inner.X - c->GetLeft(), inner.Y - c->GetTop()});
            }
        }
    }
    return {&control, point};
}

} // namespace

THit ControlAtPoint(TCustomForm& form, TPoint point) {
    return Descend(form, point);
}

} // namespace kvc

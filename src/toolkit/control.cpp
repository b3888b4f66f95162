#include "toolkit/control.h"

#include "toolkit/class_builder.h"
#include "toolkit/form.h"
#include "toolkit/win_control.h"

#include <algorithm>

namespace kvc {

const TIdentMap& IdentMapOf(TCursor) {
    static const TIdentMap map(
        "TCursor",
        {{"crDefault", 0},     {"crNone", -1},     {"crArrow", -2},      {"crCross", -3},
         {"crIBeam", -4},      {"crSizeNESW", -6}, {"crSizeNS", -7},     {"crSizeNWSE", -8},
         {"crSizeWE", -9},     {"crUpArrow", -10}, {"crHourGlass", -11}, {"crDrag", -12},
         {"crNoDrop", -13},    {"crHSplit", -14},  {"crVSplit", -15},    {"crMultiDrag", -16},
         {"crSQLWait", -17},   {"crNo", -18},      {"crAppStart", -19},  {"crHelp", -20},
         {"crHandPoint", -21}, {"crSizeAll", -22}});
    return map;
}

bool IsAccel(Word key, std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') {
            continue;
        }
        char c = caption[i + 1];
        if (c == '&') {
            ++i;
            continue;
        }
        if (c >= 'a' && c <= 'z') {
            c = char(c - 32);
        }
        return Word(static_cast<unsigned char>(c)) == key;
    }
    return false;
}

KVC_REGISTER_CLASS(TControl) {
    c.Property("Left", &TControl::GetLeft, &TControl::SetLeft);
    c.Property("Top", &TControl::GetTop, &TControl::SetTop);
    c.Property("Width", &TControl::GetWidth, &TControl::SetWidth);
    c.Property("Height", &TControl::GetHeight, &TControl::SetHeight);
    c.Property("Cursor", &TControl::GetCursor, &TControl::SetCursor);
    c.Property("Hint", &TControl::GetHint, &TControl::SetHint);
}

TControl::TControl() : font_(std::make_unique<TFont>()) {
    font_->OnChange = [this] { FontChanged(); };
}

TCustomForm* TControl::GetParentForm() const {
    const TControl* top = this;
    while (top->parent_ != nullptr) {
        top = top->parent_;
    }
    return const_cast<TCustomForm*>(As<TCustomForm>(top));
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) {
        return;
    }
    if (parent != nullptr && IsWindowed() &&
        static_cast<const TWinControl*>(this)->ContainsControl(parent)) {
        throw EInvalidOperation("A control cannot have itself or a child as its parent");
    }
    if (parent_ != nullptr) {
        if (TCustomForm* form = GetParentForm(); form != nullptr && form != this) {
            form->DefocusControl(this, true);
        }
        parent_->RemoveControl(this);
    }
    parent_ = parent;
    if (parent_ != nullptr) {
        parent_->InsertControl(this);
        ParentFontChanged();
        ParentColorChanged();
        ParentShowHintChanged();
        if (align_ != alNone) {
            parent_->AlignControls();
        }
    }
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* win = As<TWinControl>(parent)) {
        SetParent(win);
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    bool resized = width != width_ || height != height_;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
    if (parent_ != nullptr && align_ != alNone) {
        parent_->AlignControls();
    }
    if (resized && !IsLoading()) {
        Resize();
    }
}

void TControl::Resize() {
    TDestroyGuard guard(*this);
    OnResize(this);
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) {
        return;
    }
    align_ = align;
    if (parent_ != nullptr) {
        parent_->AlignControls();
    }
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    Invalidate();
    if (!visible && parent_ != nullptr) {
        if (TCustomForm* form = GetParentForm()) {
            form->DefocusControl(this, false);
        }
    }
    VisibleChanged();
    if (parent_ != nullptr && align_ != alNone) {
        parent_->AlignControls();
    }
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    Invalidate();
    if (!enabled && parent_ != nullptr) {
        if (TCustomForm* form = GetParentForm()) {
            form->DefocusControl(this, false);
        }
    }
    EnabledChanged();
}

bool TControl::IsShowing() const {
    for (const TControl* c = this; c != nullptr; c = c->parent_) {
        if (!c->visible_) {
            return false;
        }
    }
    return true;
}

bool TControl::IsEnabledInParents() const {
    for (const TControl* c = this; c != nullptr; c = c->parent_) {
        if (!c->enabled_) {
            return false;
        }
    }
    return true;
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color != color_) {
        color_ = color;
        ColorChanged();
    }
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (parentColor_ && parent_ != nullptr && parent_->color_ != color_) {
        color_ = parent_->color_;
        ColorChanged();
    }
}

void TControl::ColorChanged() {
    Invalidate();
}

void TControl::SetFont(TFont* font) {
    if (font != nullptr) {
        font_->Assign(*font);
    }
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (parentFont_ && parent_ != nullptr) {
        ApplyParentFont();
    }
}

void TControl::ApplyParentFont() {
    updatingFont_ = true;
    font_->Assign(*parent_->font_);
    updatingFont_ = false;
}

void TControl::FontChanged() {
    Invalidate();
    if (!updatingFont_) {
        parentFont_ = false;
    }
}

void TControl::SetShowHint(bool value) {
    parentShowHint_ = false;
    showHint_ = value;
    if (IsWindowed()) {
        static_cast<TWinControl*>(this)->ChildShowHintChanged();
    }
}

void TControl::SetParentShowHint(bool value) {
    parentShowHint_ = value;
    ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
    if (parentShowHint_ && parent_ != nullptr) {
        showHint_ = parent_->showHint_;
        if (IsWindowed()) {
            static_cast<TWinControl*>(this)->ChildShowHintChanged();
        }
    }
}

void TControl::SetText(const std::string& text) {
    if (text != text_) {
        text_ = text;
        Invalidate();
        TextChanged();
    }
}

void TControl::Invalidate() {
    // Child bounds are in the parent's window coordinates, except that a
    // form's children sit in its client area, inside the frame and caption.
    TRect r = BoundsRect();
    if (parent_ == nullptr) {
        r = {0, 0, width_, height_};
    }
    TControl* top = this;
    for (TControl* p = parent_; p != nullptr; p = p->parent_) {
        if (p->Is<TCustomForm>()) {
            TRect client = p->ClientRect();
            int frame = (p->width_ - client.Width()) / 2;
            int caption = p->height_ - client.Height() - 2 * frame;
            r = {r.Left + frame, r.Top + frame + caption, r.Right + frame,
                 r.Bottom + frame + caption};
        }
        if (p->parent_ != nullptr) {
            r = {r.Left + p->left_, r.Top + p->top_, r.Right + p->left_, r.Bottom + p->top_};
        }
        top = p;
    }
    if (r.Right <= r.Left || r.Bottom <= r.Top) {
        return;
    }
    TRect& u = top->updateRect_;
    if (u.Right <= u.Left) {
        u = r;
    } else {
        u = {std::min(u.Left, r.Left), std::min(u.Top, r.Top), std::max(u.Right, r.Right),
             std::max(u.Bottom, r.Bottom)};
    }
}

TRect TControl::TakeUpdateRect() {
    TRect r = updateRect_;
    updateRect_ = {};
    return r;
}

LRESULT TControl::Perform(unsigned msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message) {
    auto x = int(std::int16_t(message.LParam & 0xFFFF));
    auto y = int(std::int16_t((message.LParam >> 16) & 0xFFFF));
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        MouseDown(mbLeft, {}, x, y);
        break;
    case WM_LBUTTONUP:
        MouseUp(mbLeft, {}, x, y);
        break;
    default:
        break;
    }
}

void TControl::Click() {
    OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TDestroyGuard guard(*this);
    if (button == mbLeft) {
        mouseDown_ = true;
        Invalidate(); // a held button looks pressed
        if (IsWindowed()) {
            auto* win = static_cast<TWinControl*>(this);
            if (win->CanFocus() && !win->Focused()) {
                win->SetFocus();
                if (!guard.Alive()) {
                    return;
                }
            }
        }
    }
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TDestroyGuard guard(*this);
    bool pressed = button == mbLeft && mouseDown_;
    if (button == mbLeft) {
        mouseDown_ = false;
        Invalidate();
    }
    if (pressed && IsShowing() && IsEnabledInParents()) {
        Click();
        if (!guard.Alive()) {
            return;
        }
    }
    OnMouseUp(this, button, shift, x, y);
}

bool TControl::DialogKey(Word, TShiftState) {
    return false;
}

void TControl::ShowingChanged(bool) {}

void TControl::Loaded() {
    TComponent::Loaded();
}

void TControl::BeforeDestruction() {
    TComponent::BeforeDestruction();
    SetParent(nullptr);
}

} // namespace kvc

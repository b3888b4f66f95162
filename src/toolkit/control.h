// TControl: a visual element with bounds, alignment, visibility, colour,
// font and text, placed in a windowed parent. Non-windowed controls (labels,
// speed buttons) never take the focus.
#pragma once

#include "toolkit/colors.h"
#include "toolkit/component.h"
#include "toolkit/event.h"
#include "toolkit/font.h"
#include "toolkit/messages.h"

#include <memory>
#include <string>

namespace kvc {

class TWinControl;
class TCustomForm;

KVC_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient);
KVC_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom);
using TAnchors = TSet<TAnchorKind>;
KVC_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter);

enum TCursor : std::int16_t {};
inline constexpr TCursor crDefault = TCursor(0);
inline constexpr TCursor crArrow = TCursor(-2);
inline constexpr TCursor crIBeam = TCursor(-4);
inline constexpr TCursor crHourGlass = TCursor(-11);
inline constexpr TCursor crHandPoint = TCursor(-21);
// "crHourGlass" and the other cursor names.
const TIdentMap& IdentMapOf(TCursor);

// Whether key (a virtual-key letter or digit) is the accelerator of a caption:
// the character after a single "&" ("&Yes" has Y).
bool IsAccel(Word key, std::string_view caption);

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

class TControl : public TComponent {
    KVC_CLASS(TControl, TComponent)
public:
    TControl();

    TWinControl* Parent() const { return parent_; }
    // Moves the control into another parent (null: out of any); a control
    // cannot be its own ancestor.
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    // The form the control is on (itself for a form), or null.
    TCustomForm* GetParentForm() const;
    virtual bool IsWindowed() const { return false; }

    int GetLeft() const { return left_; }
    int GetTop() const { return top_; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    // The area children are placed in; forms subtract their frame.
    virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
    int GetClientWidth() const { return ClientRect().Width(); }
    int GetClientHeight() const { return ClientRect().Height(); }

    TAlign GetAlign() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors GetAnchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors) { anchors_ = anchors; }

    bool GetVisible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool GetEnabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    // Visible, and every parent up to and including the form visible.
    bool IsShowing() const;
    // Enabled, and every parent up to the form enabled.
    bool IsEnabledInParents() const;

    TColor GetColor() const { return color_; }
    void SetColor(TColor color);
    bool GetParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* GetFont() const { return font_.get(); }
    void SetFont(TFont* font);
    bool GetParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    // Caption and Text are one text, as classically; classes publish the one
    // their users know.
    const std::string& GetText() const { return text_; }
    virtual void SetText(const std::string& text);
    const std::string& GetCaption() const { return text_; }
    void SetCaption(const std::string& caption) { SetText(caption); }
    const std::string& GetHint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool GetShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool GetParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    TCursor GetCursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }

    // Sends a message to the control at once and answers its result.
    LRESULT Perform(unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    // The user's click: the control's action, then OnClick.
    virtual void Click();
    // A mouse press on the control and its release; the release completes a
    // click only when the press was on this control. A view takes a press on
    // its scroll bar for itself.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    bool IsMouseDown() const { return mouseDown_; }

    // Asks for the control to be painted again: its area joins the update
    // area of its top-level control, which a backend with real windows
    // repaints. Every change of what the control shows calls it.
    void Invalidate();
    // The area (top-level window coordinates) asked for since the last call
    // on this top-level control, emptied by the call; empty when none.
    TRect TakeUpdateRect();
    bool NeedsRepaint() const { return updateRect_.Right > updateRect_.Left; }

    // A key the form offers every control before the focused control sees it
    // (Enter, Esc); answers true when the control used it.
    virtual bool DialogKey(Word key, TShiftState shift);
    // The control starts or stops being shown because its form was shown or
    // hidden; windowed controls pass it on to their visible children.
    virtual void ShowingChanged(bool showing);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    void BeforeDestruction() override;
    void Loaded() override;
    // Hooks for descendants.
    virtual void Resize();
    virtual void TextChanged() {}
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    // Parent properties flow down.
    void ParentFontChanged();
    void ParentColorChanged();
    void ParentShowHintChanged();

    std::string text_;

private:
    friend class TWinControl;
    void ApplyParentFont();

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool updatingFont_ = false;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    bool mouseDown_ = false;
    TRect updateRect_;
};

} // namespace kvc

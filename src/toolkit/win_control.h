// TWinControl: a control with a window of its own: children, a handle made
// on demand, the focus, the keyboard and the tab order.
#pragma once

#include "toolkit/control.h"
#include "toolkit/scroll_bar.h"

#include <vector>

namespace kvc {

class TWinControl : public TControl {
    KVC_CLASS(TWinControl, TControl)
public:
    TWinControl();

    bool IsWindowed() const override { return true; }
    // The vertical scroll bar of a view that has one; null for other controls.
    virtual TViewScrollBar* VertScrollBar() { return nullptr; }
    // A left press on the scroll bar scrolls the view, without focus or
    // OnMouseDown, as on a window's frame.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const;
    // The control itself or one of its descendants.
    bool ContainsControl(const TControl* control) const;

    // Made on demand: a non-zero number the application maps back to the control.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != 0; }

    int GetTabOrder() const;
    void SetTabOrder(int order);
    bool GetTabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    // The windowed children in tab order.
    const std::vector<TWinControl*>& TabList() const { return tabList_; }

    // The control and every parent up to its form visible and enabled.
    virtual bool CanFocus() const;
    bool Focused() const;
    // Focus on a control of a form that is not visible raises EInvalidOperation.
    void SetFocus();
    // Focuses the first control in tab order inside this one.
    void SelectFirst();
    // The next (or previous) control after current in tab order among the
    // descendants, wrapping around; with checkTabStop only TabStop controls.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                 bool checkParent) const;
    // Focuses FindNextControl's answer when there is one.
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    // Whether the control keeps a dialog key for itself (edits keep arrows).
    virtual bool WantsKey(Word key, TShiftState shift) const;
    // The whole path of a key press on the focused control: dialog keys, the
    // form's preview, the handlers and the control's own handling.
    void HandleKeyDown(Word key, TShiftState shift);
    void HandleChar(char32_t ch);
    void HandleKeyUp(Word key, TShiftState shift);

    bool DialogKey(Word key, TShiftState shift) override;
    void ShowingChanged(bool showing) override;
    void WndProc(TMessage& message) override;
    void SetBounds(int left, int top, int width, int height) override;
    // Places the aligned children in the client area.
    void AlignControls();

    // The enter and exit notices of the focus moves.
    virtual void DoEnter();
    virtual void DoExit();

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

protected:
    void BeforeDestruction() override;
    void Loaded() override;
    void FontChanged() override;
    void ColorChanged() override;
    // The scroll bar's position moved.
    virtual void Scrolled() { Invalidate(); }
    // The control's own handling of a key after the handlers.
    virtual void KeyDown(Word& key, TShiftState shift);
    virtual void KeyPress(char32_t& ch);
    virtual void KeyUp(Word& key, TShiftState shift);

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void ChildShowHintChanged();
    void FixupTabList();

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    int pendingTabOrder_ = -1;
    bool tabStop_ = false;
    bool aligning_ = false;
    HWND handle_ = 0;
};

// The character a key gives with the shift state (US layout), or 0.
char32_t CharFromKey(Word key, TShiftState shift);

} // namespace kvc

// TLabel: a caption that never takes the focus; its FocusControl receives
// the focus on the label's accelerator and is cleared when destroyed.
#pragma once

#include "toolkit/win_control.h"

namespace kvc {

KVC_ENUM(TTextLayout, tlTop, tlCenter, tlBottom);

class TLabel : public TControl {
    KVC_CLASS(TLabel, TControl)
public:
    TLabel();

    TWinControl* GetFocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }
    TTextLayout GetLayout() const { return layout_; }
    void SetLayout(TTextLayout value) { layout_ = value; }
    bool GetAutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }
    bool GetTransparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    bool GetWordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { wordWrap_ = value; }
    bool GetShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value) { showAccelChar_ = value; }

    // Alt and the caption's accelerator focus the FocusControl.
    bool DialogKey(Word key, TShiftState shift) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TWinControl* focusControl_ = nullptr;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
};

} // namespace kvc

// TButton: a push button. A click sets the form's ModalResult to the
// button's and raises OnClick; Enter clicks the focused or the Default
// button, Esc the Cancel button.
#pragma once

#include "toolkit/form.h"

namespace kvc {

class TButton : public TWinControl {
    KVC_CLASS(TButton, TWinControl)
public:
    TButton();

    bool GetDefault() const { return default_; }
    void SetDefault(bool value) { default_ = value; }
    bool GetCancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    TModalResult GetModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }

    void Click() override;
    bool DialogKey(Word key, TShiftState shift) override;

protected:
    void KeyPress(char32_t& ch) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    TModalResult modalResult_ = mrNone;
};

} // namespace kvc

// TScreen (`Screen()`): the forms of the process, which one is active and
// which control has the focus, and the cursor.
#pragma once

#include "toolkit/control.h"

#include <vector>

namespace kvc {

class TCustomForm;
class TWinControl;

class TScreen : public TComponent {
    KVC_CLASS(TScreen, TComponent)
public:
    int FormCount() const { return int(forms_.size()); }
    TCustomForm* Forms(int index) const;
    TCustomForm* ActiveForm() const { return active_; }
    // The active form's active control.
    TWinControl* ActiveControl() const;
    TCursor GetCursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }
    // The modal form running on top, if any; the other forms are disabled
    // meanwhile.
    TCustomForm* ModalForm() const;
    // The headless desktop.
    int Width() const { return 1024; }
    int Height() const { return 768; }

    // Kept by the forms.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    // A form shown or brought forward becomes the active one.
    void FormShown(TCustomForm* form);
    // A hidden form stops being active; the one shown before it takes over.
    void FormHidden(TCustomForm* form);

private:
    void Activate(TCustomForm* form);

    std::vector<TCustomForm*> forms_;
    std::vector<TCustomForm*> zorder_; // visible forms, the front one last
    TCustomForm* active_ = nullptr;
    TCursor cursor_ = crDefault;
};

TScreen& Screen();

} // namespace kvc

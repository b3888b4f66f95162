#include "toolkit/screen.h"

#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/form.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TScreen) {
    c.Property("Cursor", &TScreen::GetCursor, &TScreen::SetCursor);
}

TCustomForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount()) {
        throw EComponentError("Form index out of bounds");
    }
    return forms_[std::size_t(index)];
}

TWinControl* TScreen::ActiveControl() const {
    return active_ != nullptr ? active_->GetActiveControl() : nullptr;
}

TCustomForm* TScreen::ModalForm() const {
    for (auto it = zorder_.rbegin(); it != zorder_.rend(); ++it) {
        if ((*it)->IsModal()) {
            return *it;
        }
    }
    return nullptr;
}

void TScreen::AddForm(TCustomForm* form) {
    forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), form), zorder_.end());
    if (active_ == form) {
        active_ = nullptr;
    }
}

void TScreen::FormShown(TCustomForm* form) {
    zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), form), zorder_.end());
    zorder_.push_back(form);
    Activate(form);
}

void TScreen::FormHidden(TCustomForm* form) {
    zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), form), zorder_.end());
    if (active_ != form) {
        return;
    }
    active_ = nullptr;
    TDestroyGuard guard(*form);
    form->Deactivate();
    if (!zorder_.empty()) {
        Activate(zorder_.back());
    }
}

void TScreen::Activate(TCustomForm* form) {
    if (active_ == form) {
        return;
    }
    TCustomForm* previous = active_;
    active_ = form;
    if (previous != nullptr) {
        previous->Deactivate();
    }
    if (active_ == form) {
        form->Activate();
    }
}

TScreen& Screen() {
    return Application().Screen();
}

} // namespace kvc

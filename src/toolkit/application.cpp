#include "toolkit/application.h"

#include "toolkit/class_builder.h"
#include "toolkit/dialogs.h"
#include "toolkit/screen.h"
#include "toolkit/window_backend.h"

namespace kvc {

KVC_REGISTER_CLASS(TApplication) {
    c.Property("HintHidePause", &TApplication::GetHintHidePause, &TApplication::SetHintHidePause);
    c.Property("HintPause", &TApplication::GetHintPause, &TApplication::SetHintPause);
    c.Property("HintColor", &TApplication::GetHintColor, &TApplication::SetHintColor);
    c.Property("HintFont", &TApplication::GetHintFont);
    c.Property("ShowHint", &TApplication::GetShowHint, &TApplication::SetShowHint);
    c.Property("Title", &TApplication::GetTitle, &TApplication::SetTitle);
}

TApplication::TApplication()
    : hintFont_(std::make_unique<TFont>()), responder_(std::make_unique<TDialogResponder>()),
      screen_(MakeUnique<TScreen>()) {
    hintFont_->SetColor(clInfoText);
}

TApplication::~TApplication() = default;

void TApplication::BeforeDestruction() {
    TComponent::BeforeDestruction();
    queue_.clear();
}

bool TApplication::PostMessage(HWND window, unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (FindControl(window) == nullptr) {
        return false;
    }
    queue_.push_back(Posted{window, TMessage{msg, wParam, lParam, 0}});
    return true;
}

LRESULT TApplication::SendMessage(HWND window, unsigned msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FindControl(window);
    return control != nullptr ? control->Perform(msg, wParam, lParam) : 0;
}

void TApplication::ProcessMessages() {
    while (!queue_.empty()) {
        Posted posted = queue_.front();
        queue_.pop_front();
        if (TWinControl* control = FindControl(posted.window)) {
            control->Perform(posted.message.Msg, posted.message.WParam, posted.message.LParam);
        }
    }
}

void TApplication::Run() {
    terminated_ = false;
    while (!terminated_) {
        ProcessMessages();
        if (HasPostedMessages() || terminated_) {
            continue;
        }
        if (backend_ == nullptr || !backend_->WaitForInput(kBackendWaitMs)) {
            break;
        }
    }
}

TWindowBackend* TApplication::SetBackend(TWindowBackend* backend) {
    TWindowBackend* previous = backend_;
    backend_ = backend;
    return previous;
}

HWND TApplication::AllocateHandle(TWinControl* control) {
    HWND handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = control;
    return handle;
}

void TApplication::ReleaseHandle(HWND handle) {
    handles_.erase(handle);
}

TWinControl* TApplication::FindControl(HWND handle) const {
    auto it = handles_.find(handle);
    return it == handles_.end() ? nullptr : it->second;
}

TApplication::ModalHook TApplication::SetModalHook(ModalHook hook) {
    ModalHook previous = std::move(modalHook_);
    modalHook_ = std::move(hook);
    return previous;
}

void TApplication::RunModalHook(TCustomForm& form) {
    if (auto* dialog = As<TMessageForm>(&form)) {
        // With real windows the user answers, unless a script queued the answer.
        if (backend_ == nullptr || responder_->PendingAnswers() > 0) {
            responder_->Respond(*dialog);
        }
        return;
    }
    if (modalHook_) {
        ModalHook hook = modalHook_; // the hook may replace itself
        hook(form);
    }
}

TApplication& Application() {
    static TApplication* const instance = MakeUnique<TApplication>().release();
    return *instance;
}

} // namespace kvc

#include "toolkit/testing/robot.h"

#include "runtime/utf8.h"
#include "toolkit/screen.h"

#include <cstdint>

namespace kvc {

TRobot::TRobot() {
    previous_ = Application().SetModalHook([this](TCustomForm& form) {
        if (actions_.empty()) {
            return;
        }
        auto action = std::move(actions_.front());
        actions_.pop_front();
        action(form);
    });
}

TRobot::~TRobot() {
    Application().SetModalHook(std::move(previous_));
}

TWinControl& TRobot::FocusTarget() {
    TCustomForm* form = Screen().ActiveForm();
    if (form == nullptr) {
        throw EInvalidOperation("No form is active");
    }
    TWinControl* focused = form->FocusedControl();
    return focused != nullptr ? *focused : *form;
}

namespace {

// A user cannot reach the forms below a modal form.
void CheckReachable(const TControl& control) {
    TCustomForm* modal = Screen().ModalForm();
    TCustomForm* form = control.GetParentForm();
    if (modal != nullptr && form != modal) {
        throw EInvalidOperation("'" + control.GetName() + "' is disabled while the modal form '" +
                                modal->GetName() + "' runs");
    }
}

} // namespace

void TRobot::Click(TControl& control) {
    ClickAt(control, 1, 1);
}

void TRobot::Wheel(TControl& control, int notches) {
    CheckReachable(control);
    auto turn = WPARAM(std::uint16_t(std::int16_t(notches * WHEEL_DELTA)));
    control.Perform(WM_MOUSEWHEEL, turn << 16, 0);
}

void TRobot::ClickAt(TControl& control, int x, int y) {
    CheckReachable(control);
    if (!control.IsShowing() || !control.IsEnabledInParents()) {
        throw EInvalidOperation("Cannot click " + std::string(control.ClassName()) + " '" +
                                control.GetName() + "': it is not visible or not enabled");
    }
    TCustomForm* form = control.GetParentForm();
    if (form != nullptr && !form->IsActive()) {
        form->SetFocusToForm();
    }
    TDestroyGuard guard(control);
    control.MouseDown(mbLeft, {}, x, y);
    if (guard.Alive()) {
        control.MouseUp(mbLeft, {}, x, y);
    }
}

void TRobot::Focus(TWinControl& control) {
    CheckReachable(control);
    control.SetFocus();
}

void TRobot::Type(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t ch = NextCodePoint(text, pos);
        FocusTarget().Perform(WM_CHAR, WPARAM(ch));
    }
}

void TRobot::Press(Word key, TShiftState shift) {
    Application().SetShiftState(shift);
    try {
        FocusTarget().Perform(WM_KEYDOWN, key);
        if (Screen().ActiveForm() != nullptr) {
            FocusTarget().Perform(WM_KEYUP, key);
        }
    } catch (...) {
        Application().SetShiftState({});
        throw;
    }
    Application().SetShiftState({});
}

void TRobot::ClickTab(TTabSheet& page) {
    TPageControl* pages = page.GetPageControl();
    if (pages != nullptr) {
        CheckReachable(*pages);
    }
    if (pages == nullptr || !pages->IsShowing() || !pages->IsEnabledInParents()) {
        throw EInvalidOperation("Cannot click the tab of '" + page.GetName() + "'");
    }
    pages->TabClick(&page);
}

void TRobot::AnswerNextDialog(TModalResult answer) {
    Application().DialogResponder().QueueAnswer(answer);
}

void TRobot::OnNextModal(std::function<void(TCustomForm&)> action) {
    actions_.push_back(std::move(action));
}

} // namespace kvc

// TRobot: drives forms as a user would, for tests and scripts: clicks,
// focus, typing into the focused control, key presses with shift states,
// tab clicks, answers to the next message dialogs and actions on the next
// modal forms.
#pragma once

#include "toolkit/application.h"
#include "toolkit/dialogs.h"
#include "toolkit/page_control.h"

#include <deque>
#include <functional>
#include <string_view>

namespace kvc {

class TRobot {
public:
    // Installs the robot's modal hook for its lifetime.
    TRobot();
    ~TRobot();
    TRobot(const TRobot&) = delete;
    TRobot& operator=(const TRobot&) = delete;

    // A press and release of the left button on the control; a control that
    // is not showing or not enabled raises EInvalidOperation.
    void Click(TControl& control);
    void Focus(TWinControl& control);
    // Each character goes to the control that has the focus then (WM_CHAR).
    void Type(std::string_view text);
    // A key pressed and released on the focused control.
    void Press(Word key, TShiftState shift = {});
    // The user's click on a page's tab.
    void ClickTab(TTabSheet& page);

    void AnswerNextDialog(TModalResult answer);
    // Runs action on the next modal form (other than a message dialog) once
    // it is shown; modal forms without a queued action end as the headless
    // loop ends them.
    void OnNextModal(std::function<void(TCustomForm&)> action);
    int PendingModalActions() const { return int(actions_.size()); }

    // The control keys go to: the active form's focused control, or the form.
    static TWinControl& FocusTarget();

private:
    std::deque<std::function<void(TCustomForm&)>> actions_;
    TApplication::ModalHook previous_;
};

} // namespace kvc

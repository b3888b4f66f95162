#include "plugin/controller.h"

namespace kvc::plugin {

void TDLLBaseController::FormCreated(TEventSender /*sender*/) {
    Notify(kNotifyFormCreated);
}

void TDLLBaseController::FormShown(TEventSender /*sender*/) {
    Notify(kNotifyFormShown);
}

void TDLLBaseController::FormHidden(TEventSender /*sender*/) {
    Notify(kNotifyFormHidden);
}

void TDLLBaseController::FormDestroyed(TEventSender /*sender*/) {
    Notify(kNotifyFormDestroyed);
}

void TDLLBaseController::FormSignal(TEventSender /*sender*/) {
    Notify(kNotifyFormSignal);
}

void TDLLBaseController::Notify(std::int32_t code) {
    OnNotify(code, this);
}

void TDLLBaseController::Idle() {}

TDLLBaseController::~TDLLBaseController() = default;

} // namespace kvc::plugin

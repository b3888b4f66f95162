// TDLLRPCtrller: the controller of one report program. It creates the report
// form from frmBaseGeneClass, hooks the form's show, hide and destroy
// handlers to raise the notifications, and passes presets on.
#pragma once

#include "plugin/controller.h"
#include "toolkit/component.h"
#include "toolkit/event.h"

#include <memory>

namespace kvc::framework {
class TfrmBaseGene;
}

namespace kvc::plugin {

class TDLLRPCtrller;

// The handlers the controller installs on its form. Form events call
// published methods of toolkit objects, and the controller (a host contract
// class) is none, so this small object stands in for it and forwards each
// event to the controller's slot.
class TControllerHooks : public TObject {
    KVC_CLASS(TControllerHooks, TObject)
public:
    explicit TControllerHooks(TDLLRPCtrller* controller = nullptr) : controller_(controller) {}

    void FormShown(TObject* sender);
    void FormHidden(TObject* sender);
    void FormDestroyed(TObject* sender);

private:
    TDLLRPCtrller* controller_;
};

class TDLLRPCtrller : public TDLLBaseController {
public:
    TDLLRPCtrller();
    ~TDLLRPCtrller() override;

    WideString GetVersion() override;
    VariantBool GetVisible() override;
    void SetVisible(VariantBool show) override;
    WindowHandle GetHandle() override;
    std::int32_t Open(Variant params) override;
    std::int32_t SetPreset(Variant data) override;
    std::int32_t Receive(std::int32_t kind, std::int32_t reserved, Variant data) override;
    Variant ShowModal() override;
    void CloseForm() override;
    std::int32_t GetInfo(Variant& info) override;
    bool IsEmpty() override;
    void FormShown(TEventSender sender) override;
    void FormHidden(TEventSender sender) override;
    void FormDestroyed(TEventSender sender) override;
    void ProcessMessages() override;

    // The form this controller created; null before Open and once the form is
    // destroyed.
    framework::TfrmBaseGene* Form = nullptr;
    TNotifyEvent SavedOnShow;
    TNotifyEvent SavedOnHide;
    TNotifyEvent SavedOnDestroy;

private:
    void TakeOverHandlers();
    std::int32_t PassPreset(const Variant& arg);

    TControllerHooks hooks_{this};
};

} // namespace kvc::plugin

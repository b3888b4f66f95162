#include "plugin/rp_controller.h"

#include "framework/condition_form.h"
#include "platform/module.h"
#include "plugin/class_references.h"
#include "runtime/utf8.h"
#include "runtime/variant_array.h"
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/screen.h"

namespace kvc::plugin {

namespace {

std::unique_ptr<TDLLBaseController> CreateRPCtrller() {
    return std::make_unique<TDLLRPCtrller>();
}

WideString ToWide(std::string_view text) {
    WideString out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t cp = NextCodePoint(text, pos);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(char16_t(0xD800 + (cp >> 10)));
            out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(char16_t(cp));
        }
    }
    return out;
}

TObject* AsSender(TEventSender sender) {
    return static_cast<TObject*>(sender);
}

} // namespace

// Set when this unit is loaded, before a host can call anything.
TDLLControllerClass DLLControllerClass = &CreateRPCtrller;

KVC_REGISTER_CLASS(TControllerHooks) {
    KVC_METHOD(FormShown);
    KVC_METHOD(FormHidden);
    KVC_METHOD(FormDestroyed);
}

void TControllerHooks::FormShown(TObject* sender) {
    controller_->FormShown(sender);
}

void TControllerHooks::FormHidden(TObject* sender) {
    controller_->FormHidden(sender);
}

void TControllerHooks::FormDestroyed(TObject* sender) {
    controller_->FormDestroyed(sender);
}

TDLLRPCtrller::TDLLRPCtrller() = default;

TDLLRPCtrller::~TDLLRPCtrller() {
    if (Form != nullptr) {
        CloseForm();
    }
}

WideString TDLLRPCtrller::GetVersion() {
    return Form != nullptr ? ToWide(Form->VersionStamp) : WideString();
}

VariantBool TDLLRPCtrller::GetVisible() {
    return Form != nullptr && Form->GetVisible();
}

void TDLLRPCtrller::SetVisible(VariantBool show) {
    if (Form == nullptr) {
        return;
    }
    TDestroyGuard guard(*Form);
    Form->SetVisible(show.AsBool());
    if (!show.AsBool() || !guard.Alive()) {
        return;
    }
    if (Form->GetWindowState() == wsMinimized) {
        Form->SetWindowState(wsNormal);
    }
    // The toolkit's foreground window is the front form of the screen.
    if (Form->GetVisible()) {
        Screen().FormShown(Form);
    }
}

WindowHandle TDLLRPCtrller::GetHandle() {
    return Form != nullptr ? WindowHandle(Form->Handle()) : 0;
}

std::int32_t TDLLRPCtrller::Open(Variant params) {
    std::int32_t result = -1;
    if (Form == nullptr) {
        if (frmBaseGeneClass == nullptr) {
            throw Exception(InternalErrorText("frmBaseGeneClass"));
        }
        Form = framework::TfrmBaseGene::CreateFree(*frmBaseGeneClass);
        Form->SetModuleFileName(ModuleFileNameOf(reinterpret_cast<const void*>(&CreateRPCtrller)));
        Form->AppObject = HostApp;
        FormCreated(Form);
    }
    TakeOverHandlers();
    if (Form != nullptr && Form->Launch(params)) {
        result = 0;
    }
    return result;
}

void TDLLRPCtrller::TakeOverHandlers() {
    if (Form == nullptr) {
        return;
    }
    // A second Open on a live form finds its own hooks installed and keeps the
    // handlers saved the first time, so a hook never calls itself.
    auto takeOver = [&](TNotifyEvent& handler, TNotifyEvent& saved, TNotifyEvent hook) {
        if (handler != hook) {
            saved = handler;
            handler = hook;
        }
    };
    takeOver(Form->OnShow, SavedOnShow, TNotifyEvent::Bind<&TControllerHooks::FormShown>(&hooks_));
    takeOver(Form->OnHide, SavedOnHide, TNotifyEvent::Bind<&TControllerHooks::FormHidden>(&hooks_));
    takeOver(Form->OnDestroy, SavedOnDestroy,
             TNotifyEvent::Bind<&TControllerHooks::FormDestroyed>(&hooks_));
}

std::int32_t TDLLRPCtrller::PassPreset(const Variant& arg) {
    // A preset is the host's request, not a call the host can recover from:
    // whatever goes wrong inside answers -1.
    try {
        Form->ApplyPreset(arg);
        return 0;
    } catch (const std::exception&) {
        return -1;
    }
}

std::int32_t TDLLRPCtrller::SetPreset(Variant data) {
    if (Form == nullptr || data.IsNull() || !data.IsArray()) {
        return -1;
    }
    try {
        return PassPreset(VarArrayOf({true, data[1]}));
    } catch (const std::exception&) {
        return -1;
    }
}

std::int32_t TDLLRPCtrller::Receive(std::int32_t kind, std::int32_t /*reserved*/, Variant data) {
    if (Form == nullptr || (kind != 5 && kind != 9)) {
        return -1;
    }
    return PassPreset(VarArrayOf({false, data}));
}

Variant TDLLRPCtrller::ShowModal() {
    if (Form == nullptr) {
        return Variant(std::int32_t(mrCancel));
    }
    return Variant(std::int32_t(Form->ShowModal()));
}

void TDLLRPCtrller::CloseForm() {
    if (Form == nullptr || Form->IsDestroying()) {
        return;
    }
    Form->FreeForm();
}

std::int32_t TDLLRPCtrller::GetInfo(Variant& info) {
    if (Form == nullptr) {
        return -1;
    }
    info = VarArrayOf({Form->UserID, Form->CompanyID, Form->ProgramCode, Form->ProgramName});
    return 0;
}

bool TDLLRPCtrller::IsEmpty() {
    return Form == nullptr;
}

void TDLLRPCtrller::FormShown(TEventSender sender) {
    SavedOnShow(AsSender(sender));
    TDLLBaseController::FormShown(sender);
}

void TDLLRPCtrller::FormHidden(TEventSender sender) {
    SavedOnHide(AsSender(sender));
    TDLLBaseController::FormHidden(sender);
}

void TDLLRPCtrller::FormDestroyed(TEventSender sender) {
    // Form is cleared however the handlers below end.
    struct ClearForm {
        framework::TfrmBaseGene*& form;
        ~ClearForm() { form = nullptr; }
    } clear{Form};
    if (Form != nullptr) {
        ReturnCode = Form->ResultCode;
        ReturnValue = Form->ResultValue;
        SavedOnDestroy(AsSender(sender));
    }
    TDLLBaseController::FormDestroyed(sender);
}

void TDLLRPCtrller::ProcessMessages() {
    Application().ProcessMessages();
}

} // namespace kvc::plugin

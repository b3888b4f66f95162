#include "framework/condition_form.h"

#include "platform/windows_path.h"
#include "runtime/dispatch.h"
#include "runtime/exceptions.h"
#include "runtime/strings.h"
#include "runtime/variant_array.h"
#include "toolkit/application.h"
#include "toolkit/class_builder.h"

namespace kvc::framework {

namespace {

// An array that has elements and is neither Empty nor Null.
bool IsFilledArray(const Variant& v) {
    return v.IsArray() && v.Array().ElementCount() > 0;
}

// Whether a control named by a preset can hold a value the run reads.
bool HoldsValue(const TComponent& component) {
    const TClassInfo& cls = component.ClassType();
    for (std::string_view name : {"ItemIndex", "Checked", "Text", "Lines"}) {
        if (cls.FindProperty(name) != nullptr) {
            return true;
        }
    }
    return false;
}

} // namespace

KVC_REGISTER_CLASS(TfrmBaseGene) {
    KVC_METHOD(FormClose);
    KVC_METHOD(FormDestroy);
    KVC_METHOD(btnCancelClick);
}

TfrmBaseGene::TfrmBaseGene() : VersionStamp(kVersionStamp) {
    OnClose = TCloseEvent::Bind<&TfrmBaseGene::FormClose>(this);
    OnDestroy = TNotifyEvent::Bind<&TfrmBaseGene::FormDestroy>(this);
}

TfrmBaseGene* TfrmBaseGene::CreateFree(const TClassInfo& cls) {
    if (!cls.InheritsFrom(StaticClassInfo())) {
        throw EComponentError(std::string(cls.Name()) + " is not a TfrmBaseGene class");
    }
    TOwned<TComponent> created = TComponent::CreateInstance(cls);
    TOwned<TfrmBaseGene> form(static_cast<TfrmBaseGene*>(created.release()));
    form->AfterConstruction();
    TfrmBaseGene* raw = form.get();
    raw->self_ = std::move(form);
    return raw;
}

void TfrmBaseGene::FreeForm() {
    if (IsDestroying() || !self_) {
        return;
    }
    // The holder goes out of scope last: the form is gone when this returns.
    TOwned<TfrmBaseGene> holder = std::move(self_);
    holder.reset();
}

void TfrmBaseGene::WndProc(TMessage& message) {
    if (message.Msg == CM_RELEASE && self_) {
        FreeForm();
        return;
    }
    inherited::WndProc(message);
}

void TfrmBaseGene::SetModuleFileName(const std::string& path) {
    moduleFileName_ = path;
}

bool TfrmBaseGene::IsLibrary() const {
    return SameText(ExtractFileExt(ExtractFileName(moduleFileName_)), ".dll");
}

void TfrmBaseGene::DeriveProgramCode() {
    std::string name = ExtractFileName(moduleFileName_);
    std::string ext = ExtractFileExt(name);
    std::ptrdiff_t n =
        std::ptrdiff_t(name.size()) - std::ptrdiff_t(ext.size()) - (IsLibrary() ? 1 : 2);
    if (n < 6) {
        n = 6;
    }
    ProgramCode = UpperCase(name.substr(0, std::size_t(n)));
    ServerClassName = ProgramCode + "S.Class1";
}

bool TfrmBaseGene::Launch(const Variant& params) {
    if (!CompanyID.empty()) {
        return false;
    }
    try {
        presetLoaded_ = false;
        int high = VarArrayHighBound(params, 1);
        HostWindow = high > 2 ? HWND(params[3].AsInt64()) : 0;
        if (high >= 4) {
            LaunchExtra = params[4];
        } else {
            ReportMessage("E;000038");
            Application().PostMessage(Handle(), WM_CLOSE);
        }
        Hide();
        // An element that does not read as text leaves its field as it was.
        auto readText = [&](int index, std::string& field) {
            try {
                field = params[index].AsString();
            } catch (const Exception&) {
            }
        };
        readText(0, UserID);
        readText(1, CompanyID);
        readText(2, DatabaseID);
        // A host without VersionType cannot serve a report: the launch fails.
        VersionType = AppObject.Get("VersionType").AsInteger();
        try {
            ProductID = AppObject.Get("ProductID").AsInteger();
        } catch (const Exception&) {
            ProductID = 3;
        }
        DeriveProgramCode();
        ProgramName = ProgramCode;
        return true;
    } catch (const Exception& e) {
        ReportMessage("E;" + e.Message());
        return false;
    }
}

void TfrmBaseGene::ApplyPreset(const Variant& arg) {
    const Variant& preset = arg[1];
    if (!preset.IsArray()) {
        return;
    }
    int mode = preset[0].AsInteger();
    showConfirmation_ = mode == 0 || mode == 1;
    presetLoaded_ = false;
    bool accepted = false;
    const Variant& body = preset[1];
    if (IsFilledArray(body) && IsFilledArray(body[1])) {
        accepted = body[0].AsBoolean() ? CheckOwnPreset(body[1]) : LoadForeignPreset(body[1]);
        presetLoaded_ = accepted && mode != 0;
    }
    if (mode > 2 && accepted) {
        RunPreset(mode);
    } else if (presetLoaded_) {
        ClickOk();
    }
}

bool TfrmBaseGene::CheckOwnPreset(const Variant& conditions) {
    if (conditions.IsEmpty() || conditions.IsNull()) {
        return false;
    }
    bool passed = false;
    try {
        const Variant& names = conditions[0];
        const VarArray& list = names.Array();
        passed = list.ElementCount() > 0;
        for (const Variant& entry : list.Elements()) {
            if (!passed) {
                break;
            }
            bool ok = false;
            try {
                TComponent* c = FindComponent(entry[1].AsString());
                ok = c != nullptr && HoldsValue(*c);
            } catch (const Exception&) {
                ok = false;
            }
            passed = ok;
        }
    } catch (const EVariantError&) {
        passed = false;
    }
    if (!passed) {
        ReportMessage("W;000014");
    }
    return passed;
}

bool TfrmBaseGene::LoadForeignPreset(const Variant& /*conditions*/) {
    return false;
}

void TfrmBaseGene::RunPreset(int /*mode*/) {}

void TfrmBaseGene::ReportMessage(std::string_view code) {
    reported_.emplace_back(code);
}

void TfrmBaseGene::ClickOk() {
    if (auto* ok = As<TControl>(FindComponent("btnOk"))) {
        ok->Click();
    }
}

void TfrmBaseGene::FormClose(TObject* /*sender*/, TCloseAction& action) {
    action = caFree;
}

void TfrmBaseGene::FormDestroy(TObject* /*sender*/) {
    AppObject = Variant();
}

void TfrmBaseGene::btnCancelClick(TObject* /*sender*/) {
    Close();
}

} // namespace kvc::framework

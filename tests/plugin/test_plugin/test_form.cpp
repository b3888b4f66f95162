#include "test_plugin/test_form.h"

#include "plugin/class_references.h"
#include "runtime/dispatch.h"
#include "runtime/strings.h"
#include "toolkit/class_builder.h"

#include <memory>

namespace kvc::testing {

namespace {

// What the test host calls to act on the form as its user would.
class FormDriver : public DispatchObject {
public:
    explicit FormDriver(TfrmTstRp1* form) : DispatchObject("TstRp1.FormDriver"), form_(form) {
        AddMethod("UserClose", 0, [this](DispatchArgs) {
            Form().Close();
            return Variant();
        });
        AddMethod("Cancel", 0, [this](DispatchArgs) {
            Form().ResultCode = 2;
            Form().btnCancel->Click();
            return Variant();
        });
        AddMethod("Submit", 1, [this](DispatchArgs a) {
            Form().ResultCode = 1;
            Form().ResultValue = a[0].Value();
            Form().Close();
            return Variant();
        });
        AddMethod("Minimize", 0, [this](DispatchArgs) {
            Form().SetWindowState(wsMinimized);
            return Variant();
        });
        AddProperty("WindowState", [this] { return Variant(int(Form().GetWindowState())); });
        AddProperty("Active", [this] { return Variant(Form().IsActive()); });
        AddProperty("ShowConfirmation", [this] { return Variant(Form().ShowConfirmation()); });
        AddProperty("PresetLoaded", [this] { return Variant(Form().PresetLoaded()); });
        AddProperty("Messages", [this] {
            std::string all;
            for (const std::string& m : Form().ReportedMessages()) {
                all += (all.empty() ? "" : "|") + m;
            }
            return Variant(all);
        });
    }

private:
    TfrmTstRp1& Form() {
        TfrmTstRp1* form = form_.Get();
        if (form == nullptr) {
            throw EOleError("the form is gone");
        }
        return *form;
    }

    TWeakRef<TfrmTstRp1> form_;
};

// The library's main block: binds the form class once every unit is loaded.
const bool formClassBound = [] {
    plugin::SetFormClass(TfrmTstRp1::StaticClassInfo());
    return true;
}();

} // namespace

KVC_REGISTER_CLASS(TfrmTstRp1) {
    KVC_METHOD(FormShow);
    KVC_METHOD(FormHide);
    KVC_METHOD(TestFormDestroy);
    KVC_METHOD(btnOkClick);
    KVC_FIELD(btnOk);
    KVC_FIELD(btnCancel);
    KVC_FIELD(edText);
}

TfrmTstRp1::TfrmTstRp1() {
    SetName("frmTstRp1");
    OnShow = TNotifyEvent::Bind<&TfrmTstRp1::FormShow>(this);
    OnHide = TNotifyEvent::Bind<&TfrmTstRp1::FormHide>(this);
    OnDestroy = TNotifyEvent::Bind<&TfrmTstRp1::TestFormDestroy>(this);
    auto* ok = Create<TButton>(this);
    ok->SetName("btnOk");
    ok->SetParent(this);
    ok->OnClick = TNotifyEvent::Bind<&TfrmTstRp1::btnOkClick>(this);
    auto* cancel = Create<TButton>(this);
    cancel->SetName("btnCancel");
    cancel->SetParent(this);
    cancel->OnClick = TNotifyEvent::Bind<&TfrmBaseGene::btnCancelClick>(this);
    auto* edit = Create<TEdit>(this);
    edit->SetName("edText");
    edit->SetParent(this);
}

void TfrmTstRp1::Record(std::string_view event) {
    if (LaunchExtra.IsDispatch()) {
        LaunchExtra.Call("Record", {std::string(event)});
    }
}

bool TfrmTstRp1::Launch(const Variant& params) {
    bool launched = inherited::Launch(params);
    if (LaunchExtra.IsDispatch()) {
        LaunchExtra.Call("Attach", {Variant(std::make_shared<FormDriver>(this))});
    }
    Record(launched ? "Launch true" : "Launch false");
    return launched;
}

void TfrmTstRp1::RunPreset(int mode) {
    Record("RunPreset " + IntToStr(mode));
    Close();
}

void TfrmTstRp1::FormShow(TObject*) {
    Record("FormShow");
}

void TfrmTstRp1::FormHide(TObject*) {
    Record("FormHide");
}

void TfrmTstRp1::TestFormDestroy(TObject* sender) {
    Record("FormDestroy");
    FormDestroy(sender);
}

void TfrmTstRp1::btnOkClick(TObject*) {
    Record("btnOkClick");
}

} // namespace kvc::testing

// TfrmBaseGene, the condition form: the layered base window of every report
// program. The plug-in's controller creates it (virtual construction with no
// owner), hands it the library's module path and the host's application
// object, launches it with the launch array and passes host presets to it.
//
// The class grows by layers: each descendant overrides the virtual operations
// and calls the inherited one first. What is here is what the controller
// relies on: the context fields, the launch, presets, the result handed back,
// and the close action "free".
#pragma once

#include "framework/kv_form.h"
#include "runtime/variant.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvc::framework {

class TfrmBaseGene : public TKVForm {
    KVC_CLASS(TfrmBaseGene, TKVForm)
public:
    static constexpr std::string_view kVersionStamp = "870401-0.00.00";

    TfrmBaseGene();

    // Virtual construction with no owner: a form of class cls (TfrmBaseGene or
    // a descendant) that belongs to itself. It is destroyed by FreeForm, or by
    // the release message its close action "free" posts. A class that is not
    // a TfrmBaseGene raises EComponentError.
    static TfrmBaseGene* CreateFree(const TClassInfo& cls);
    // Destroys a form made by CreateFree now (the classic Free). Nothing
    // happens while the form is already being destroyed.
    void FreeForm();

    // The full path of the library's module file (a Windows path).
    void SetModuleFileName(const std::string& path);
    const std::string& ModuleFileName() const { return moduleFileName_; }
    // True when the module's file name ends in ".Dll", letter case ignored.
    bool IsLibrary() const;

    // Launch with the launch array [user, company, database, host window,
    // extra]: true when the form is ready to be shown. A form launches once;
    // a later call answers false and changes nothing.
    virtual bool Launch(const Variant& params);

    // A host preset: arg is [own-format flag as sent by the controller, V]
    // where V is [mode, [own format, conditions]]. Malformed parts either stop
    // the preset or raise; the controller turns a raise into its -1.
    virtual void ApplyPreset(const Variant& arg);
    // Checks an own-format preset: every named control exists and holds a
    // value. False shows the warning "W;000014" (not for Empty or Null).
    virtual bool CheckOwnPreset(const Variant& conditions);
    // Presets of another program's format; the condition form accepts none.
    virtual bool LoadForeignPreset(const Variant& conditions);
    // The action of an accepted preset of mode 3 and above; the report layer
    // designs (3) or queries (4) and closes.
    virtual void RunPreset(int mode);

    // Context of the launch.
    std::string UserID;
    std::string CompanyID;
    std::string DatabaseID;
    HWND HostWindow = 0;
    Variant LaunchExtra;
    std::string ProgramCode;
    std::string ServerClassName;
    std::string ProgramName;
    std::string VersionStamp;
    std::int32_t VersionType = 0;
    std::int32_t ProductID = 0;
    Variant AppObject;

    // The result handed to the controller when the form is destroyed.
    std::int32_t ResultCode = 0;
    Variant ResultValue;

    bool ShowConfirmation() const { return showConfirmation_; }
    bool PresetLoaded() const { return presetLoaded_; }

    // The message codes reported so far ("E;000038", "W;000014", ...), in order.
    const std::vector<std::string>& ReportedMessages() const { return reported_; }

    // The form's own handlers, published so that a form definition or a hook
    // can name them.
    void FormClose(TObject* sender, TCloseAction& action);
    void FormDestroy(TObject* sender);
    void btnCancelClick(TObject* sender);

    void WndProc(TMessage& message) override;

protected:
    // Reports a message code; kept in ReportedMessages.
    virtual void ReportMessage(std::string_view code);
    // Clicks the form's OK button "btnOk" when it has one (the background run
    // of a preset).
    virtual void ClickOk();

private:
    void DeriveProgramCode();

    std::string moduleFileName_;
    bool showConfirmation_ = true;
    bool presetLoaded_ = false;
    std::vector<std::string> reported_;
    TOwned<TfrmBaseGene> self_;
};

} // namespace kvc::framework

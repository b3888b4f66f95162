#include "framework/condition_form.h"
#include "runtime/dispatch.h"
#include "runtime/variant_array.h"
#include "toolkit/application.h"

#include <gtest/gtest.h>
#include <memory>

namespace kvc::framework {
namespace {

class Host : public DispatchObject {
public:
    Host() : DispatchObject("Test.Host") {
        AddProperty("VersionType", [] { return Variant(9); });
    }
};

TOwned<TfrmBaseGene> LaunchedForm(const std::string& module) {
    TOwned<TfrmBaseGene> form = MakeUnique<TfrmBaseGene>();
    form->SetModuleFileName(module);
    form->AppObject = Variant(std::make_shared<Host>());
    EXPECT_TRUE(form->Launch(VarArrayOf({"796", "C1", "D1", 0, Variant::Null()})));
    return form;
}

TEST(ConditionForm, CreationSetsTheStampAndTheFlags) {
    TOwned<TfrmBaseGene> form = MakeUnique<TfrmBaseGene>();
    EXPECT_EQ(form->VersionStamp, "870401-0.00.00");
    EXPECT_TRUE(form->ShowConfirmation());
    EXPECT_FALSE(form->PresetLoaded());
    EXPECT_EQ(form->ResultCode, 0);
    EXPECT_TRUE(form->ResultValue.IsEmpty());
}

TEST(ConditionForm, ProgramCodeComesFromTheModuleName) {
    struct Case {
        const char* module;
        bool library;
        const char* code;
    };
    const Case cases[] = {
        {"C:\\ERP\\Wvtr57C.dll", true, "WVTR57"},  {"Z:\\opt\\erp\\WVTR57C.DLL", true, "WVTR57"},
        {"C:\\ERP\\Wvtr57C.exe", false, "WVTR57"}, {"C:\\ERP\\Mocr123ab.exe", false, "MOCR123"},
        {"C:\\ERP\\Ab.dll", true, "AB.DLL"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.module);
        TOwned<TfrmBaseGene> form = LaunchedForm(k.module);
        EXPECT_EQ(form->IsLibrary(), k.library);
        EXPECT_EQ(form->ProgramCode, k.code);
        EXPECT_EQ(form->ServerClassName, std::string(k.code) + "S.Class1");
    }
}

TEST(ConditionForm, LaunchReadsTheContextOnce) {
    TOwned<TfrmBaseGene> form = LaunchedForm("C:\\ERP\\Wvtr57C.dll");
    EXPECT_EQ(form->UserID, "796");
    EXPECT_EQ(form->CompanyID, "C1");
    EXPECT_EQ(form->DatabaseID, "D1");
    EXPECT_EQ(form->VersionType, 9);
    EXPECT_EQ(form->ProductID, 3); // the host does not answer ProductID
    EXPECT_FALSE(form->Launch(VarArrayOf({"1", "C2", "D2", 0, 0})));
    EXPECT_EQ(form->CompanyID, "C1");
}

TEST(ConditionForm, ShortLaunchArrayReportsAndPostsAClose) {
    TOwned<TfrmBaseGene> form = MakeUnique<TfrmBaseGene>();
    form->AppObject = Variant(std::make_shared<Host>());
    EXPECT_TRUE(form->Launch(VarArrayOf({"796", "C1", "D1"})));
    EXPECT_EQ(form->HostWindow, 0u);
    ASSERT_EQ(form->ReportedMessages().size(), 1u);
    EXPECT_EQ(form->ReportedMessages()[0], "E;000038");
    EXPECT_TRUE(Application().HasPostedMessages());
    Application().ProcessMessages();
}

TEST(ConditionForm, LaunchWithoutAHostFails) {
    TOwned<TfrmBaseGene> form = MakeUnique<TfrmBaseGene>();
    EXPECT_FALSE(form->Launch(VarArrayOf({"796", "C1", "D1", 0, 0})));
    ASSERT_FALSE(form->ReportedMessages().empty());
    EXPECT_EQ(form->ReportedMessages().back().rfind("E;", 0), 0u);
}

TEST(ConditionForm, AFreeFormIsDestroyedByItsCloseAction) {
    TfrmBaseGene* form = TfrmBaseGene::CreateFree(TfrmBaseGene::StaticClassInfo());
    TDestroyGuard guard(*form);
    form->Show();
    form->Close();
    EXPECT_TRUE(guard.Alive());
    Application().ProcessMessages();
    EXPECT_FALSE(guard.Alive());
}

TEST(ConditionForm, FreeFormDestroysAtOnce) {
    TfrmBaseGene* form = TfrmBaseGene::CreateFree(TfrmBaseGene::StaticClassInfo());
    TDestroyGuard guard(*form);
    form->FreeForm();
    EXPECT_FALSE(guard.Alive());
    EXPECT_THROW(TfrmBaseGene::CreateFree(TForm::StaticClassInfo()), EComponentError);
}

} // namespace
} // namespace kvc::framework

#include "language/language_controller.h"
#include "services/config/test_installation.h"
#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/font.h"
#include "toolkit/form.h"
#include "toolkit/list_view.h"
#include "toolkit/panel.h"
#include "toolkit/tree_view.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace kvc::language {
namespace {

namespace fs = std::filesystem;

// A machine whose client path C:\ERP\ holds the fixture language folders.
class LanguageTest : public ::testing::Test {
protected:
    explicit LanguageTest(const std::string& uiCodePage = "936") {
        machine_.SetTessera({{"ClientPath", "C:\\ERP\\"}});
        machine_.WriteOnC("ERP\\TesseraC.ini", "[CodePage]\nUICodePage=" + uiCodePage + "\n");
        const fs::path target = machine_.OnC("ERP\\MultiLanguage");
        fs::create_directories(target);
        fs::copy(fs::path(std::getenv("KVC_FIXTURES")) / "language", target,
                 fs::copy_options::recursive);
    }

    void UseCodePage(const std::string& uiCodePage) const {
        machine_.WriteOnC("ERP\\TesseraC.ini", "[CodePage]\nUICodePage=" + uiCodePage + "\n");
    }

    testing::TestInstallation machine_;
};

class LanguageFormTest : public LanguageTest {
protected:
    LanguageFormTest() {
        form_->SetName("TfrmLangTest");
        form_->SetCaption("设计标题");
        btnOK_->SetName("btnOK");
        btnOK_->SetCaption("OK");
        cbo01_->SetName("cbo01");
        cbo01_->GetItems()->Add("甲");
        cbo01_->SetItemIndex(0);
        lvRows_->SetName("lvRows");
        lvRows_->GetColumns()->Add()->SetCaption("名称");
        lvRows_->GetColumns()->Add()->SetCaption("数");
        lvRows_->Items().Add()->SetCaption("行");
        tvTree_->SetName("tvTree");
        TTreeNode* root = tvTree_->GetItems()->Add(nullptr, "根");
        tvTree_->GetItems()->AddChild(root, "子");
        pnlExcluded_->SetName("pnlExcluded");
        pnlExcluded_->SetCaption("面板");
        btnInside_->SetName("btnInside");
        controller_->SetName("LangController");
    }
    ~LanguageFormTest() override { form_->Free(); }

    // Opens the class's file and applies it to the form, as the base form does.
    void ApplyLanguage(const std::string& className) {
        controller_->SetLangPackageName(className);
        controller_->SetActive(true);
        controller_->Reader().LoadComponent(form_);
    }

    TForm* form_ = Create<TForm>(&Application());
    TButton* btnOK_ = Create<TButton>(form_);
    TComboBox* cbo01_ = Create<TComboBox>(form_);
    TListView* lvRows_ = Create<TListView>(form_);
    TTreeView* tvTree_ = Create<TTreeView>(form_);
    TPanel* pnlExcluded_ = Create<TPanel>(form_);
    TButton* btnInside_ = Create<TButton>(pnlExcluded_);
    TKvLangController* controller_ = Create<TKvLangController>(form_);
};

TEST_F(LanguageFormTest, AppliesRootAndComponentAttributes) {
    ApplyLanguage("TfrmLangTest");
    EXPECT_EQ(form_->GetCaption(), "语言窗体");
    EXPECT_EQ(form_->GetHint(), "根提示");
    // Only the first element named btnOK counts; an unknown property is passed over.
    EXPECT_EQ(btnOK_->GetCaption(), "确定(&O)");
    EXPECT_EQ(btnOK_->GetHint(), "保存并关闭");
    EXPECT_EQ(btnOK_->GetFont()->GetName(), "SimSun");
}

TEST_F(LanguageFormTest, ItemLinesAreAddedAndTheSelectionKept) {
    ApplyLanguage("TfrmLangTest");
    const TStringList& items = *cbo01_->GetItems();
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items[0], "第一项");
    EXPECT_EQ(items[1], "");
    EXPECT_EQ(items[2], "第三项");
    EXPECT_EQ(cbo01_->GetItemIndex(), 0);
}

TEST_F(LanguageFormTest, ListViewColumnsAndRowsInRangeOnly) {
    ApplyLanguage("TfrmLangTest");
    ASSERT_EQ(lvRows_->GetColumns()->Count(), 2);
    EXPECT_EQ((*lvRows_->GetColumns())[0]->GetCaption(), "名称");
    EXPECT_EQ((*lvRows_->GetColumns())[1]->GetCaption(), "数量");
    EXPECT_EQ(lvRows_->Items()[0]->GetCaption(), "第一行");
    EXPECT_EQ(tvTree_->GetItems()->Item(1)->GetText(), "子节点");
    EXPECT_EQ(tvTree_->GetItems()->Item(0)->GetText(), "根");
}

TEST_F(LanguageFormTest, ExcludedComponentKeepsItsTextsButItsOwnedOnesAreLoaded) {
    TStringList excluded;
    excluded.Add("  PNLEXCLUDED ");
    controller_->SetExcludeControls(excluded);
    ApplyLanguage("TfrmLangTest");
    EXPECT_EQ(pnlExcluded_->GetCaption(), "面板");
    EXPECT_EQ(btnInside_->GetCaption(), "面板里的按钮");
}

TEST_F(LanguageFormTest, ExcludedNamesReachAnOpenReader) {
    controller_->SetLangPackageName("TfrmLangTest");
    controller_->SetActive(true);
    TStringList excluded;
    excluded.Add("btnOK");
    controller_->SetExcludeControls(excluded);
    controller_->Reader().LoadComponent(form_);
    EXPECT_EQ(btnOK_->GetCaption(), "OK");
    EXPECT_EQ(form_->GetCaption(), "语言窗体");
}

TEST_F(LanguageFormTest, FileNameFollowsThePackageName) {
    controller_->SetLangPackageName("TfrmLangTest");
    EXPECT_EQ(controller_->FileName(), "C:\\ERP\\MultiLanguage\\CHS\\TfrmLangTest.Lng");
    controller_->SetActive(true);
    ASSERT_TRUE(controller_->GetActive());
    // The same name keeps the document open; another closes it.
    controller_->SetLangPackageName("TfrmLangTest");
    EXPECT_TRUE(controller_->GetActive());
    controller_->SetLangPackageName("TfrmOther");
    EXPECT_FALSE(controller_->GetActive());
    EXPECT_THROW(controller_->Reader(), LanguageControllerError);
}

TEST_F(LanguageFormTest, ExternalEntitiesAreNotRead) {
    ApplyLanguage("TfrmExternal");
    EXPECT_EQ(form_->GetCaption().find("语言窗体"), std::string::npos) << form_->GetCaption();
    EXPECT_EQ(ReadMessage(dtClient, "TfrmExternal", "msgSecret", "d").find("语言窗体"),
              std::string::npos);
}

void ExpectControllerError(const std::function<void()>& action, const std::string& expected) {
    try {
        action();
        ADD_FAILURE() << "no error; expected " << expected;
    } catch (const LanguageControllerError& error) {
        EXPECT_NE(error.Message().find(expected), std::string::npos) << error.Message();
    }
}

TEST_F(LanguageFormTest, OpeningFailuresRaiseTheControllerError) {
    ExpectControllerError([this] { controller_->Reader(); }, "No active LanguageController!");
    ExpectControllerError([this] { controller_->SetActive(true); }, "Cannot Find File !");
    controller_->SetLangPackageName("TfrmBroken");
    // The parser's reason, with where it stopped.
    ExpectControllerError([this] { controller_->SetActive(true); }, "offset");
    EXPECT_FALSE(controller_->GetActive());
    controller_->SetLangPackageName("TfrmMissing");
    ExpectControllerError([this] { controller_->SetActive(true); }, "TfrmMissing.Lng");
}

TEST_F(LanguageFormTest, ActiveSetWhileLoadingOpensWhenLoadingEnds) {
    controller_->SetLangPackageName("TfrmLangTest");
    controller_->IncludeState(csLoading);
    controller_->SetActive(true);
    EXPECT_FALSE(controller_->GetActive());
    controller_->Loaded();
    EXPECT_TRUE(controller_->GetActive());
}

struct MessageCase {
    const char* codePage;
    const char* identifier;
    const char* expected;
};

TEST_F(LanguageTest, ReadMessageByInterfaceCodePage) {
    const MessageCase cases[] = {
        {"936", "msgSaved", "已保存"},
        {"936", "msgNoText", "default"}, // the element has no "Msg"
        {"936", "msgMissing", "default"},
        {"437", "msgSaved", "Saved"},    // the ENG folder
        {"950", "msgSaved", "default"},  // no CHT folder: the bare file name, absent here
        {"1252", "msgSaved", "default"}, // no language code
        {"936", "bad[", "default"},      // an identifier that is no element name
    };
    for (const auto& c : cases) {
        UseCodePage(c.codePage);
        EXPECT_EQ(ReadMessage(dtClient, "TfrmLangTest", c.identifier, "default"), c.expected)
            << c.codePage << " " << c.identifier;
    }
    UseCodePage("936");
    EXPECT_EQ(ReadMessage(dtClient, "TfrmBroken", "msgSaved", "default"), "default");
}

TEST_F(LanguageTest, FolderByCodePage) {
    const std::pair<const char*, const char*> cases[] = {
        {"936", "C:\\ERP\\MultiLanguage\\CHS\\"},
        {"437", "C:\\ERP\\MultiLanguage\\ENG\\"},
        {"950", ""},  // the folder does not exist
        {"1252", ""}, // no language code
    };
    for (const auto& [codePage, folder] : cases) {
        UseCodePage(codePage);
        EXPECT_EQ(LanguageFolder(dtClient), folder) << codePage;
    }
}

TEST_F(LanguageTest, UnknownCodePageLooksForTheBareFileName) {
    UseCodePage("1252");
    TOwned<TKvLangController> controller = MakeUnique<TKvLangController>();
    controller->SetLangPackageName("TfrmLangTest");
    EXPECT_EQ(controller->FileName(), "TfrmLangTest.Lng");
}

} // namespace
} // namespace kvc::language

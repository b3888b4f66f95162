#include "language/code_converter.h"
#include "platform/environment.h"
#include "services/config/test_installation.h"
#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit.h"
#include "toolkit/font.h"
#include "toolkit/form.h"
#include "toolkit/grids.h"
#include "toolkit/list_view.h"
#include "toolkit/memo.h"
#include "toolkit/menus.h"
#include "toolkit/status_bar.h"
#include "toolkit/tab_set.h"
#include "toolkit/tree_view.h"

#include <gtest/gtest.h>

namespace kvc::language {
namespace {

// A form designed in Simplified Chinese, with one of each converted kind.
class ConvertFormTest : public ::testing::Test {
protected:
    void MakeMachine(const std::string& system, const std::string& ui) {
        machine_ = std::make_unique<testing::TestInstallation>(system);
        machine_->SetTessera({{"ClientPath", "C:\\ERP\\"}});
        machine_->WriteOnC("ERP\\TesseraC.ini",
                           "[CodePage]\nUICodePage=" + ui + "\nDBCodePage=936\n");
        converter_ = Create<TCodeConverter>(form_);
    }

    ConvertFormTest() {
        form_->SetCaption("报表条件");
        form_->SetHint("窗体提示");
        button_->SetCaption("确定");
        button_->SetHint("保存");
        combo_->GetItems()->SetText("简体\n发票\n");
        combo_->SetItemIndex(1);
        edit_->SetText("简体");
        memo_->GetLines()->SetText("备注\n");
        list_->GetColumns()->Add()->SetCaption("名称");
        TListItem* row = list_->Items().Add();
        row->SetCaption("条件");
        row->SubItems()->Add("数量");
        tabs_->GetTabs()->SetText("系统\n条件\n");
        tabs_->SetTabIndex(1);
        tree_->GetItems()->AddChild(tree_->GetItems()->Add(nullptr, "报表"), "发票");
        grid_->SetColCount(2);
        grid_->SetRowCount(1);
        grid_->SetCells(1, 0, "简体");
        status_->GetPanels()->Add();
        status_->GetPanels()->Item<TStatusPanel>(0)->SetText("就绪");
    }
    ~ConvertFormTest() override { form_->Free(); }

    ScopedEnvironmentVariable libraryPath_{"KVC_LIBRARY_PATH", KVC_KVLANGUAGE_FOLDER};
    std::unique_ptr<testing::TestInstallation> machine_;
    TForm* form_ = Create<TForm>(&Application());
    TButton* button_ = Create<TButton>(form_);
    TComboBox* combo_ = Create<TComboBox>(form_);
    TEdit* edit_ = Create<TEdit>(form_);
    TMemo* memo_ = Create<TMemo>(form_);
    TListView* list_ = Create<TListView>(form_);
    TTabSet* tabs_ = Create<TTabSet>(form_);
    TTreeView* tree_ = Create<TTreeView>(form_);
    TStringGrid* grid_ = Create<TStringGrid>(form_);
    TStatusBar* status_ = Create<TStatusBar>(form_);
    TPopupMenu* menu_ = Create<TPopupMenu>(form_);
    TCodeConverter* converter_ = nullptr;
};

TEST_F(ConvertFormTest, TraditionalInterfaceOnABig5System) {
    MakeMachine("950", "950");
    converter_->ConvertForm(*form_);
    EXPECT_EQ(form_->GetCaption(), "報表條件");
    EXPECT_EQ(form_->GetHint(), "窗體提示");
    EXPECT_EQ(button_->GetCaption(), "確定");
    EXPECT_EQ(button_->GetHint(), "保存");
    EXPECT_EQ(button_->GetFont()->GetName(), "SimSun");
    EXPECT_EQ(button_->GetFont()->GetCharset(), CHINESEBIG5_CHARSET);
    EXPECT_EQ(combo_->GetItems()->Text(), "簡體\r\n發票\r\n");
    EXPECT_EQ(combo_->GetItemIndex(), 1);
    EXPECT_EQ(combo_->GetStyle(), csOwnerDrawFixed);
    EXPECT_EQ(edit_->GetText(), "简体"); // Text is never converted
    EXPECT_EQ((*memo_->GetLines())[0], "備註");
    EXPECT_EQ((*list_->GetColumns())[0]->GetCaption(), "名稱");
    EXPECT_EQ(list_->Items()[0]->GetCaption(), "條件");
    EXPECT_EQ((*list_->Items()[0]->SubItems())[0], "數量");
    EXPECT_EQ((*tabs_->GetTabs())[1], "條件");
    EXPECT_EQ(tabs_->GetTabIndex(), 1);
    EXPECT_EQ(tree_->GetItems()->Item(1)->GetText(), "發票");
    EXPECT_EQ(grid_->Cells(1, 0), "簡體");
    EXPECT_EQ(status_->GetPanels()->Item<TStatusPanel>(0)->GetText(), "就緒");
    EXPECT_TRUE(menu_->GetOwnerDraw());
    EXPECT_EQ(Application().GetHintFont()->GetCharset(), CHINESEBIG5_CHARSET);
}

TEST_F(ConvertFormTest, AddedClassStepsBelongToTheirConverterAndComeFirst) {
    MakeMachine("950", "950");
    auto count = [](std::intptr_t by) {
        return [by](TComponent& c, const TTextConversion& convert) {
            c.SetTag(c.GetTag() + by);
            EXPECT_EQ(convert("简体"), "簡體"); // the form conversion's direction
        };
    };
    converter_->AddClassStep(TButton::StaticClassInfo(), count(1));
    converter_->AddClassStep(TButton::StaticClassInfo(), count(10)); // replaces
    converter_->AddClassStep(TListView::StaticClassInfo(), count(1));
    converter_->ConvertForm(*form_);
    EXPECT_EQ(button_->GetTag(), 10);
    EXPECT_EQ(list_->GetTag(), 1);
    EXPECT_EQ(list_->Items()[0]->GetCaption(), "条件"); // the built-in step did not run

    TCodeConverter* other = Create<TCodeConverter>(form_);
    other->ConvertForm(*form_);
    EXPECT_EQ(button_->GetTag(), 10);
    EXPECT_EQ(list_->Items()[0]->GetCaption(), "條件");
}

TEST_F(ConvertFormTest, TraditionalInterfaceOnAGbSystemKeepsTheTitle) {
    MakeMachine("936", "950");
    converter_->ConvertForm(*form_);
    EXPECT_EQ(form_->GetCaption(), "报表条件");
    EXPECT_EQ(button_->GetCaption(), "確定");
}

TEST_F(ConvertFormTest, FontsOnlyForGbTextsOnABig5System) {
    MakeMachine("950", "936");
    ASSERT_EQ(converter_->ConvertMode(), 4);
    converter_->ConvertForm(*form_);
    EXPECT_EQ(form_->GetCaption(), "報表條件"); // the title still follows the system
    EXPECT_EQ(button_->GetCaption(), "确定");
    EXPECT_EQ(button_->GetFont()->GetName(), "SimSun");
    EXPECT_EQ(button_->GetFont()->GetCharset(), GB2312_CHARSET);
    EXPECT_EQ(list_->Items()[0]->GetCaption(), "条件");
    EXPECT_EQ(combo_->GetStyle(), csOwnerDrawVariable); // drop-down, owner-drawn
    EXPECT_EQ(combo_->GetItemIndex(), 1);
    EXPECT_TRUE(menu_->GetOwnerDraw());
}

TEST_F(ConvertFormTest, NothingWithoutConversion) {
    MakeMachine("936", "936");
    ASSERT_EQ(converter_->Translator(), nullptr);
    converter_->ConvertForm(*form_);
    EXPECT_EQ(form_->GetCaption(), "报表条件");
    EXPECT_EQ(button_->GetCaption(), "确定");
    EXPECT_EQ(combo_->GetStyle(), csDropDown);
    EXPECT_FALSE(menu_->GetOwnerDraw());
}

} // namespace
} // namespace kvc::language

namespace kvc::language {
namespace {

TEST_F(ConvertFormTest, ShowDialogInTheFormsFontAndTitle) {
    MakeMachine("936", "936");
    form_->SetWindowState(wsMinimized);
    Application().DialogResponder().ClearLog();
    Application().DialogResponder().QueueAnswer(mrCancel);
    EXPECT_EQ(converter_->ShowDialog("保存条件?", mtConfirmation, mbOKCancel), mrCancel);
    EXPECT_EQ(form_->GetWindowState(), wsNormal);
    ASSERT_EQ(Application().DialogResponder().Log().size(), 1u);
    const TDialogRecord& shown = Application().DialogResponder().Log()[0];
    EXPECT_EQ(shown.caption, "报表条件");
    EXPECT_EQ(shown.text, "保存条件?      ");
    EXPECT_EQ(shown.fontName, "SimSun");
    EXPECT_EQ(shown.fontCharset, GB2312_CHARSET);
    // An empty text shows nothing.
    EXPECT_EQ(converter_->ShowDialog("", mtConfirmation, mbOKCancel), TModalResult(0));
    EXPECT_EQ(Application().DialogResponder().Log().size(), 1u);
    Application().DialogResponder().ClearLog();
}

TEST_F(ConvertFormTest, ShowDialogWithoutGbKeepsTheText) {
    MakeMachine("950", "950");
    Application().DialogResponder().ClearLog();
    Application().DialogResponder().QueueAnswer(mrOk);
    EXPECT_EQ(converter_->ShowDialog("完成", mtInformation, TMsgDlgButtons{mbOK}), mrOk);
    ASSERT_EQ(Application().DialogResponder().Log().size(), 1u);
    EXPECT_EQ(Application().DialogResponder().Log()[0].text, "完成");
    EXPECT_EQ(Application().DialogResponder().Log()[0].fontCharset, CHINESEBIG5_CHARSET);
    Application().DialogResponder().ClearLog();
}

} // namespace
} // namespace kvc::language

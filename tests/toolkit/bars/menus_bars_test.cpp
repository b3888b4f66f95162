// Menus, tool bars, tab sets, tree views, status bars, splitters and
// animations: the behaviour the forms rely on, and their definitions.
#include "toolkit/animate.h"
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/form_definitions.h"
#include "toolkit/menus.h"
#include "toolkit/panel.h"
#include "toolkit/screen.h"
#include "toolkit/splitter.h"
#include "toolkit/status_bar.h"
#include "toolkit/tab_set.h"
#include "toolkit/testing/robot.h"
#include "toolkit/tool_bar.h"
#include "toolkit/tree_view.h"

#include <gtest/gtest.h>

namespace kvc::test {
namespace {

class TfrmBars : public TForm {
    KVC_CLASS(TfrmBars, TForm)
public:
    std::vector<std::string> log;
    TToolBar* ToolBar1 = nullptr;
    TToolButton* ToolButton1 = nullptr;
    TPopupMenu* mnList = nullptr;
    TMenuItem *N7 = nullptr, *N8 = nullptr, *N9 = nullptr;
    TTabSet* tabs = nullptr;
    TStatusBar* status = nullptr;
    TAnimate* Animate1 = nullptr;
    TImageList* ImageList1 = nullptr;
    bool refuseTab = false;

    void ToolButton1Click(TObject*) { log.push_back("button"); }
    void N8Click(TObject*) {
        N8->SetChecked(true);
        log.push_back("N8");
    }
    void tabsChange(TObject*, int newTab, bool& allow) {
        log.push_back("change " + std::to_string(newTab));
        allow = !refuseTab;
    }
    void tabsClick(TObject*) { log.push_back("click " + std::to_string(tabs->GetTabIndex())); }
};

KVC_REGISTER_CLASS(TfrmBars) {
    KVC_METHOD(ToolButton1Click);
    KVC_METHOD(N8Click);
    KVC_METHOD(tabsChange);
    KVC_METHOD(tabsClick);
    KVC_FIELD(ToolBar1);
    KVC_FIELD(ToolButton1);
    KVC_FIELD(mnList);
    KVC_FIELD(N7);
    KVC_FIELD(N8);
    KVC_FIELD(N9);
    KVC_FIELD(tabs);
    KVC_FIELD(status);
    KVC_FIELD(Animate1);
    KVC_FIELD(ImageList1);
}

constexpr const char* kBarsForm = R"(object frmBars: TfrmBars
  Left = 100
  Top = 50
  Width = 400
  Height = 300
  object ToolBar1: TToolBar
    ButtonHeight = 24
    ButtonWidth = 25
    Flat = True
    Images = ImageList1
    object btnInsert: TToolButton
      Caption = 'Save'
      ImageIndex = 1
    end
    object sep: TToolButton
      Style = tbsSeparator
    end
    object ToolButton1: TToolButton
      Caption = 'ViewIcon'
      DropdownMenu = mnList
      ImageIndex = 4
      Style = tbsDropDown
      OnClick = ToolButton1Click
    end
  end
  object tabs: TTabSet
    Tabs.Strings = (
      'One'
      'Two'
      'Three')
    TabIndex = 0
    OnChange = tabsChange
    OnClick = tabsClick
  end
  object status: TStatusBar
    Panels = <
      item
        Text = 'left'
        Width = 80
      end
      item
        Text = 'right'
      end>
  end
  object Animate1: TAnimate
    Active = True
    CommonAVI = aviFindFile
    StopFrame = 8
  end
  object mnList: TPopupMenu
    object N7: TMenuItem
      Caption = '&Large'
      Checked = True
      RadioItem = True
    end
    object N8: TMenuItem
      Caption = '&Small'
      RadioItem = True
      OnClick = N8Click
    end
    object N9: TMenuItem
      Caption = '&List'
      RadioItem = True
      ShortCut = 16460
    end
  end
  object ImageList1: TImageList
    Height = 18
    Width = 18
  end
end
)";

class BarsTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterFormDefinition("TfrmBars", "frmBars.dfm", kBarsForm);
        form = Create<TfrmBars>(&Application());
    }
    void TearDown() override {
        form->Free();
        UnregisterFormDefinition("TfrmBars");
    }
    TfrmBars* form = nullptr;
};

TEST_F(BarsTest, DefinitionBuildsTheBarsAndTheMenu) {
    ASSERT_EQ(form->ToolBar1->ButtonCount(), 3);
    EXPECT_EQ(form->ToolBar1->GetImages(), form->ImageList1);
    EXPECT_EQ(form->ToolButton1->GetDropdownMenu(), form->mnList);
    EXPECT_EQ(form->ToolButton1->GetLeft(), 25 + 8) << "a button, then a separator";
    EXPECT_EQ(form->ToolButton1->GetWidth(), 25);
    ASSERT_EQ(form->mnList->Items()->Count(), 3);
    EXPECT_EQ(form->N9->GetParentMenu(), form->mnList);
    EXPECT_TRUE(form->N7->GetChecked());
    EXPECT_EQ(form->tabs->GetTabIndex(), 0);
    EXPECT_EQ(form->status->DisplayText(), "left|right");
    EXPECT_EQ(form->status->PanelRect(1).Left, 80);
    EXPECT_TRUE(form->Animate1->GetActive()) << "activated once loaded";
    EXPECT_EQ(form->ImageList1->GetWidth(), 18);
}

TEST_F(BarsTest, RadioItemsOfAGroupExcludeEachOther) {
    form->N9->SetChecked(true);
    EXPECT_FALSE(form->N7->GetChecked());
    EXPECT_TRUE(form->N9->GetChecked());
    auto* other = Create<TMenuItem>(form);
    other->SetRadioItem(true);
    other->SetGroupIndex(1);
    form->mnList->Items()->Add(other);
    other->SetChecked(true);
    EXPECT_TRUE(form->N9->GetChecked()) << "another group is left alone";
    form->N9->SetRadioItem(false);
    form->N7->SetChecked(true);
    EXPECT_TRUE(form->N9->GetChecked()) << "a plain item is no member of a radio group";
}

TEST_F(BarsTest, DropDownPopsTheMenuAndAnItemIsChosen) {
    EXPECT_THROW(form->mnList->ChooseItem(*form->N8), EInvalidOperation) << "not popped";
    form->ToolButton1->Click();
    EXPECT_FALSE(form->mnList->IsPopped()) << "the button part clicks";
    form->ToolButton1->DropDown();
    ASSERT_TRUE(form->mnList->IsPopped());
    EXPECT_EQ(form->mnList->PopupComponent(), form->ToolButton1);
    int x = form->ToolButton1->GetLeft();
    int y = form->ToolButton1->GetTop() + form->ToolButton1->GetHeight();
    ClientToScreen(*form->ToolBar1, x, y);
    EXPECT_EQ(form->mnList->PopupX(), x);
    EXPECT_EQ(form->mnList->PopupY(), y);
    EXPECT_GT(x, form->GetLeft());
    form->mnList->ChooseItem(*form->N8);
    EXPECT_FALSE(form->mnList->IsPopped());
    EXPECT_EQ(form->log, (std::vector<std::string>{"button", "N8"}));
    EXPECT_FALSE(form->N7->GetChecked());
    EXPECT_TRUE(form->mnList->IsShortCut('L', {ssCtrl}));
    EXPECT_FALSE(form->mnList->IsShortCut('L', {}));
}

TEST_F(BarsTest, TabSetAsksBeforeEveryChange) {
    form->tabs->SetTabIndex(2);
    form->refuseTab = true;
    form->tabs->ClickTab(1);
    EXPECT_EQ(form->tabs->GetTabIndex(), 2);
    EXPECT_EQ(form->log, (std::vector<std::string>{"change 2", "click 2", "change 1"}));
    EXPECT_THROW(form->tabs->SetTabIndex(3), EInvalidOperation);
    TStringList fewer;
    fewer.Add("only");
    form->tabs->SetTabs(fewer);
    EXPECT_EQ(form->tabs->GetTabIndex(), 0);
}

TEST_F(BarsTest, TheRobotChoosesMenuItemsAndTabsOfAShownForm) {
    TRobot robot;
    EXPECT_THROW(robot.ClickTab(*form->tabs, 1), EInvalidOperation) << "the form is hidden";
    form->Show();
    robot.ChooseMenuItem(*form->mnList, *form->N8, 10, 20);
    EXPECT_EQ(form->mnList->PopupX(), 10);
    EXPECT_FALSE(form->mnList->IsPopped());
    EXPECT_TRUE(form->N8->GetChecked());
    robot.ClickTab(*form->tabs, 1);
    EXPECT_EQ(form->tabs->GetTabIndex(), 1);
    EXPECT_THROW(robot.ClickTab(*form->tabs, 9), EInvalidOperation);
    EXPECT_EQ(form->log, (std::vector<std::string>{"N8", "change 1", "click 1"}));
    form->tabs->SetEnabled(false);
    EXPECT_THROW(robot.ClickTab(*form->tabs, 0), EInvalidOperation);
}

TEST_F(BarsTest, AnimationLoopsBetweenItsFrames) {
    TAnimate& a = *form->Animate1;
    a.Stop();
    a.Play(7, 8, 2);
    std::vector<int> frames;
    for (int i = 0; i < 5; ++i) {
        frames.push_back(a.CurrentFrame());
        a.Step();
    }
    EXPECT_EQ(frames, (std::vector<int>{7, 8, 7, 8, 8}));
    EXPECT_FALSE(a.GetActive()) << "two repetitions played";
    EXPECT_THROW(a.Play(1, 9, 0), EInvalidOperation);
}

struct ToolCase {
    const char* name;
    bool allowAllUp;
    std::vector<int> clicks;
    std::vector<bool> down;
};

class ToolButtonGroups : public ::testing::TestWithParam<ToolCase> {};

TEST_P(ToolButtonGroups, CheckButtonsOfAGroup) {
    auto owner = MakeUnique<TForm>();
    auto* bar = Create<TToolBar>(owner.get());
    bar->SetParent(owner.get());
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        auto* b = Create<TToolButton>(owner.get());
        b->SetStyle(tbsCheck);
        b->SetGrouped(true);
        b->SetAllowAllUp(GetParam().allowAllUp);
        b->SetParent(bar);
        buttons.push_back(b);
    }
    for (int i : GetParam().clicks) {
        buttons[std::size_t(i)]->Click();
    }
    std::vector<bool> down;
    for (auto* b : buttons) {
        down.push_back(b->GetDown());
    }
    EXPECT_EQ(down, GetParam().down);
}

INSTANTIATE_TEST_SUITE_P(
    ToolBar, ToolButtonGroups,
    ::testing::Values(ToolCase{"OneDown", false, {0, 2}, {false, false, true}},
                      ToolCase{"DownStaysDown", false, {1, 1}, {false, true, false}},
                      ToolCase{"AllowAllUpRaises", true, {1, 1}, {false, false, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TreeView, SelectionWalksAndCanBeRefused) {
    auto form = MakeUnique<TForm>();
    auto* tree = Create<TTreeView>(form.get());
    tree->SetParent(form.get());
    TTreeNode* a = tree->GetItems()->Add(nullptr, "a");
    TTreeNode* a1 = tree->GetItems()->AddChild(a, "a1");
    TTreeNode* b = tree->GetItems()->Add(a, "b");
    EXPECT_EQ(tree->GetItems()->Count(), 3);
    EXPECT_EQ(b->AbsoluteIndex(), 2);
    EXPECT_EQ(a1->Level(), 1);
    std::vector<std::string> log;
    form->Show();
    tree->ClickNode(*b);
    EXPECT_TRUE(b->GetSelected());
    EXPECT_EQ(Screen().ActiveControl(), tree);
    tree->HandleKeyDown(VK_UP, {});
    EXPECT_EQ(tree->GetSelected(), a) << "a1 is hidden while a is collapsed";
    tree->HandleKeyDown(VK_RIGHT, {});
    tree->HandleKeyDown(VK_DOWN, {});
    EXPECT_EQ(tree->GetSelected(), a1);
    b->Delete();
    EXPECT_EQ(tree->GetItems()->Count(), 2);
    a->Delete();
    EXPECT_EQ(tree->GetSelected(), nullptr) << "the selected child went with its parent";
    form->Hide();
}

TEST(Splitter, ResizesItsNeighbourWithinLimits) {
    auto form = MakeUnique<TForm>();
    form->SetBounds(0, 0, 400, 300);
    auto* left = Create<TPanel>(form.get());
    left->SetParent(form.get());
    left->SetWidth(151);
    left->SetAlign(alLeft);
    auto* splitter = Create<TSplitter>(form.get());
    splitter->SetParent(form.get());
    splitter->SetLeft(200);
    splitter->SetAlign(alLeft);
    ASSERT_EQ(splitter->ResizedControl(), left);
    EXPECT_TRUE(splitter->Drag(20));
    EXPECT_EQ(left->GetWidth(), 171);
    EXPECT_EQ(splitter->GetLeft(), 171);
    splitter->Drag(-150);
    EXPECT_EQ(left->GetWidth(), 0) << "below MinSize it snaps shut";
    splitter->SetAutoSnap(false);
    splitter->Drag(10000);
    EXPECT_EQ(left->GetWidth(), form->GetClientWidth() - 3 - 30) << "MinSize stays beyond";
}

} // namespace
} // namespace kvc::test

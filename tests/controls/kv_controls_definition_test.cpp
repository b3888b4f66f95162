// The other controls read from a form definition: their published
// properties, references and handlers, and the placements that follow.
#include "controls/control_classes.h"
#include "controls/db_label.h"
#include "controls/ext_page_control.h"
#include "controls/kv_edits.h"
#include "controls/kv_radio.h"
#include "controls/kv_spin_edit.h"
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/form_definitions.h"

#include <gtest/gtest.h>

namespace kvc::controls {
namespace {

const char* const kControlsForm = R"(object frmKvLoad: TfrmKvLoad
  Left = 0
  Top = 0
  Width = 520
  Height = 400
  Caption = '其他控件'
  object edHours: TKvEdit
    Left = 100
    Top = 20
    Width = 60
    Height = 21
    Caption = '间隔小时'
    LabelPosition = lpRight
    LabelSpacing = 6
    Text = '4'
  end
  object edWarehouse: TKvBtnDBEdit
    Left = 100
    Top = 50
    Width = 80
    Height = 21
    ButtonSpacing = 3
    GlyphIndex = 63
    ButtonHint = '仓库开窗'
    OnDialog = edWarehouseDialog
  end
  object lblDays: TDBLabel
    Left = 0
    Top = 0
    Width = 40
    Height = 13
    Caption = '天数'
    Gap = 6
    Pos = psTop
    FocusControl = seDays
  end
  object seDays: TKvSpinEdit
    Left = 100
    Top = 100
    Width = 50
    Height = 22
    MaxValue = 31
    MinValue = 1
    Value = 7
  end
  object rgPeriod: TKvRadioGroup
    Left = 200
    Top = 20
    Width = 210
    Height = 105
    Caption = '周期'
    Columns = 2
    ItemIndex = 2
    Items.Strings = (
      '按日'
      '按周'
      '按月')
    OnClick = rgPeriodClick
  end
  object rbAll: TKvRadioButton
    Left = 200
    Top = 140
    Caption = '全部'
    Checked = True
  end
  object pgOptions: TExtPageControl
    Left = 8
    Top = 170
    Width = 400
    Height = 150
    OnDrawTab = pgOptionsDrawTab
    object tsBasic: TTabSheet
      Caption = '基本'
    end
    object tsHidden: TTabSheet
      Caption = '隐藏'
      TabVisible = False
    end
    object tsOther: TTabSheet
      Caption = '其他'
    end
  end
end
)";

class TfrmKvLoad : public TForm {
    KVC_CLASS(TfrmKvLoad, TForm)
public:
    TKvEdit* edHours = nullptr;
    TKvBtnDBEdit* edWarehouse = nullptr;
    TDBLabel* lblDays = nullptr;
    TKvSpinEdit* seDays = nullptr;
    TKvRadioGroup* rgPeriod = nullptr;
    TKvRadioButton* rbAll = nullptr;
    TExtPageControl* pgOptions = nullptr;
    int dialogs = 0;
    int periodClicks = 0;
    void edWarehouseDialog(TObject*) { ++dialogs; }
    void rgPeriodClick(TObject*) { ++periodClicks; }
    void pgOptionsDrawTab(TPageControl*, int, const TRect&, bool) {}
};

} // namespace

KVC_REGISTER_CLASS(TfrmKvLoad) {
    KVC_FIELD(edHours);
    KVC_FIELD(edWarehouse);
    KVC_FIELD(lblDays);
    KVC_FIELD(seDays);
    KVC_FIELD(rgPeriod);
    KVC_FIELD(rbAll);
    KVC_FIELD(pgOptions);
    KVC_METHOD(edWarehouseDialog);
    KVC_METHOD(rgPeriodClick);
    KVC_METHOD(pgOptionsDrawTab);
}

namespace {

class KvControlsDefinitionTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterControlClasses();
        RegisterFormDefinition("TfrmKvLoad", "frmKvLoad.dfm", kControlsForm);
        form = Create<TfrmKvLoad>(&Application());
    }
    void TearDown() override {
        form->Free();
        UnregisterFormDefinition("TfrmKvLoad");
    }
    TfrmKvLoad* form = nullptr;
};

TEST_F(KvControlsDefinitionTest, TheClassesAreFoundByName) {
    for (const char* name :
         {"TKvEdit", "TKvDBEdit", "TKvBtnDBEdit", "TDBLabel", "TKvSpinEdit", "TKvRadioButton",
          "TKvGroupButton", "TKvRadioGroup", "TExtPageControl"}) {
        const TClassInfo* info = FindClass(name);
        ASSERT_NE(info, nullptr) << name;
        EXPECT_EQ(info->Name(), name);
    }
}

TEST_F(KvControlsDefinitionTest, TheEditsReadTheirLabelAndButton) {
    TKvEdit& hours = *form->edHours;
    EXPECT_EQ(hours.GetText(), "4");
    EXPECT_EQ(hours.GetLabelCaption(), "间隔小时");
    EXPECT_EQ(hours.GetLabelPosition(), lpRight);
    EXPECT_EQ(hours.EditLabel()->GetLeft(), 166);
    EXPECT_EQ(hours.EditLabel()->Parent(), form);

    TKvBtnDBEdit& warehouse = *form->edWarehouse;
    EXPECT_EQ(warehouse.GetGlyphIndex(), 63);
    EXPECT_EQ(warehouse.GetButtonHint(), "仓库开窗");
    EXPECT_EQ(warehouse.Button()->BoundsRect(), (TRect{183, 50, 204, 71}));
    warehouse.Button()->Click();
    EXPECT_EQ(form->dialogs, 1);
}

TEST_F(KvControlsDefinitionTest, TheDBLabelFindsItsControlOnceItIsRead) {
    const TDBLabel& label = *form->lblDays;
    EXPECT_EQ(label.GetFocusControl(), form->seDays);
    EXPECT_EQ(label.GetCaption(), "天数");
    EXPECT_EQ(label.BoundsRect(), (TRect{100, 81, 140, 94}));
}

TEST_F(KvControlsDefinitionTest, TheSpinRadioAndPageControlsReadTheirState) {
    EXPECT_EQ(form->seDays->GetValue(), 7);
    EXPECT_EQ(form->seDays->GetMaxValue(), 31);

    const TKvRadioGroup& group = *form->rgPeriod;
    EXPECT_EQ(group.GetColumns(), 2);
    ASSERT_EQ(group.ButtonCount(), 3);
    EXPECT_EQ(group.GetItemIndex(), 2) << "read before its items";
    EXPECT_TRUE(group.Buttons(2)->GetChecked());
    EXPECT_EQ(group.Buttons(2)->GetLeft(), group.Buttons(0)->GetLeft() + (210 - 10) / 2);
    EXPECT_EQ(form->periodClicks, 0) << "reading raises no click";
    EXPECT_TRUE(form->rbAll->GetChecked());

    const TExtPageControl& pages = *form->pgOptions;
    EXPECT_EQ(pages.PageCount(), 3);
    EXPECT_EQ(pages.PageForTab(1), form->FindComponent("tsOther"));
    EXPECT_TRUE(pages.OnDrawTab.Assigned());
}

} // namespace
} // namespace kvc::controls

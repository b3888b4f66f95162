// The edits with an attached label and lookup button, and TDBLabel: where
// the label and the button go, what follows the edit, the lookup request,
// and the label that belongs to one control only.
#include "controls/db_label.h"
#include "controls/kv_edits.h"
#include "toolkit/class_builder.h"
#include "toolkit/client_data_set.h"
#include "toolkit/panel.h"
#include "toolkit/toolkit_fixture.h"

#include <gtest/gtest.h>

namespace kvc::controls {
namespace {

// A form that records the lookup requests it receives.
class TfrmEditHost : public TForm {
    KVC_CLASS(TfrmEditHost, TForm)
public:
    std::vector<LPARAM> lookups;
    std::vector<TObject*> dialogs;
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_F2LOOKUP) {
            lookups.push_back(message.LParam);
        }
        TForm::WndProc(message);
    }
    void EditDialog(TObject* sender) { dialogs.push_back(sender); }
};

} // namespace

KVC_REGISTER_CLASS(TfrmEditHost) {
    KVC_METHOD(EditDialog);
}

namespace {

class KvEditTest : public test::ToolkitTest {
protected:
    void SetUp() override {
        form = NewForm<TfrmEditHost>();
        form->SetBounds(0, 0, 500, 300);
        panel = Create<TPanel>(form);
        panel->SetParent(form);
        panel->SetBounds(0, 0, 400, 250);
        form->Show();
    }
    template <class T> T* NewEdit() {
        T* edit = Create<T>(form);
        edit->SetParent(panel);
        return edit;
    }
    TfrmEditHost* form = nullptr;
    TPanel* panel = nullptr;
};

struct LabelCase {
    TLabelPosition position;
    int spacing;
    TPoint at; // of a 30 x 13 label beside an edit at 100, 50, 121 x 21
};

TEST_F(KvEditTest, TheAttachedLabelGoesToItsSideAtTheSpacing) {
    const LabelCase cases[] = {
        {lpLeft, 4, {66, 54}},   {lpRight, 4, {225, 54}}, {lpAbove, 4, {100, 33}},
        {lpBelow, 4, {100, 75}}, {lpLeft, 0, {70, 54}},   {lpBelow, 10, {100, 81}},
        {lpAbove, 0, {100, 37}}, {lpRight, 7, {228, 54}},
    };
    for (const LabelCase& c : cases) {
        auto* edit = NewEdit<TKvEdit>();
        edit->EditLabel()->SetBounds(0, 0, 30, 13);
        edit->SetLabelSpacing(c.spacing);
        edit->SetLabelPosition(c.position);
        edit->SetBounds(100, 50, 121, 21);
        EXPECT_EQ(edit->EditLabel()->GetLeft(), c.at.X) << c.position << " " << c.spacing;
        EXPECT_EQ(edit->EditLabel()->GetTop(), c.at.Y) << c.position << " " << c.spacing;
        EXPECT_EQ(edit->EditLabel()->GetWidth(), 30) << "the label keeps its own size";
        edit->Free();
    }
}

TEST_F(KvEditTest, ANewEditHasAnEmptyLabelOnItsParentFocusingIt) {
    auto* edit = NewEdit<TKvEdit>();
    auto* db = NewEdit<TKvDBEdit>();
    for (auto [label, owner] :
         {std::pair<TLabel*, TWinControl*>{edit->EditLabel(), edit}, {db->EditLabel(), db}}) {
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->GetName(), "EditLabel");
        EXPECT_EQ(label->Owner(), owner);
        EXPECT_EQ(label->Parent(), panel);
        EXPECT_EQ(label->GetCaption(), "");
        EXPECT_EQ(label->GetFocusControl(), owner);
    }
    EXPECT_EQ(edit->GetLabelPosition(), lpLeft);
    EXPECT_EQ(edit->GetLabelSpacing(), 4);
}

TEST_F(KvEditTest, TheLabelMovesAndFollowsTheEdit) {
    auto* edit = NewEdit<TKvEdit>();
    TLabel& label = *edit->EditLabel();
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 30, 13);
    edit->SetBounds(100, 50, 121, 21);
    edit->SetLabelSpacing(-3);
    EXPECT_EQ(edit->GetLabelSpacing(), 4) << "a negative spacing is ignored";
    edit->SetLeft(120);
    EXPECT_EQ(label.GetLeft(), 86);
    edit->SetLabelCaption("小时");
    EXPECT_EQ(label.GetCaption(), "小时");
    EXPECT_EQ(label.GetWidth(), 30) << "not auto-sized: its own size";
    EXPECT_EQ(label.GetLeft(), 86);

    edit->SetVisible(false);
    EXPECT_FALSE(label.GetVisible());
    edit->SetVisible(true);
    edit->SetEnabled(false);
    EXPECT_TRUE(label.GetVisible());
    EXPECT_FALSE(label.GetEnabled());
    edit->SetParent(form);
    EXPECT_EQ(label.Parent(), form);
}

TEST_F(KvEditTest, AnAutoSizedLabelTakesItsCaptionsSizeAndStaysBesideTheEdit) {
    auto* edit = NewEdit<TKvEdit>();
    edit->SetBounds(200, 50, 121, 21);
    edit->SetLabelCaption("间隔小时");
    TLabel& label = *edit->EditLabel();
    EXPECT_GT(label.GetWidth(), 0);
    EXPECT_EQ(label.GetLeft() + label.GetWidth() + 4, 200);
}

TEST_F(KvEditTest, TheButtonSitsRightOfTheEditAsHighAsItAndFollowsIt) {
    auto* edit = NewEdit<TKvBtnDBEdit>();
    edit->SetBounds(100, 50, 121, 21);
    TGSpeedButton& button = *edit->Button();
    EXPECT_EQ(button.GetName(), "F2Button");
    EXPECT_EQ(button.Owner(), edit);
    EXPECT_TRUE(button.GetFlat());
    EXPECT_EQ(edit->GetGlyphIndex(), 8);
    EXPECT_EQ(button.BoundsRect(), (TRect{223, 50, 244, 71}));
    edit->SetButtonSpacing(5);
    EXPECT_EQ(button.GetLeft(), 226);
    edit->SetHeight(25);
    EXPECT_EQ(button.BoundsRect(), (TRect{226, 50, 251, 75}));
    EXPECT_EQ(button.Parent(), panel);
    edit->SetEnabled(false);
    EXPECT_FALSE(button.GetEnabled());
    edit->SetVisible(false);
    EXPECT_FALSE(button.GetVisible());
    edit->SetButtonHint("开窗");
    EXPECT_EQ(button.GetHint(), "开窗");
}

TEST_F(KvEditTest, TheButtonAsksTheFormForALookupUnlessOnDialogIsAssigned) {
    auto* edit = NewEdit<TKvBtnDBEdit>();
    edit->SetBounds(100, 50, 121, 21);
    edit->Button()->Click();
    EXPECT_TRUE(edit->Focused());
    ASSERT_EQ(form->lookups.size(), 1u);
    EXPECT_EQ(form->lookups[0], reinterpret_cast<LPARAM>(static_cast<TWinControl*>(edit)));

    edit->OnDialog = TNotifyEvent::Bind<&TfrmEditHost::EditDialog>(form);
    edit->Button()->Click();
    EXPECT_EQ(form->lookups.size(), 1u);
    ASSERT_EQ(form->dialogs.size(), 1u);
    EXPECT_EQ(form->dialogs[0], edit);

    edit->OnDialog = {};
    edit->SetEnabled(false);
    edit->Button()->Click();
    EXPECT_EQ(form->lookups.size(), 1u) << "an edit that cannot take the focus asks nothing";
}

TEST_F(KvEditTest, DestroyingTheEditTakesItsLabelAndButtonOffTheParent) {
    auto* edit = NewEdit<TKvBtnDBEdit>();
    int before = panel->ControlCount();
    edit->Free();
    EXPECT_EQ(panel->ControlCount(), before - 3);
}

struct DBLabelCase {
    TDBLabelPos pos;
    int gap;
    TRect control;
    TSize label;
    TPoint at;
};

TEST_F(KvEditTest, ADBLabelPlacesItselfBesideItsControl) {
    const DBLabelCase cases[] = {
        {psLeft, 4, {92, 40, 213, 61}, {52, 13}, {36, 44}},
        {psLeft, 4, {92, 40, 213, 61}, {52, 21}, {36, 40}}, // equally high: same top
        {psRight, 4, {92, 40, 213, 61}, {52, 13}, {217, 44}},
        {psTop, 4, {92, 40, 213, 61}, {52, 13}, {92, 23}},
        {psBottom, 2, {92, 40, 213, 61}, {52, 13}, {92, 63}},
        {psLeft, 4, {20, 40, 141, 61}, {52, 13}, {0, 44}}, // left below 0
        {psTop, 4, {92, 5, 213, 26}, {52, 13}, {92, 0}},   // top below 0
        {psRight, 0, {92, 40, 213, 60}, {52, 13}, {213, 44}},
    };
    for (const DBLabelCase& c : cases) {
        auto* edit = NewEdit<TEdit>();
        edit->SetBounds(c.control.Left, c.control.Top, c.control.Width(), c.control.Height());
        auto* label = Create<TDBLabel>(panel);
        label->SetParent(panel);
        label->SetBounds(300, 200, c.label.cx, c.label.cy);
        label->SetGap(std::uint8_t(c.gap));
        label->SetPos(c.pos);
        label->SetFocusControl(edit);
        EXPECT_EQ(label->GetLeft(), c.at.X) << c.pos << " " << c.control.Left;
        EXPECT_EQ(label->GetTop(), c.at.Y) << c.pos << " " << c.control.Top;
        EXPECT_EQ(label->GetWidth(), c.label.cx);
        label->Free();
        edit->Free();
    }
}

TEST_F(KvEditTest, ADBLabelRealignsWhenItsPlacePropertiesChange) {
    auto* edit = NewEdit<TEdit>();
    edit->SetBounds(92, 40, 121, 21);
    auto* label = Create<TDBLabel>(panel);
    label->SetParent(panel);
    EXPECT_EQ(label->GetCaption(), "挂靠标签");
    EXPECT_TRUE(label->GetAutoAlign());
    EXPECT_TRUE(label->GetAutoCaption());
    EXPECT_EQ(label->GetPos(), psLeft);
    EXPECT_EQ(label->GetGap(), 4);
    label->SetBounds(0, 0, 52, 13);
    label->SetFocusControl(edit);
    EXPECT_EQ(label->GetLeft(), 36);
    EXPECT_EQ(label->GetCaption(), "挂靠标签") << "a control without a field keeps the caption";
    label->SetGap(10);
    EXPECT_EQ(label->GetLeft(), 30);
    label->SetPos(psBottom);
    EXPECT_EQ(label->BoundsRect().Top, 71);
    label->SetAutoAlign(false);
    edit->SetTop(100);
    label->SetPos(psTop);
    EXPECT_EQ(label->GetTop(), 71) << "without AutoAlign the label stays";
}

TEST_F(KvEditTest, TwoDBLabelsOfOneParentNeverBelongToTheSameControl) {
    auto* edit = NewEdit<TEdit>();
    auto* first = Create<TDBLabel>(panel);
    first->SetParent(panel);
    auto* second = Create<TDBLabel>(panel);
    second->SetParent(panel);
    first->SetFocusControl(edit);
    second->SetBounds(7, 8, 52, 13);
    second->SetFocusControl(edit);
    EXPECT_EQ(second->GetFocusControl(), nullptr);
    EXPECT_EQ(second->BoundsRect(), (TRect{7, 8, 59, 21}));
    const auto& log = Application().DialogResponder().Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text, "不能同时有两个 DBLabel 指到同一个 Control.");
    EXPECT_EQ(log[0].type, mtError);
    first->SetFocusControl(nullptr);
    second->SetFocusControl(edit);
    EXPECT_EQ(second->GetFocusControl(), edit);
}

TEST_F(KvEditTest, ADBLabelTakesTheDisplayLabelOfItsControlsField) {
    auto* data = Create<TClientDataSet>(form);
    auto* field = Create<TStringField>(form);
    field->SetFieldName("WAREHOUSE");
    field->SetDisplayLabel("仓库");
    field->SetDataSet(data);
    auto* source = Create<TDataSource>(form);
    source->SetDataSet(data);
    auto* edit = NewEdit<TKvDBEdit>();
    edit->SetDataSource(source);
    edit->SetDataField("WAREHOUSE");
    EXPECT_EQ(edit->GetLabelCaption(), "") << "only while designing";

    auto* label = Create<TDBLabel>(panel);
    label->SetParent(panel);
    label->SetFocusControl(edit);
    EXPECT_EQ(label->GetCaption(), "仓库");
    edit->SetDataField("MISSING");
    label->SetCaption("原标题");
    label->SetAutoCaption(true);
    EXPECT_EQ(label->GetCaption(), "原标题") << "a missing field is ignored";
}

TEST_F(KvEditTest, TheEditsAreClassesOfDefinitionsWithTheirProperties) {
    struct {
        const TClassInfo& cls;
        std::vector<const char*> names;
    } cases[] = {
        {TKvEdit::StaticClassInfo(), {"Caption", "LabelPosition", "LabelSpacing", "Text"}},
        {TKvDBEdit::StaticClassInfo(), {"Caption", "DataField", "DataSource", "LabelSpacing"}},
        {TKvBtnDBEdit::StaticClassInfo(),
         {"ButtonHint", "ButtonSpacing", "GlyphIndex", "OnDialog", "LabelPosition"}},
        {TDBLabel::StaticClassInfo(), {"AutoAlign", "AutoCaption", "FocusControl", "Gap", "Pos"}},
    };
    for (const auto& c : cases) {
        for (const char* name : c.names) {
            EXPECT_NE(c.cls.FindProperty(name), nullptr) << c.cls.Name() << "." << name;
        }
    }
    EXPECT_EQ(TKvEdit::StaticClassInfo().Parent(), &TEdit::StaticClassInfo());
    EXPECT_EQ(TKvDBEdit::StaticClassInfo().Parent(), &TDBEdit::StaticClassInfo());
}

} // namespace
} // namespace kvc::controls

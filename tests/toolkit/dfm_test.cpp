#include "test_forms.h"
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/collection.h"
#include "toolkit/form_definitions.h"
#include "toolkit/properties.h"
#include "toolkit/screen.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kvc::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(DfmParser, ReadsEveryKindOfValue) {
    DfmObject root = ParseDfm(R"(object frmX: TfrmX
  Left = -13
  Color = $00AFFFFF
  Ratio = 1.5
  Caption = 'it''s '#$4E2D#25991 +
    ' more'
  Glyph.Data = {
    0A0B 0c}
  Anchors = [akLeft, akTop]
  Empty = []
  Items.Strings = (
    '按源工单'
    '按订单')
  OnClick = btnOkClick
  Columns = <
    item
      Caption = 'Data1'
      Width = 60
    end
    item
    end>
  object btnOk: TButton
  end
  inherited pnl: TPanel
  end
end
)",
                              "frmX.dfm");
    EXPECT_EQ(root.name, "frmX");
    EXPECT_EQ(root.className, "TfrmX");
    ASSERT_EQ(root.properties.size(), 10u);
    const auto& p = root.properties;
    EXPECT_EQ(p[0].value.integer, -13);
    EXPECT_EQ(p[1].value.integer, 0xAFFFFF);
    EXPECT_DOUBLE_EQ(p[2].value.number, 1.5);
    EXPECT_EQ(p[3].value.text, "it's 中文 more");
    EXPECT_EQ(p[4].name, "Glyph.Data");
    EXPECT_THAT(p[4].value.bytes, ElementsAre(0x0A, 0x0B, 0x0C));
    EXPECT_THAT(p[5].value.names, ElementsAre("akLeft", "akTop"));
    EXPECT_TRUE(p[6].value.names.empty());
    EXPECT_EQ(p[7].value.list.size(), 2u);
    EXPECT_EQ(p[7].value.list[1].text, "按订单");
    EXPECT_EQ(p[8].value.kind, DfmValue::Kind::Identifier);
    EXPECT_EQ(p[8].line, 14);
    ASSERT_EQ(p[9].value.items.size(), 2u);
    EXPECT_EQ(p[9].value.items[0][1].value.integer, 60);
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(root.children[1].kind, DfmObject::Kind::Inherited);
    EXPECT_EQ(root.children[1].line, 24);
}

struct SyntaxCase {
    const char* text;
    const char* message;
};

class DfmSyntaxErrors : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(DfmSyntaxErrors, NameFileAndLine) {
    try {
        ParseDfm(GetParam().text, "frmX.dfm");
        FAIL() << "no error for " << GetParam().text;
    } catch (const EReadError& e) {
        EXPECT_THAT(e.Message(), HasSubstr(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, DfmSyntaxErrors,
    ::testing::Values(SyntaxCase{"object a: TForm\n  Caption = 'open\nend\n",
                                 "frmX.dfm:2: unterminated string"},
                      SyntaxCase{"object a: TForm\n  Left = 1\n", "frmX.dfm:3: 'end' expected"},
                      SyntaxCase{"object a: TForm\n  Left 1\nend\n", "frmX.dfm:2: '=' expected"},
                      SyntaxCase{"thing a: TForm\nend\n", "frmX.dfm:1: 'object' or 'inherited'"},
                      SyntaxCase{"object a: TForm\n  S = [a b]\nend\n", "frmX.dfm:2: ',' or ']'"},
                      SyntaxCase{"object a: TForm\n  D = {0A0}\nend\n", "frmX.dfm:2: odd number"},
                      SyntaxCase{"object a: TForm\nend\nend\n", "frmX.dfm:3: end of file"}));

TEST(DfmParser, RootClassNameComesFromTheFirstLine) {
    EXPECT_EQ(DfmRootClassName("object frmA: TfrmA\nend"), "TfrmA");
    EXPECT_EQ(DfmRootClassName("\n  inherited frmB: TfrmB\nend"), "TfrmB");
    EXPECT_EQ(DfmRootClassName("Left = 1"), "");
}

TEST(FormDefinitions, EmbeddedFilesAreFoundByClassName) {
    const TFormDefinition* leaf = FindFormDefinition("tfrmleaf");
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf->fileName, "frmLeaf.dfm");
    EXPECT_EQ(leaf->className, "TfrmLeaf");
    EXPECT_THAT(leaf->text, HasSubstr("inherited frmLeaf: TfrmLeaf"));
    EXPECT_EQ(FindFormDefinition("TfrmNoSuch"), nullptr);
}

TEST(FormLoader, ThreeLevelChainIsAppliedBaseFirst) {
    auto form = MakeUnique<TfrmLeaf>();
    EXPECT_EQ(form->GetName(), "frmLeaf");
    EXPECT_EQ(form->GetCaption(), "Leaf");
    EXPECT_FALSE(form->GetVisible());
    EXPECT_TRUE(form->GetKeyPreview());
    EXPECT_EQ(form->GetPosition(), poScreenCenter);
    // Base settings stay unless a later file changes them.
    EXPECT_EQ(form->GetFont()->GetName(), "宋体");
    EXPECT_EQ(form->GetFont()->GetHeight(), -13);
    EXPECT_EQ(form->GetFont()->GetCharset(), GB2312_CHARSET);
    EXPECT_EQ(form->edName->GetText(), "middle");
    EXPECT_EQ(form->edName->GetMaxLength(), 10);
    EXPECT_EQ(form->edName->GetImeName(), "中文 (简体) - 微软拼音");
    EXPECT_EQ(form->btnOk->GetCaption(), "Run");
    EXPECT_TRUE(form->btnOk->GetDefault());
    // Components of every level, with their parents, fields and references.
    ASSERT_NE(form->edCode, nullptr);
    EXPECT_EQ(form->edCode->Parent(), form->pnlTop);
    EXPECT_EQ(form->edCode->Owner(), form.get());
    EXPECT_EQ(form->edOne->Parent(), form->tsOne);
    EXPECT_EQ(form->lblName->GetFocusControl(), form->edName);
    EXPECT_EQ(form->pgMain->PageCount(), 2);
    EXPECT_EQ(form->pgMain->GetActivePage(), form->tsOne);
    EXPECT_EQ(form->tsTwo->GetImageIndex(), 1);
    EXPECT_EQ(form->edName->GetFont()->GetName(), "宋体") << "children take the parent's font";
    EXPECT_EQ(form->pnlTop->GetWidth(), form->GetClientWidth()) << "aligned to the top";
    // Tab order from the definitions.
    ASSERT_EQ(form->TabList().size(), 4u);
    EXPECT_EQ(form->TabList()[0], form->btnOk);
    EXPECT_EQ(form->TabList()[1], form->pnlTop);
    EXPECT_EQ(form->TabList()[2], form->pgMain);
    EXPECT_EQ(form->TabList()[3], form->btnCancel);
    EXPECT_EQ(form->edCode->GetTabOrder(), 1);
    // OnCreate ran once, after loading; no change event while reading.
    EXPECT_THAT(form->log, ElementsAre("FormCreate frmLeaf loading=no"));
    for (int i = 0; i < form->ComponentCount(); ++i) {
        EXPECT_FALSE(form->Components(i)->IsLoading()) << form->Components(i)->GetName();
        EXPECT_FALSE(form->Components(i)->ComponentState().Contains(csReading));
    }
}

TEST(FormLoader, TheMostDerivedHandlerOfANameWins) {
    auto base = MakeUnique<TfrmBase>();
    base->btnOk->Click();
    EXPECT_EQ(base->log.back(), "base.btnOkClick btnOk");
    auto leaf = MakeUnique<TfrmLeaf>();
    leaf->btnOk->Click();
    EXPECT_EQ(leaf->log.back(), "middle.btnOkClick btnOk");
    TMethod m = GetEventByName(leaf->btnOk, "OnClick");
    EXPECT_EQ(m.Data, leaf.get());
    EXPECT_EQ(m.Code->owner, &TfrmMiddle::StaticClassInfo());
}

// A form whose definition each case registers.
class TfrmProbe : public TfrmBase {
    KVC_CLASS(TfrmProbe, TfrmBase)
};
KVC_REGISTER_CLASS(TfrmProbe) {}

// A component with a collection and a string list.
class TProbeColumn : public TCollectionItem {
    KVC_CLASS(TProbeColumn, TCollectionItem)
public:
    std::string caption;
    int width = 50;
    const std::string& GetCaption() const { return caption; }
    void SetCaption(const std::string& v) { caption = v; }
    int GetWidth() const { return width; }
    void SetWidth(int v) { width = v; }
};
KVC_REGISTER_CLASS(TProbeColumn) {
    c.Property("Caption", &TProbeColumn::GetCaption, &TProbeColumn::SetCaption);
    c.Property("Width", &TProbeColumn::GetWidth, &TProbeColumn::SetWidth);
}

class TProbeList : public TComponent {
    KVC_CLASS(TProbeList, TComponent)
public:
    TCollection columns{TProbeColumn::StaticClassInfo()};
    TStringList items;
    TCollection* GetColumns() const { return const_cast<TCollection*>(&columns); }
    TStringList* GetItems() const { return const_cast<TStringList*>(&items); }
    void SetItems(const TStringList& v) { items = v; }
};
KVC_REGISTER_CLASS(TProbeList) {
    c.Property("Columns", &TProbeList::GetColumns);
    c.Property("Items", &TProbeList::GetItems, &TProbeList::SetItems);
}

class FormLoaderProbe : public ::testing::Test {
protected:
    void SetUp() override { RegisterClass(TProbeList::StaticClassInfo()); }
    void TearDown() override {
        UnregisterFormDefinition("TfrmProbe");
        UnregisterClass(TProbeList::StaticClassInfo());
    }
    static void Define(const std::string& body) {
        RegisterFormDefinition("TfrmProbe", "frmProbe.dfm",
                               "inherited frmProbe: TfrmProbe\n" + body + "end\n");
    }
};

TEST_F(FormLoaderProbe, CollectionsStringListsAndLaterReferences) {
    Define("  object lblLater: TLabel\n"
           "    FocusControl = edLater\n"
           "  end\n"
           "  object lst: TProbeList\n"
           "    Columns = <\n"
           "      item\n"
           "        Caption = 'Data1'\n"
           "        Width = 60\n"
           "      end\n"
           "      item\n"
           "        Caption = 'Data2'\n"
           "      end>\n"
           "    Items.Strings = (\n"
           "      '按源工单'\n"
           "      '按订单')\n"
           "  end\n"
           "  object edLater: TEdit\n"
           "  end\n");
    auto form = MakeUnique<TfrmProbe>();
    auto* list = form->Find<TProbeList>("lst");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->columns.Count(), 2);
    EXPECT_EQ(list->columns.Item<TProbeColumn>(0)->caption, "Data1");
    EXPECT_EQ(list->columns.Item<TProbeColumn>(0)->width, 60);
    EXPECT_EQ(list->columns.Item<TProbeColumn>(1)->width, 50);
    ASSERT_EQ(list->items.Count(), 2);
    EXPECT_EQ(list->items[0], "按源工单");
    EXPECT_EQ(form->Find<TLabel>("lblLater")->GetFocusControl(), form->FindComponent("edLater"));
}

struct LoadErrorCase {
    const char* body;
    const char* message;
};

class FormLoaderErrors : public FormLoaderProbe,
                         public ::testing::WithParamInterface<LoadErrorCase> {};

TEST_P(FormLoaderErrors, NameFileLineAndProperty) {
    Define(GetParam().body);
    try {
        MakeUnique<TfrmProbe>();
        FAIL() << "no error for " << GetParam().body;
    } catch (const EFilerError& e) {
        EXPECT_THAT(e.Message(), HasSubstr(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, FormLoaderErrors,
    ::testing::Values(
        LoadErrorCase{"  object ed04: TEdit\n    Foo = 1\n  end\n",
                      "frmProbe.dfm:3: unknown property 'Foo' of TEdit 'ed04'"},
        LoadErrorCase{"  object x: TNoSuchClass\n  end\n",
                      "frmProbe.dfm:2: class 'TNoSuchClass' not found (component 'x')"},
        LoadErrorCase{"  object ed04: TEdit\n    Left = 'abc'\n  end\n",
                      "frmProbe.dfm:3: invalid value for property 'Left' of TEdit 'ed04': an "
                      "integer expected"},
        LoadErrorCase{"  object ed04: TEdit\n    CharCase = ecSideways\n  end\n",
                      "frmProbe.dfm:3: invalid value for property 'CharCase' of TEdit 'ed04'"},
        LoadErrorCase{"  object ed04: TEdit\n    Color = clNoSuch\n  end\n",
                      "frmProbe.dfm:3: invalid value for property 'Color'"},
        LoadErrorCase{"  object ed04: TEdit\n    Font.Nope = 1\n  end\n",
                      "frmProbe.dfm:3: unknown property 'Font.Nope' of TEdit 'ed04'"},
        LoadErrorCase{"  object ed04: TEdit\n    OnChange = NoSuchHandler\n  end\n",
                      "frmProbe.dfm:3: unknown method 'NoSuchHandler' for property 'OnChange' of "
                      "TEdit 'ed04'"},
        LoadErrorCase{"  object ed04: TEdit\n    OnChange = FormKeyPress\n  end\n",
                      "frmProbe.dfm:3: Method 'FormKeyPress' is a TKeyPressEvent handler, not a "
                      "TNotifyEvent handler"},
        LoadErrorCase{"  object lbl: TLabel\n    FocusControl = edMissing\n  end\n",
                      "frmProbe.dfm:3: unknown component 'edMissing'"},
        LoadErrorCase{"  object lbl: TLabel\n    FocusControl = lblName\n  end\n",
                      "frmProbe.dfm:3: component 'lblName' is a TLabel, not a TWinControl"},
        LoadErrorCase{"  inherited edGone: TEdit\n  end\n",
                      "frmProbe.dfm:2: inherited component 'edGone' not found"},
        LoadErrorCase{"  object edName: TEdit\n  end\n",
                      "frmProbe.dfm:2: A component named edName already exists"},
        LoadErrorCase{"  object ed04: TEdit\n    Left = 1\n", "frmProbe.dfm:5: 'end' expected"}));

TEST_F(FormLoaderProbe, AFailedBuildLeavesNoFormBehind) {
    Define("  object ed04: TEdit\n    Foo = 1\n  end\n");
    int forms = Screen().FormCount();
    EXPECT_THROW(MakeUnique<TfrmProbe>(), EReadError);
    EXPECT_THROW(Application().CreateForm<TfrmProbe>(), EReadError);
    EXPECT_EQ(Screen().FormCount(), forms);
}

} // namespace
} // namespace kvc::test

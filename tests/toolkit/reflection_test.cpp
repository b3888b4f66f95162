#include "test_forms.h"
#include "toolkit/properties.h"

#include <gtest/gtest.h>

namespace kvc::test {
namespace {

TEST(Reflection, ClassChainNamesAndInheritance) {
    auto form = MakeUnique<TfrmLeaf>();
    EXPECT_EQ(form->ClassName(), "TfrmLeaf");
    EXPECT_EQ(form->ClassParent(), &TfrmMiddle::StaticClassInfo());
    EXPECT_TRUE(form->InheritsFrom(TfrmBase::StaticClassInfo()));
    EXPECT_TRUE(form->Is<TForm>());
    EXPECT_TRUE(form->Is<TComponent>());
    EXPECT_FALSE(form->Is<TEdit>());
    EXPECT_EQ(As<TEdit>(form.get()), nullptr);
    EXPECT_EQ(As<TWinControl>(form->edName), form->edName);
}

struct KindCase {
    const char* className;
    const char* property;
    bool exists;
    TPropKind kind;
};

class PropertyKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(PropertyKinds, LookupWalksTheChainIgnoringCase) {
    const KindCase& c = GetParam();
    const TClassInfo* cls = FindClass(c.className);
    ASSERT_NE(cls, nullptr) << c.className;
    const TPropInfo* p = cls->FindProperty(c.property);
    ASSERT_EQ(p != nullptr, c.exists) << c.className << "." << c.property;
    if (p != nullptr) {
        EXPECT_EQ(p->kind, c.kind) << c.className << "." << c.property;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, PropertyKinds,
    ::testing::Values(KindCase{"TEdit", "text", true, TPropKind::String},
                      KindCase{"TEdit", "MAXLENGTH", true, TPropKind::Integer},
                      KindCase{"TEdit", "Color", true, TPropKind::Integer},
                      KindCase{"TEdit", "CharCase", true, TPropKind::Enumeration},
                      KindCase{"TEdit", "Anchors", true, TPropKind::Set},
                      KindCase{"TEdit", "ReadOnly", true, TPropKind::Boolean},
                      KindCase{"TEdit", "PasswordChar", true, TPropKind::Char},
                      KindCase{"TEdit", "Font", true, TPropKind::Object},
                      KindCase{"TEdit", "OnChange", true, TPropKind::Event},
                      KindCase{"TEdit", "Name", true, TPropKind::String},
                      KindCase{"TEdit", "Tag", true, TPropKind::Integer},
                      KindCase{"TEdit", "Caption", false, TPropKind::String},
                      KindCase{"TLabel", "FocusControl", true, TPropKind::Object},
                      KindCase{"TLabel", "Text", false, TPropKind::String},
                      KindCase{"TButton", "Color", false, TPropKind::Integer},
                      KindCase{"TButton", "ModalResult", true, TPropKind::Integer},
                      KindCase{"TPageControl", "ActivePage", true, TPropKind::Object},
                      KindCase{"TPageControl", "OnChanging", true, TPropKind::Event},
                      KindCase{"TForm", "KeyPreview", true, TPropKind::Boolean},
                      KindCase{"TForm", "BorderIcons", true, TPropKind::Set}));

TEST(Reflection, ObjectPropertiesKnowReferencesFromHeldObjects) {
    const TClassInfo* label = FindClass("TLabel");
    EXPECT_TRUE(label->FindProperty("FocusControl")->isReference);
    EXPECT_FALSE(label->FindProperty("Font")->isReference);
    EXPECT_EQ(label->FindProperty("Font")->ObjectClass(), &TFont::StaticClassInfo());
}

TEST(Events, BoundHandlersCompareByCodeAndData) {
    auto a = MakeUnique<TfrmBase>();
    auto b = MakeUnique<TfrmBase>();
    auto okA = TNotifyEvent::Bind<&TfrmBase::btnOkClick>(a.get());
    EXPECT_EQ(okA, TNotifyEvent::Bind<&TfrmBase::btnOkClick>(a.get()));
    EXPECT_NE(okA, TNotifyEvent::Bind<&TfrmBase::btnOkClick>(b.get()));
    EXPECT_NE(okA, TNotifyEvent::Bind<&TfrmBase::FormShow>(a.get()));
    EXPECT_EQ(okA.Method().Code->name, "btnOkClick");
}

TEST(Events, AHandlerSavedAsTwoIntegersIsRestoredAndCalledWithTheOriginalSender) {
    auto form = MakeUnique<TfrmMiddle>();
    // Saved by name, as two integers.
    TMethod saved = GetEventByName(form->btnOk, "OnClick");
    std::uintptr_t code = saved.CodeAddress();
    std::uintptr_t data = saved.DataAddress();
    ASSERT_NE(code, 0u);
    // Replaced by another handler, then restored from the integers.
    ASSERT_TRUE(
        SetEventByName(form->btnOk, "OnClick",
                       TNotifyEvent::Bind<&TfrmMiddle::btnCancelClick>(form.get()).Method()));
    form->btnOk->OnClick(form->btnOk);
    TMethod restored = TMethod::FromAddresses(code, data);
    EXPECT_EQ(restored, saved);
    TNotifyEvent original(restored);
    original(form->btnOk);
    EXPECT_EQ(form->log.back(), "middle.btnOkClick btnOk");
    EXPECT_EQ(form->log[form->log.size() - 2], "btnCancelClick btnOk");
}

TEST(Events, BadCodeAddressesAndWrongSignaturesAreRefused) {
    auto form = MakeUnique<TfrmBase>();
    int local = 0;
    EXPECT_THROW(TMethod::FromAddresses(reinterpret_cast<std::uintptr_t>(&local), 0),
                 EInvalidOperation);
    EXPECT_EQ(TMethod::FromAddresses(0, 1234), TMethod{});
    TMethod keyPress = TKeyPressEvent::Bind<&TfrmBase::FormKeyPress>(form.get()).Method();
    EXPECT_THROW(TNotifyEvent{keyPress}, EInvalidOperation);
    TMethod before = GetEventByName(form->edName, "OnChange");
    EXPECT_FALSE(SetEventByName(form->edName, "OnChange", keyPress));
    EXPECT_EQ(GetEventByName(form->edName, "OnChange"), before);
}

TEST(PropertiesByName, MissingThingsAreNeverAnError) {
    auto form = MakeUnique<TfrmBase>();
    for (const char* name : {"", "NoSuch", "Font.NoSuch", "Text.Length"}) {
        EXPECT_FALSE(HasPublishedProperty(form->edName, name)) << name;
        EXPECT_EQ(GetStrPropertyByName(form->edName, name), "") << name;
        EXPECT_EQ(GetOrdPropertyByName(form->edName, name), 0) << name;
        EXPECT_FALSE(SetStrPropertyByName(form->edName, name, "x")) << name;
        EXPECT_FALSE(SetOrdPropertyByName(form->edName, name, 1)) << name;
        EXPECT_FALSE(GetEventByName(form->edName, name).Assigned()) << name;
        EXPECT_FALSE(SetEventByName(form->edName, name, {})) << name;
    }
    EXPECT_FALSE(HasPublishedProperty(nullptr, "Text"));
    EXPECT_EQ(GetStrPropertyByName(nullptr, "Text"), "");
    EXPECT_FALSE(SetStrPropertyByName(nullptr, "Text", "x"));
    EXPECT_EQ(GetEventByName(nullptr, "OnClick"), TMethod{});
}

TEST(PropertiesByName, ReadAndWriteByKind) {
    auto form = MakeUnique<TfrmBase>();
    TEdit* ed = form->edName;
    EXPECT_EQ(GetStrPropertyByName(ed, "text"), "it's");
    EXPECT_TRUE(SetStrPropertyByName(ed, "Text", "新的"));
    EXPECT_EQ(ed->GetText(), "新的");
    EXPECT_EQ(GetStrPropertyByName(ed, "Font.Name"), "宋体");
    EXPECT_EQ(GetOrdPropertyByName(ed, "Font.Charset"), 134);
    EXPECT_EQ(GetOrdPropertyByName(ed, "Color"), std::int64_t(clWindow));
    EXPECT_EQ(GetOrdPropertyByName(ed, "MaxLength"), 10);
    EXPECT_TRUE(SetOrdPropertyByName(ed, "CharCase", ecUpperCase));
    EXPECT_EQ(ed->GetCharCase(), ecUpperCase);
    EXPECT_TRUE(SetOrdPropertyByName(ed, "PasswordChar", '*'));
    EXPECT_EQ(GetStrPropertyByName(ed, "PasswordChar"), "*");
    EXPECT_TRUE(SetOrdPropertyByName(form->btnOk, "Font.Style", TFontStyles{fsBold}.Bits()));
    EXPECT_TRUE(form->btnOk->GetFont()->GetStyle().Contains(fsBold));
}

TEST(PropertiesByName, WritesOfTheWrongKindChangeNothing) {
    auto form = MakeUnique<TfrmBase>();
    TEdit* ed = form->edName;
    EXPECT_FALSE(SetStrPropertyByName(ed, "MaxLength", "5"));
    EXPECT_EQ(ed->GetMaxLength(), 10);
    EXPECT_FALSE(SetOrdPropertyByName(ed, "Text", 5));
    EXPECT_EQ(ed->GetText(), "it's");
    EXPECT_FALSE(SetOrdPropertyByName(ed, "CharCase", 7));
    EXPECT_EQ(ed->GetCharCase(), ecNormal);
    EXPECT_FALSE(SetOrdPropertyByName(ed, "ReadOnly", 2));
    EXPECT_FALSE(ed->GetReadOnly());
    EXPECT_FALSE(SetStrPropertyByName(ed, "PasswordChar", "ab"));
    EXPECT_EQ(GetStrPropertyByName(ed, "MaxLength"), "");
    EXPECT_EQ(GetOrdPropertyByName(ed, "Text"), 0);
}

struct PathCase {
    const char* path;
    Variant value;
    const char* readBack; // through GetStrPropertyByName, or the ordinal as text
};

class PropertyPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(PropertyPaths, SetPropertyPathConvertsNamesAndTexts) {
    const PathCase& c = GetParam();
    auto form = MakeUnique<TfrmBase>();
    SetPropertyPath(form->edName, c.path, c.value);
    TPropertyRef ref = FindPropertyPath(form->edName, c.path);
    ASSERT_TRUE(ref);
    std::string got = ref.prop->kind == TPropKind::String
                          ? GetStrPropertyByName(form->edName, c.path)
                          : std::to_string(GetOrdPropertyByName(form->edName, c.path));
    EXPECT_EQ(got, c.readBack) << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, PropertyPaths,
    ::testing::Values(PathCase{"Font.Name", Variant("Tahoma"), "Tahoma"},
                      PathCase{"Font.Charset", Variant("GB2312_CHARSET"), "134"},
                      PathCase{"Font.Charset", Variant("CHINESEBIG5_CHARSET"), "136"},
                      PathCase{"Font.Charset", Variant(0), "0"},
                      PathCase{"Color", Variant("clWindow"), "-2147483643"},
                      PathCase{"Color", Variant("$00AFFFFF"), "11534335"},
                      PathCase{"Color", Variant(0xAFFFFF), "11534335"},
                      PathCase{"CharCase", Variant(" ecUpperCase "), "1"},
                      PathCase{"Anchors", Variant("[akLeft, akRight]"), "5"},
                      PathCase{"Font.Style", Variant("fsBold"), "1"},
                      PathCase{"MaxLength", Variant("12"), "12"},
                      PathCase{"ReadOnly", Variant(true), "1"},
                      PathCase{"Text", Variant(42), "42"}));

TEST(PropertyPaths, FailuresRaiseOrAnswerFalseAndChangeNothing) {
    auto form = MakeUnique<TfrmBase>();
    TEdit* ed = form->edName;
    EXPECT_THROW(SetPropertyPath(ed, "Font.NoSuch", Variant(1)), EPropertyError);
    EXPECT_THROW(SetPropertyPath(ed, "Color", Variant("clNoSuchColour")), EPropertyError);
    EXPECT_EQ(ed->GetColor(), clWindow);
    EXPECT_FALSE(TrySetPropertyPath(ed, "CharCase", Variant("ecSideways")));
    EXPECT_EQ(ed->GetCharCase(), ecNormal);
    EXPECT_FALSE(TrySetPropertyPath(ed, "MaxLength", Variant("many")));
    EXPECT_EQ(ed->GetMaxLength(), 10);
    EXPECT_FALSE(TrySetPropertyPath(ed, "Font", Variant("Tahoma")));
    EXPECT_FALSE(TrySetPropertyPath(nullptr, "Text", Variant("x")));
    EXPECT_TRUE(TrySetPropertyPath(ed, "Font.Height", Variant(-12)));
    EXPECT_EQ(ed->GetFont()->GetHeight(), -12);
}

TEST(PropertyPaths, GetObjectPropertyAnswersHeldAndReferencedObjects) {
    auto form = MakeUnique<TfrmBase>();
    EXPECT_EQ(GetObjectProperty(form->edName, "Font"), form->edName->GetFont());
    EXPECT_EQ(GetObjectProperty(form->lblName, "FocusControl"), form->edName);
    EXPECT_EQ(GetObjectProperty(form->edName, "Text"), nullptr);
    EXPECT_EQ(GetObjectProperty(form->edName, "NoSuch"), nullptr);
    EXPECT_EQ(GetObjectProperty(nullptr, "Font"), nullptr);
}

} // namespace
} // namespace kvc::test

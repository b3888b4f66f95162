// TKvSpinEdit: a sign only leads the number; a blank field raises no change.
#include "controls/kv_spin_edit.h"
#include "toolkit/class_builder.h"
#include "toolkit/toolkit_fixture.h"

#include <gmock/gmock.h>

namespace kvc::controls {
namespace {

using ::testing::ElementsAreArray;

class TfrmSpinHost : public TForm {
    KVC_CLASS(TfrmSpinHost, TForm)
public:
    TKvSpinEdit* seDays = nullptr;
    std::vector<std::string> changes;
    void DaysChange(TObject*) { changes.push_back(seDays->GetText()); }
};

} // namespace

KVC_REGISTER_CLASS(TfrmSpinHost) {
    KVC_METHOD(DaysChange);
}

namespace {

class KvSpinEditTest : public test::ToolkitTest {
protected:
    void SetUp() override {
        form = NewForm<TfrmSpinHost>();
        form->seDays = Create<TKvSpinEdit>(form);
        form->seDays->SetParent(form);
        form->Show();
        robot.Focus(*form->seDays);
        form->seDays->SetText("");
        form->seDays->OnChange = TNotifyEvent::Bind<&TfrmSpinHost::DaysChange>(form);
    }
    TKvSpinEdit& Spin() { return *form->seDays; }
    TfrmSpinHost* form = nullptr;
};

struct TypedCase {
    const char* typed;
    const char* text;
    std::vector<std::string> changes; // the texts OnChange saw
};

TEST_F(KvSpinEditTest, TypedSignsOnlyLeadTheNumber) {
    const TypedCase cases[] = {
        {"12+", "12", {"1", "12", "12"}}, {"-5", "-5", {"-", "-5"}}, {"+7", "+7", {"+", "+7"}},
        {"1-2", "12", {"1", "1", "12"}},  {"--", "-", {"-", "-"}},   {"30", "30", {"3", "30"}},
    };
    for (const TypedCase& c : cases) {
        Spin().SetText("");
        form->changes.clear();
        robot.Type(c.typed);
        EXPECT_EQ(Spin().GetText(), c.text) << c.typed;
        EXPECT_THAT(form->changes, ElementsAreArray(c.changes)) << c.typed;
    }
}

TEST_F(KvSpinEditTest, TextSetByCodeLosesItsEndUpToTheInnerSign) {
    const TypedCase cases[] = {
        {"3-45", "3", {"3"}},
        {"-3+", "-3", {"-3"}},
        {"-12", "-12", {"-12"}},
        {"7", "7", {"7"}},
    };
    for (const TypedCase& c : cases) {
        Spin().SetText("0");
        form->changes.clear();
        Spin().SetText(c.typed);
        EXPECT_EQ(Spin().GetText(), c.text) << c.typed;
        EXPECT_THAT(form->changes, ElementsAreArray(c.changes)) << c.typed;
    }
}

TEST_F(KvSpinEditTest, AnEmptiedFieldRaisesNoChange) {
    Spin().SetText("5");
    form->changes.clear();
    Spin().SelectAll();
    robot.Press(VK_BACK);
    EXPECT_EQ(Spin().GetText(), "");
    Spin().SetText("  ");
    EXPECT_TRUE(form->changes.empty());
    Spin().SetText("4");
    EXPECT_THAT(form->changes, ElementsAreArray({"4"}));
}

} // namespace
} // namespace kvc::controls

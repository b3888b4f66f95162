#include "test_forms.h"
#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/screen.h"
#include "toolkit/testing/robot.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kvc::test {
namespace {

using ::testing::ElementsAre;

// A component that reports its destruction steps.
class TProbe : public TComponent {
    KVC_CLASS(TProbe, TComponent)
public:
    std::vector<std::string>* events = nullptr;
    ~TProbe() override {
        if (events != nullptr) {
            events->push_back("destroyed " + GetName());
        }
    }

protected:
    void BeforeDestruction() override {
        if (events != nullptr) {
            events->push_back("destroying " + GetName() +
                              " owner=" + (Owner() != nullptr ? Owner()->GetName() : "none"));
        }
        TComponent::BeforeDestruction();
    }
};

KVC_REGISTER_CLASS(TProbe) {}

TProbe* MakeProbe(TComponent* owner, const std::string& name, std::vector<std::string>& events) {
    auto* probe = Create<TProbe>(owner);
    probe->SetName(name);
    probe->events = &events;
    return probe;
}

TEST(Component, OwnerDestroysLastCreatedFirstAfterItsOnDestroy) {
    std::vector<std::string> events;
    {
        auto form = MakeUnique<TfrmBase>();
        form->destroyLog = &events;
        int designed = form->ComponentCount();
        MakeProbe(form.get(), "a", events);
        MakeProbe(form.get(), "b", events);
        MakeProbe(form.get(), "c", events);
        EXPECT_EQ(form->ComponentCount(), designed + 3);
        EXPECT_EQ(form->Components(designed + 1)->GetName(), "b");
    }
    ASSERT_GE(events.size(), 7u);
    EXPECT_EQ(events[0].rfind("FormDestroy components=", 0), 0u);
    EXPECT_THAT(std::vector<std::string>(events.begin() + 1, events.begin() + 7),
                ElementsAre("destroying c owner=none", "destroyed c", "destroying b owner=none",
                            "destroyed b", "destroying a owner=none", "destroyed a"));
}

TEST(Component, FreeRemovesFromOwnerAndClearsPublishedField) {
    auto form = MakeUnique<TfrmBase>();
    ASSERT_NE(form->edName, nullptr);
    int count = form->ComponentCount();
    form->edName->Free();
    EXPECT_EQ(form->edName, nullptr);
    EXPECT_EQ(form->FindComponent("edName"), nullptr);
    EXPECT_EQ(form->ComponentCount(), count - 1);
    EXPECT_EQ(form->pnlTop->ControlCount(), 1); // only the label is left
}

TEST(Component, FreeNotificationNullsAReferenceAcrossOwners) {
    auto holder = MakeUnique<TComponent>();
    auto form = MakeUnique<TForm>();
    auto* label = Create<TLabel>(holder.get());
    auto* edit = Create<TEdit>(form.get());
    label->SetFocusControl(edit);
    ASSERT_EQ(label->GetFocusControl(), edit);
    edit->Free();
    EXPECT_EQ(label->GetFocusControl(), nullptr);
}

TEST(Component, FreeNotificationGoesBothWaysAndCanBeRemoved) {
    std::vector<std::string> events;
    auto owner = MakeUnique<TComponent>();
    auto* label = Create<TLabel>(owner.get());
    auto* edit = Create<TEdit>(owner.get());
    label->SetFocusControl(edit);
    label->SetFocusControl(nullptr);
    edit->Free(); // no notice goes to the label any more, nothing dangles
    label->Free();
    EXPECT_EQ(owner->ComponentCount(), 0);
}

TEST(Component, NamesAreUniquePerOwnerIgnoringCase) {
    auto owner = MakeUnique<TComponent>();
    auto* a = Create<TComponent>(owner.get());
    a->SetName("edName");
    EXPECT_EQ(owner->FindComponent("EDNAME"), a);
    EXPECT_EQ(owner->FindComponent(""), nullptr);
    auto* b = Create<TComponent>(owner.get());
    EXPECT_THROW(b->SetName("EdName"), EComponentError);
    EXPECT_EQ(b->GetName(), "");
    EXPECT_THROW(b->SetName("9lives"), EComponentError);
    EXPECT_THROW(b->SetName("has space"), EComponentError);
    b->SetName("_ok9");
    EXPECT_EQ(b->GetName(), "_ok9");
}

TEST(Component, UnownedComponentsBelongToTheirHolder) {
    auto form = MakeUnique<TForm>();
    EXPECT_THROW(form->Free(), EInvalidOperation);
    EXPECT_THROW(Create<TEdit>(nullptr), EComponentError);
    TWeakRef<TForm> ref(form.get());
    EXPECT_EQ(ref.Get(), form.get());
    form.reset();
    EXPECT_EQ(ref.Get(), nullptr);
}

TEST(Component, VirtualConstructionByClassName) {
    const TClassInfo* cls = FindClass("tedit");
    ASSERT_NE(cls, nullptr);
    auto owner = MakeUnique<TForm>();
    TComponent* c = CreateComponent(*cls, owner.get());
    EXPECT_EQ(c->ClassName(), "TEdit");
    EXPECT_EQ(c->Owner(), owner.get());
    EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
    EXPECT_THROW(CreateComponent(TFont::StaticClassInfo(), owner.get()), EComponentError);
}

TEST(Component, FormFreedFromItsButtonsClickDoesNotCrash) {
    std::vector<std::string> events;
    auto* form = Application().CreateForm<TfrmBase>();
    form->destroyLog = &events;
    form->btnOk->OnClick = TNotifyEvent::Bind<&TfrmBase::FreeFormClick>(form);
    form->Show();
    TWeakRef<TfrmBase> ref(form);
    TRobot robot;
    robot.Click(*form->btnOk);
    EXPECT_EQ(ref.Get(), nullptr);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(Screen().ActiveForm(), nullptr);
}

TEST(Component, FormFreedFromAnEditsExitHandlerDoesNotCrash) {
    auto* form = Application().CreateForm<TfrmMiddle>();
    TWeakRef<TfrmMiddle> ref(form);
    form->Show();
    form->edName->SetFocus();
    form->onNameExit = [form] { form->Free(); };
    form->edCode->SetFocus();
    EXPECT_EQ(ref.Get(), nullptr);
    Application().ProcessMessages();
}

} // namespace
} // namespace kvc::test

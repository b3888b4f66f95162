// The parts of the windowed backend that need no display: the keyboard
// mapping, which control a point hits, the choice of backend, and how the
// loops wait for a backend's input.
#include "runtime/exceptions.h"
#include "toolkit/application.h"
#include "toolkit/backend/backend_select.h"
#include "toolkit/backend/hit_test.h"
#include "toolkit/backend/sdl_keys.h"
#include "toolkit/dialogs.h"
#include "toolkit/paint/render.h"
#include "toolkit/screen.h"
#include "toolkit/testing/sample_forms.h"

#include <SDL.h>
#include <functional>
#include <gtest/gtest.h>

namespace kvc {
namespace {

TEST(SdlKeysTest, KeysMapToVirtualKeyCodes) {
    struct Case {
        SDL_Keycode sdl;
        Word vk;
    };
    const Case cases[] = {
        {SDLK_a, 'A'},
        {SDLK_z, 'Z'},
        {SDLK_0, '0'},
        {SDLK_9, '9'},
        {SDLK_F1, VK_F1},
        {SDLK_F2, VK_F2},
        {SDLK_F12, 123},
        {SDLK_RETURN, VK_RETURN},
        {SDLK_KP_ENTER, VK_RETURN},
        {SDLK_ESCAPE, VK_ESCAPE},
        {SDLK_TAB, VK_TAB},
        {SDLK_BACKSPACE, VK_BACK},
        {SDLK_DELETE, VK_DELETE},
        {SDLK_LEFT, VK_LEFT},
        {SDLK_PAGEDOWN, VK_NEXT},
        {SDLK_LSHIFT, VK_SHIFT},
        {SDLK_RCTRL, VK_CONTROL},
        {SDLK_KP_5, 0x65},
        {SDLK_MENU, 0},
        {SDLK_UNKNOWN, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyFromSdl(c.sdl), c.vk) << SDL_GetKeyName(c.sdl);
    }
}

TEST(SdlKeysTest, ModifiersAndButtonsMapToShiftStates) {
    EXPECT_EQ(ShiftStateFromSdl(KMOD_NONE), TShiftState{});
    EXPECT_EQ(ShiftStateFromSdl(KMOD_LSHIFT), TShiftState{ssShift});
    EXPECT_EQ(ShiftStateFromSdl(KMOD_RCTRL | KMOD_LALT), (TShiftState{ssCtrl, ssAlt}));
    EXPECT_EQ(ShiftStateFromSdl(KMOD_NUM, SDL_BUTTON_LMASK | SDL_BUTTON_MMASK),
              (TShiftState{ssLeft, ssMiddle}));
}

class HitTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = MakeUnique<TfrmPaintSample>();
        form->Show();
    }
    void TearDown() override {
        form.reset();
        Application().ProcessMessages();
    }
    // A point of a control (its coordinates) in the form's window.
    TPoint WindowPoint(const TControl& control, int x, int y) const {
        for (const TControl* c = &control; c->Parent() != nullptr; c = c->Parent()) {
            x += c->GetLeft();
            y += c->GetTop();
        }
        TPoint origin = ClientOrigin(*form);
        return {x + origin.X, y + origin.Y};
    }
    TOwned<TfrmPaintSample> form;
};

TEST_F(HitTest, PointsFindTheControlOnTopWithItsOwnCoordinates) {
    struct Case {
        TControl* control;
        TPoint at;
    };
    const Case cases[] = {
        {form->btnOk, {3, 4}},       {form->btnCancel, {74, 24}},  {form->edWorkOrder, {10, 5}},
        {form->edDate, {1, 1}},      {form->lblWorkOrder, {2, 2}}, {form->pnlTop, {300, 20}},
        {form->tsBasic, {200, 120}},
    };
    for (const Case& c : cases) {
        THit hit = ControlAtPoint(*form, WindowPoint(*c.control, c.at.X, c.at.Y));
        EXPECT_EQ(hit.control, c.control) << c.control->GetName();
        EXPECT_EQ(hit.local, c.at) << c.control->GetName();
    }
}

TEST_F(HitTest, TheCaptionBarAndTheGapsBelongToTheForm) {
    EXPECT_EQ(ControlAtPoint(*form, {10, 5}).control, form.get());
    THit gap = ControlAtPoint(*form, WindowPoint(*form->btnOk, -3, 5));
    EXPECT_EQ(gap.control, form.get());
}

TEST_F(HitTest, AHiddenControlIsNotHit) {
    TPoint p = WindowPoint(*form->btnOk, 5, 5);
    form->btnOk->SetVisible(false);
    EXPECT_EQ(ControlAtPoint(*form, p).control, form.get());
}

TEST(BackendSelectTest, HeadlessIsNoBackendAndUnknownNamesAreRefused) {
    EXPECT_EQ(MakeBackend(""), nullptr);
    EXPECT_EQ(MakeBackend("headless"), nullptr);
    EXPECT_THROW(MakeBackend("gtk"), EInvalidOperation);
}

// A backend whose "input" is a list of actions, one per wait.
class TScriptedBackend final : public TWindowBackend {
public:
    std::vector<std::function<void()>> inputs;
    int waits = 0;
    bool WaitForInput(int timeoutMs) override {
        EXPECT_GT(timeoutMs, 0);
        if (std::size_t(waits) >= inputs.size()) {
            return false;
        }
        inputs[std::size_t(waits++)]();
        return true;
    }
};

TEST(WindowBackendTest, AModalFormWaitsForTheBackendsInput) {
    TScriptedBackend backend;
    TScopedBackend scope(backend);
    auto form = MakeUnique<TfrmPaintSample>();
    backend.inputs = {[] {}, [&] { form->SetModalResult(mrOk); }};
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(backend.waits, 2);
    EXPECT_FALSE(Application().ModalLog().back().endedIdle);
    Application().ClearModalLog();
}

TEST(WindowBackendTest, AModalFormEndsIdleWhenTheBackendHasNoWindowLeft) {
    TScriptedBackend backend;
    TScopedBackend scope(backend);
    auto form = MakeUnique<TfrmPaintSample>();
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_TRUE(Application().ModalLog().back().endedIdle);
    Application().ClearModalLog();
}

TEST(WindowBackendTest, AMessageDialogWaitsForTheUserUnlessAnAnswerIsQueued) {
    TScriptedBackend backend;
    TScopedBackend scope(backend);
    backend.inputs = {[] {
        auto* dialog = As<TMessageForm>(Screen().ActiveForm());
        ASSERT_NE(dialog, nullptr);
        dialog->SetModalResult(mrYes);
    }};
    EXPECT_EQ(MessageDlg("继续？", mtConfirmation, {mbYes, mbNo}), mrYes);
    EXPECT_EQ(backend.waits, 1);

    Application().DialogResponder().QueueAnswer(mrNo);
    EXPECT_EQ(MessageDlg("继续？", mtConfirmation, {mbYes, mbNo}), mrNo);
    EXPECT_EQ(backend.waits, 1);
    Application().ClearModalLog();
    Application().DialogResponder().ClearLog();
}

TEST(WindowBackendTest, TheMainLoopWaitsForInputUntilTerminated) {
    TScriptedBackend backend;
    TScopedBackend scope(backend);
    backend.inputs = {[] {}, [] { Application().Terminate(); }, [] { ADD_FAILURE(); }};
    Application().Run();
    EXPECT_EQ(backend.waits, 2);
    EXPECT_EQ(Application().Backend(), &backend);
}

} // namespace
} // namespace kvc

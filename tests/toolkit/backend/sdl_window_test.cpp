// A real window on an X display: the sample form through the SDL backend,
// a click on its OK button from outside the process (xdotool, through the
// display's XTest extension), and a screenshot of the window.
#include "runtime/exceptions.h"
#include "toolkit/application.h"
#include "toolkit/backend/sdl_backend.h"
#include "toolkit/paint/render.h"
#include "toolkit/testing/sample_forms.h"

#include <SDL.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace kvc {
namespace {

using namespace std::chrono_literals;

} // namespace
} // namespace kvc

// The display libraries keep caches for the life of the process (the
// connection's, the input method's bus); those allocations are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libX\nleak:libxcb\nleak:libxkbcommon\nleak:libSDL2\nleak:libdbus-1\n";
}

namespace kvc {
namespace {

// A program started beside the test, waited for when the object goes.
class TChildProcess {
public:
    explicit TChildProcess(std::vector<std::string> args) {
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        if (posix_spawnp(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
    }
    ~TChildProcess() { Wait(); }
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // The exit status; -1 when it did not start or did not exit normally.
    int Wait() {
        if (pid_ > 0) {
            int status = 0;
            if (waitpid(pid_, &status, 0) == pid_) {
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            pid_ = -1;
        }
        return status_;
    }

private:
    pid_t pid_ = -1;
    int status_ = -1;
};

class SdlWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') {
            GTEST_SKIP() << "No X display: DISPLAY is not set (scripts/test starts Xvfb where "
                            "it is installed)";
        }
        // SDL unloads the display libraries when its video stops, and then
        // the leak checker cannot tell their caches from ours: keep them
        // loaded until the program ends.
        static const bool kLibrariesKept = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        (void)kLibrariesKept;
        try {
            backend = std::make_unique<TSdlBackend>();
        } catch (const EInvalidOperation& e) {
            GTEST_SKIP() << "No X display at '" << display << "': " << e.what();
        }
        scope = std::make_unique<TScopedBackend>(*backend);
    }
    void TearDown() override {
        form.reset();
        Application().ProcessMessages();
        if (backend) {
            backend->Sync();
        }
        scope.reset();
        backend.reset();
    }

    // The centre of a control on the screen.
    TPoint ScreenCentre(const TControl& control) const {
        int x = control.GetWidth() / 2;
        int y = control.GetHeight() / 2;
        for (const TControl* c = &control; c->Parent() != nullptr; c = c->Parent()) {
            x += c->GetLeft();
            y += c->GetTop();
        }
        TPoint origin = ClientOrigin(*form);
        TPoint window = backend->WindowPosition(*form).value();
        return {window.X + origin.X + x, window.Y + origin.Y + y};
    }

    std::unique_ptr<TSdlBackend> backend;
    std::unique_ptr<TScopedBackend> scope;
    TOwned<TfrmPaintSample> form;
};

TEST_F(SdlWindowTest, AClickAndTypingFromOutsideReachTheControls) {
    form = MakeUnique<TfrmPaintSample>();
    form->SetBounds(40, 30, form->GetWidth(), form->GetHeight());
    form->Show();
    ASSERT_TRUE(backend->RunUntil([&] { return backend->IsExposed(*form); }, 5s))
        << "the display never showed the window";

    TPoint target = ScreenCentre(*form->btnOk);
    TChildProcess click({"xdotool", "mousemove", "--sync", std::to_string(target.X),
                         std::to_string(target.Y), "click", "1"});
    ASSERT_TRUE(click.Started()) << "xdotool could not start";
    EXPECT_TRUE(backend->RunUntil([&] { return form->okClicks > 0; }, 5s))
        << "no click reached the OK button at " << target.X << "," << target.Y;
    EXPECT_EQ(click.Wait(), 0);
    EXPECT_EQ(form->okClicks, 1);
    EXPECT_TRUE(form->btnOk->Focused());

    // What the window shows is the form as it is painted now.
    backend->Sync();
    std::unique_ptr<TBitmap> shot = backend->Screenshot(*form);
    std::unique_ptr<TBitmap> painted = RenderToBitmap(*form);
    ASSERT_EQ(shot->GetWidth(), form->GetWidth());
    ASSERT_EQ(shot->GetHeight(), form->GetHeight());
    int differing = 0;
    for (int y = 0; y < shot->GetHeight(); ++y) {
        for (int x = 0; x < shot->GetWidth(); ++x) {
            differing += (shot->Pixel(x, y) & 0xFFFFFF) != (painted->Pixel(x, y) & 0xFFFFFF);
        }
    }
    EXPECT_EQ(differing, 0);
    TPoint face = ClientOrigin(*form);
    EXPECT_EQ(shot->Pixel(face.X + 2, face.Y + 45) & 0xFFFFFF,
              std::uint32_t(ColorToRGB(clBtnFace)));

    std::string path = ::testing::TempDir() + "sdl_window.png";
    shot->SaveToFile(path);
    TBitmap loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.GetWidth(), shot->GetWidth());
    EXPECT_EQ(loaded.Pixel(40, 40) & 0xFFFFFF, shot->Pixel(40, 40) & 0xFFFFFF);

    // Keys and text go to the window under the pointer (no window manager).
    form->edDate->SetFocus();
    form->edDate->SelectAll();

    // The pointer over the window gives it the keyboard (no window manager).
    TPoint over = ScreenCentre(*form->lblNote);
    TChildProcess typing({"xdotool", "mousemove", "--sync", std::to_string(over.X),
                          std::to_string(over.Y), "type", "--delay", "1", "aB1 "});
    ASSERT_TRUE(typing.Started()) << "xdotool could not start";
    EXPECT_TRUE(backend->RunUntil([&] { return form->edDate->GetText() == "aB1 "; }, 5s))
        << "the edit holds '" << form->edDate->GetText() << "'";
    EXPECT_EQ(typing.Wait(), 0);

    TChildProcess erase({"xdotool", "key", "BackSpace"});
    EXPECT_TRUE(backend->RunUntil([&] { return form->edDate->GetText() == "aB1"; }, 5s))
        << "the edit holds '" << form->edDate->GetText() << "'";
    EXPECT_EQ(erase.Wait(), 0);

    // What an input method commits comes as text alone, Chinese included.
    SDL_Event commit{};
    commit.type = SDL_TEXTINPUT;
    std::snprintf(commit.text.text, sizeof commit.text.text, "%s", "工单");
    ASSERT_EQ(SDL_PushEvent(&commit), 1) << SDL_GetError();
    EXPECT_TRUE(backend->RunUntil([&] { return form->edDate->GetText() == "aB1工单"; }, 5s))
        << "the edit holds '" << form->edDate->GetText() << "'";

    // A hidden form has no window; one window at a time keeps the keyboard
    // focus (which a new window takes) with this test's window above.
    form->Hide();
    backend->Sync();
    EXPECT_FALSE(backend->WindowPosition(*form).has_value());
    EXPECT_THROW(backend->Screenshot(*form), EInvalidOperation);
}

} // namespace
} // namespace kvc

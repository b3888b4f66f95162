// TSdlBackend: real windows through SDL2. Every shown top-level form is a
// window of its size and caption showing the form as the painters draw it
// (frame and caption bar included); mouse, wheel, keys and text input go to
// the controls as the robot delivers them; closing a window asks its form to
// close. Modal forms and message dialogs get windows of their own while the
// modal loop waits here for input.
#pragma once

#include "toolkit/component.h"
#include "toolkit/event.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/messages.h"
#include "toolkit/window_backend.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct SDL_Window;
union SDL_Event;

namespace kvc {

class TCustomForm;
class TControl;

class TSdlBackend final : public TWindowBackend {
public:
    // Starts SDL's video; without a display raises EInvalidOperation with
    // SDL's reason.
    TSdlBackend();
    ~TSdlBackend() override;

    bool WaitForInput(int timeoutMs) override;

    // Windows made for the shown forms, closed for the hidden or freed ones,
    // changed areas painted.
    void Sync();
    // Delivers input until done answers true or the time is up; answers done().
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

    // The screen position of the form's window (its top-left pixel); none
    // when the form has no window.
    std::optional<TPoint> WindowPosition(const TCustomForm& form) const;
    // Whether the display has shown the form's window.
    bool IsExposed(const TCustomForm& form) const;
    // What the form's window shows now, read back from its surface; raises
    // EInvalidOperation when the form has no window.
    std::unique_ptr<TBitmap> Screenshot(const TCustomForm& form) const;

private:
    struct Window;

    Window* Find(const TCustomForm& form) const;
    Window* FindById(unsigned id) const;
    void Paint(Window& window, bool whole);
    void Dispatch(const SDL_Event& event);
    void DispatchWindowEvent(const SDL_Event& event);
    void DispatchMouseButton(const SDL_Event& event);
    void DispatchMouseMotion(const SDL_Event& event);
    void DispatchWheel(const SDL_Event& event);
    void DispatchKey(const SDL_Event& event);
    void DispatchText(const SDL_Event& event);
    void DeliverKey(unsigned msg, Word key, TShiftState shift);
    void FlushPendingKey();

    std::vector<std::unique_ptr<Window>> windows_;
    TWeakRef<TControl> pressed_; // the control the held button went down on
    struct PendingKey {
        Word key;
        TShiftState shift;
    };
    // A key that types a character, held until its text input arrives.
    std::optional<PendingKey> pendingKey_;
};

} // namespace kvc

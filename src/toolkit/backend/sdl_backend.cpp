#include "toolkit/backend/sdl_backend.h"

#include "runtime/exceptions.h"
#include "runtime/utf8.h"
#include "toolkit/application.h"
#include "toolkit/backend/hit_test.h"
#include "toolkit/backend/sdl_keys.h"
#include "toolkit/form.h"
#include "toolkit/paint/render.h"
#include "toolkit/screen.h"
#include "toolkit/win_control.h"

#include <SDL.h>
#include <algorithm>
#include <string>
#include <utility>

namespace kvc {

namespace {

// TBitmap keeps $00BBGGRR in each 32-bit pixel: red in the lowest byte.
constexpr std::uint32_t kBitmapFormat = SDL_PIXELFORMAT_XBGR8888;

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using TSurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

[[noreturn]] void RaiseSdlError(const std::string& what) {
    throw EInvalidOperation(what + ": " + SDL_GetError());
}

// Without a display SDL falls back to drivers whose windows nobody sees; a
// form shown there would wait for a user who can never answer it. Those
// drivers serve only who asked for them by name.
bool ShowsNothing(const char* driver) {
    const std::string name = driver != nullptr ? driver : "";
    return name == "offscreen" || name == "dummy" || name == "evdev";
}

// A user cannot reach the forms below a modal form.
bool Reachable(const TCustomForm& form) {
    TCustomForm* modal = Screen().ModalForm();
    return modal == nullptr || modal == &form;
}

// Keys go to the active form's focused control, or to the form.
TWinControl* KeyTarget() {
    TCustomForm* form = Screen().ActiveForm();
    if (form == nullptr) {
        return nullptr;
    }
    TWinControl* focused = form->FocusedControl();
    return focused != nullptr ? focused : form;
}

TMouseButton MouseButtonFromSdl(std::uint8_t button) {
    switch (button) {
    case SDL_BUTTON_RIGHT:
        return mbRight;
    case SDL_BUTTON_MIDDLE:
        return mbMiddle;
    default:
        return mbLeft;
    }
}

// Holds the shift state for the input being delivered.
class TShiftScope {
public:
    explicit TShiftScope(TShiftState shift) { Application().SetShiftState(shift); }
    ~TShiftScope() { Application().SetShiftState({}); }
    TShiftScope(const TShiftScope&) = delete;
    TShiftScope& operator=(const TShiftScope&) = delete;
};

} // namespace

struct TSdlBackend::Window {
    TWeakRef<TCustomForm> form;
    SDL_Window* window = nullptr;
    std::string caption;
    bool exposed = false;
    TBitmap picture;

    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window() {
        if (window != nullptr) {
            SDL_DestroyWindow(window);
        }
    }
};

TSdlBackend::TSdlBackend() {
    // The process keeps its own handling of Ctrl-C and termination.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A click that activates a window is a click too, as the classic system
    // has it (SDL drops one that comes right after the focus otherwise).
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        RaiseSdlError("The SDL video backend could not start");
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (ShowsNothing(driver) && SDL_getenv("SDL_VIDEODRIVER") == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw EInvalidOperation(std::string("The SDL video backend could not start: no display "
                                            "(only the \"") +
                                driver + "\" driver, which shows no window)");
    }
    SDL_StartTextInput();
}

TSdlBackend::~TSdlBackend() {
    windows_.clear();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TSdlBackend::Window* TSdlBackend::Find(const TCustomForm& form) const {
    for (const auto& w : windows_) {
        if (w->form.Get() == &form) {
            return w.get();
        }
    }
    return nullptr;
}

TSdlBackend::Window* TSdlBackend::FindById(unsigned id) const {
    for (const auto& w : windows_) {
        if (SDL_GetWindowID(w->window) == id) {
            return w.get();
        }
    }
    return nullptr;
}

void TSdlBackend::Sync() {
    // Windows of forms that were freed or hidden go first.
    std::erase_if(windows_, [](const std::unique_ptr<Window>& w) {
        TCustomForm* form = w->form.Get();
        return form == nullptr || !form->GetVisible();
    });
    for (int i = 0; i < Screen().FormCount(); ++i) {
        TCustomForm* form = Screen().Forms(i);
        if (form == nullptr || !form->GetVisible() || Find(*form) != nullptr) {
            continue;
        }
        auto w = std::make_unique<Window>();
        w->form.Reset(form);
        w->caption = form->GetCaption();
        w->window = SDL_CreateWindow(w->caption.c_str(), form->GetLeft(), form->GetTop(),
                                     std::max(1, form->GetWidth()), std::max(1, form->GetHeight()),
                                     SDL_WINDOW_SHOWN);
        if (w->window == nullptr) {
            RaiseSdlError("Cannot open a window for '" + form->GetName() + "'");
        }
        form->TakeUpdateRect();
        Paint(*w, true);
        windows_.push_back(std::move(w));
    }
    for (const auto& w : windows_) {
        TCustomForm& form = *w->form.Get();
        if (form.GetCaption() != w->caption) {
            w->caption = form.GetCaption();
            SDL_SetWindowTitle(w->window, w->caption.c_str());
        }
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(w->window, &width, &height);
        if (width != form.GetWidth() || height != form.GetHeight()) {
            SDL_SetWindowSize(w->window, std::max(1, form.GetWidth()),
                              std::max(1, form.GetHeight()));
            form.TakeUpdateRect();
            Paint(*w, true);
        } else if (form.NeedsRepaint()) {
            Paint(*w, false);
        }
    }
}

void TSdlBackend::Paint(Window& w, bool whole) {
    TCustomForm& form = *w.form.Get();
    TRect area = whole ? TRect{0, 0, form.GetWidth(), form.GetHeight()} : form.TakeUpdateRect();
    if (whole || w.picture.GetWidth() != form.GetWidth() ||
        w.picture.GetHeight() != form.GetHeight()) {
        RenderInto(form, w.picture);
        area = {0, 0, form.GetWidth(), form.GetHeight()};
    } else {
        RenderInto(form, w.picture, &area);
    }
    SDL_Surface* target = SDL_GetWindowSurface(w.window);
    if (target == nullptr) {
        RaiseSdlError("Cannot draw into the window of '" + form.GetName() + "'");
    }
    TSurfacePtr source(SDL_CreateRGBSurfaceWithFormatFrom(
        w.picture.ScanLine(0), w.picture.GetWidth(), w.picture.GetHeight(), 32,
        w.picture.GetWidth() * 4, kBitmapFormat));
    if (!source) {
        RaiseSdlError("Cannot wrap the picture of '" + form.GetName() + "'");
    }
    SDL_Rect rect{area.Left, area.Top, area.Right - area.Left, area.Bottom - area.Top};
    SDL_Rect to = rect;
    if (SDL_BlitSurface(source.get(), &rect, target, &to) != 0 ||
        SDL_UpdateWindowSurfaceRects(w.window, &rect, 1) != 0) {
        RaiseSdlError("Cannot show the picture of '" + form.GetName() + "'");
    }
}

bool TSdlBackend::WaitForInput(int timeoutMs) {
    Sync();
    if (windows_.empty()) {
        return false;
    }
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, timeoutMs) != 0) {
        Dispatch(event);
        while (SDL_PollEvent(&event) != 0) {
            Dispatch(event);
        }
        FlushPendingKey();
    }
    Application().ProcessMessages();
    Sync();
    return !windows_.empty();
}

bool TSdlBackend::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    Sync();
    while (!done()) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return done();
        }
        WaitForInput(int(std::min<std::chrono::milliseconds::rep>(left.count(), 50)));
    }
    return true;
}

std::optional<TPoint> TSdlBackend::WindowPosition(const TCustomForm& form) const {
    Window* w = Find(form);
    if (w == nullptr) {
        return std::nullopt;
    }
    TPoint p;
    SDL_GetWindowPosition(w->window, &p.X, &p.Y);
    return p;
}

bool TSdlBackend::IsExposed(const TCustomForm& form) const {
    Window* w = Find(form);
    return w != nullptr && w->exposed;
}

std::unique_ptr<TBitmap> TSdlBackend::Screenshot(const TCustomForm& form) const {
    Window* w = Find(form);
    if (w == nullptr) {
        throw EInvalidOperation("The form '" + form.GetName() + "' has no window");
    }
    SDL_Surface* surface = SDL_GetWindowSurface(w->window);
    if (surface == nullptr) {
        RaiseSdlError("Cannot read the window of '" + form.GetName() + "'");
    }
    TSurfacePtr copy(SDL_ConvertSurfaceFormat(surface, kBitmapFormat, 0));
    if (!copy) {
        RaiseSdlError("Cannot read the window of '" + form.GetName() + "'");
    }
    auto bitmap = std::make_unique<TBitmap>(copy->w, copy->h);
    bitmap->SetPixelFormat(pf24bit);
    if (SDL_LockSurface(copy.get()) != 0) {
        RaiseSdlError("Cannot read the window of '" + form.GetName() + "'");
    }
    for (int y = 0; y < copy->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const std::uint8_t*>(copy->pixels) + std::ptrdiff_t(y) * copy->pitch);
        std::uint32_t* out = bitmap->ScanLine(y);
        for (int x = 0; x < copy->w; ++x) {
            out[x] = row[x] & 0xFFFFFFu;
        }
    }
    SDL_UnlockSurface(copy.get());
    return bitmap;
}

void TSdlBackend::Dispatch(const SDL_Event& event) {
    if (event.type != SDL_TEXTINPUT && event.type != SDL_TEXTEDITING) {
        FlushPendingKey();
    }
    switch (event.type) {
    case SDL_WINDOWEVENT:
        DispatchWindowEvent(event);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        DispatchMouseButton(event);
        break;
    case SDL_MOUSEMOTION:
        DispatchMouseMotion(event);
        break;
    case SDL_MOUSEWHEEL:
        DispatchWheel(event);
        break;
    case SDL_TEXTEDITING:
        break; // an input method's composition shows nothing here yet
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        DispatchKey(event);
        break;
    case SDL_TEXTINPUT:
        DispatchText(event);
        break;
    default:
        // SDL_QUIT among others: each window's own close request is what counts.
        break;
    }
    Application().ProcessMessages();
}

void TSdlBackend::DispatchWindowEvent(const SDL_Event& event) {
    Window* w = FindById(event.window.windowID);
    if (w == nullptr || w->form.Get() == nullptr) {
        return;
    }
    TCustomForm& form = *w->form.Get();
    switch (event.window.event) {
    case SDL_WINDOWEVENT_SHOWN:
        // Mapped: the display routes input to it from now on.
        w->exposed = true;
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        w->exposed = true;
        Paint(*w, false);
        // The display lost what the window showed.
        SDL_UpdateWindowSurface(w->window);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        if (Reachable(form)) {
            Application().PostMessage(form.Handle(), WM_CLOSE);
        }
        break;
    default:
        break;
    }
}

void TSdlBackend::DispatchMouseButton(const SDL_Event& event) {
    Window* w = FindById(event.button.windowID);
    if (w == nullptr || w->form.Get() == nullptr) {
        return;
    }
    TCustomForm& form = *w->form.Get();
    TMouseButton button = MouseButtonFromSdl(event.button.button);
    TShiftState shift = ShiftStateFromSdl(SDL_GetModState(), SDL_GetMouseState(nullptr, nullptr));
    if (event.button.clicks >= 2) {
        shift.Include(ssDouble);
    }
    if (event.type == SDL_MOUSEBUTTONDOWN) {
        if (!Reachable(form)) {
            return;
        }
        THit hit = ControlAtPoint(form, {event.button.x, event.button.y});
        if (hit.control == nullptr || !hit.control->IsEnabledInParents()) {
            return;
        }
        TDestroyGuard formGuard(form);
        if (!form.IsActive()) {
            form.SetFocusToForm();
        }
        if (!formGuard.Alive()) {
            return;
        }
        pressed_.Reset(hit.control);
        hit.control->MouseDown(button, shift, hit.local.X, hit.local.Y);
        return;
    }
    // The release goes where the press went, as with a captured mouse; away
    // from that control it completes no click.
    TControl* pressed = pressed_.Get();
    pressed_.Reset();
    THit hit = ControlAtPoint(form, {event.button.x, event.button.y});
    if (pressed != nullptr && pressed == hit.control) {
        pressed->MouseUp(button, shift, hit.local.X, hit.local.Y);
    }
}

void TSdlBackend::DispatchMouseMotion(const SDL_Event& event) {
    Window* w = FindById(event.motion.windowID);
    if (w == nullptr || w->form.Get() == nullptr || !Reachable(*w->form.Get())) {
        return;
    }
    THit hit = ControlAtPoint(*w->form.Get(), {event.motion.x, event.motion.y});
    if (hit.control != nullptr) {
        hit.control->OnMouseMove(hit.control,
                                 ShiftStateFromSdl(SDL_GetModState(), event.motion.state),
                                 hit.local.X, hit.local.Y);
    }
}

void TSdlBackend::DispatchWheel(const SDL_Event& event) {
    Window* w = FindById(event.wheel.windowID);
    if (w == nullptr || w->form.Get() == nullptr || !Reachable(*w->form.Get())) {
        return;
    }
    int x = 0;
    int y = 0;
    std::uint32_t buttons = SDL_GetMouseState(&x, &y);
    THit hit = ControlAtPoint(*w->form.Get(), {x, y});
    if (hit.control == nullptr) {
        return;
    }
    int turn = event.wheel.y;
    if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
        turn = -turn;
    }
    auto keys = WPARAM((buttons & SDL_BUTTON_LMASK) != 0 ? 1 : 0) |
                WPARAM((buttons & SDL_BUTTON_RMASK) != 0 ? 2 : 0) |
                WPARAM((SDL_GetModState() & KMOD_SHIFT) != 0 ? 4 : 0) |
                WPARAM((SDL_GetModState() & KMOD_CTRL) != 0 ? 8 : 0);
    WPARAM wParam = (WPARAM(std::uint16_t(std::int16_t(turn * WHEEL_DELTA))) << 16) | keys;
    int wx = 0;
    int wy = 0;
    SDL_GetWindowPosition(w->window, &wx, &wy);
    hit.control->Perform(WM_MOUSEWHEEL, wParam, MakeLParam(wx + x, wy + y));
}

void TSdlBackend::DispatchKey(const SDL_Event& event) {
    Word key = VirtualKeyFromSdl(event.key.keysym.sym);
    if (key == 0) {
        return;
    }
    TShiftState shift = ShiftStateFromSdl(event.key.keysym.mod);
    if (event.type == SDL_KEYDOWN && CharFromKey(key, shift) >= 32) {
        // The toolkit types the character of a key itself, by the US layout;
        // the text input that follows says what the keyboard really typed.
        pendingKey_ = PendingKey{key, shift};
        return;
    }
    DeliverKey(event.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, key, shift);
}

void TSdlBackend::DeliverKey(unsigned msg, Word key, TShiftState shift) {
    TWinControl* target = KeyTarget();
    if (target == nullptr) {
        return;
    }
    TShiftScope scope(shift);
    target->Perform(msg, key);
}

void TSdlBackend::FlushPendingKey() {
    if (auto pending = std::exchange(pendingKey_, std::nullopt)) {
        DeliverKey(WM_KEYDOWN, pending->key, pending->shift);
    }
}

void TSdlBackend::DispatchText(const SDL_Event& event) {
    std::string_view text(event.text.text);
    std::size_t pos = 0;
    if (auto pending = std::exchange(pendingKey_, std::nullopt)) {
        std::size_t first = 0;
        char32_t ch = NextCodePoint(text, first);
        TShiftState other = pending->shift;
        if (other.Contains(ssShift)) {
            other.Exclude(ssShift);
        } else {
            other.Include(ssShift);
        }
        // The key goes in with the shift state that types the text's
        // character; a character the key cannot type comes as text alone.
        if (CharFromKey(pending->key, pending->shift) == ch) {
            DeliverKey(WM_KEYDOWN, pending->key, pending->shift);
            pos = first;
        } else if (CharFromKey(pending->key, other) == ch) {
            DeliverKey(WM_KEYDOWN, pending->key, other);
            pos = first;
        }
    }
    while (pos < text.size()) {
        char32_t ch = NextCodePoint(text, pos);
        if (TWinControl* target = KeyTarget()) {
            target->Perform(WM_CHAR, WPARAM(ch));
        }
    }
}

} // namespace kvc

// TApplication: the process-wide application object (`Application()`): the
// posted-message queue, the window handles, the main and modal loops, the
// modal hook of the headless backend, hint settings, and the dialog responder.
#pragma once

#include "toolkit/component.h"
#include "toolkit/form.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kvc {

class TScreen;
class TDialogResponder;
class TWindowBackend;

// One modal run: which form, how it ended, and whether it ended only because
// nothing was left to do (no hook acted, no message was waiting).
struct TModalRecord {
    std::string className;
    std::string name;
    std::string caption;
    TModalResult result = mrNone;
    bool endedIdle = false;
};

class TApplication : public TComponent {
    KVC_CLASS(TApplication, TComponent)
public:
    TApplication();
    ~TApplication() override;

    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    int GetHintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int ms) { hintHidePause_ = ms; }
    int GetHintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms; }
    TColor GetHintColor() const { return hintColor_; }
    void SetHintColor(TColor color) { hintColor_ = color; }
    bool GetShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    TFont* GetHintFont() const { return hintFont_.get(); }

    TCustomForm* MainForm() const { return mainForm_.Get(); }
    // Creates a form owned by the application; the first one becomes the main form.
    template <class T> T* CreateForm() {
        T* form = Create<T>(this);
        if (mainForm_.Get() == nullptr) {
            mainForm_.Reset(form);
        }
        return form;
    }

    // Queues a message for a window; false when no window has that handle.
    bool PostMessage(HWND window, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Runs a message at once; 0 when no window has that handle.
    LRESULT SendMessage(HWND window, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
    bool HasPostedMessages() const { return !queue_.empty(); }
    // Runs the posted messages, including those posted meanwhile, until none
    // is left. A message for a window destroyed meanwhile is dropped.
    void ProcessMessages();
    // The main loop: runs messages until Terminate, or until nothing is left
    // to do (headless, nothing else can happen).
    void Run();
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }

    HWND AllocateHandle(TWinControl* control);
    void ReleaseHandle(HWND handle);
    TWinControl* FindControl(HWND handle) const;

    // The headless backend calls the hook once for every modal form (other
    // than a message dialog, which the dialog responder answers) after it is
    // shown; tests and scripts act on the form there.
    using ModalHook = std::function<void(TCustomForm&)>;
    ModalHook SetModalHook(ModalHook hook);
    void RunModalHook(TCustomForm& form);
    const std::vector<TModalRecord>& ModalLog() const { return modalLog_; }
    void RecordModal(TModalRecord record) { modalLog_.push_back(std::move(record)); }
    void ClearModalLog() { modalLog_.clear(); }

    TDialogResponder& DialogResponder() { return *responder_; }
    TScreen& Screen() { return *screen_; }

    // The backend with real windows, or none (headless). The loops wait for
    // its input instead of ending when nothing is left to do; message dialogs
    // wait for the user unless an answer is queued.
    TWindowBackend* Backend() const { return backend_; }
    TWindowBackend* SetBackend(TWindowBackend* backend);

    // The shift keys held by the input being delivered.
    TShiftState ShiftState() const { return shiftState_; }
    void SetShiftState(TShiftState state) { shiftState_ = state; }

protected:
    void BeforeDestruction() override;

private:
    struct Posted {
        HWND window;
        TMessage message;
    };

    std::string title_;
    int hintHidePause_ = 2500;
    int hintPause_ = 500;
    TColor hintColor_ = clInfoBk;
    bool showHint_ = true;
    std::unique_ptr<TFont> hintFont_;
    TWeakRef<TCustomForm> mainForm_;
    std::deque<Posted> queue_;
    bool terminated_ = false;
    std::map<HWND, TWinControl*> handles_;
    HWND nextHandle_ = 0x10000;
    ModalHook modalHook_;
    std::vector<TModalRecord> modalLog_;
    std::unique_ptr<TDialogResponder> responder_;
    TOwned<TScreen> screen_;
    TShiftState shiftState_;
    TWindowBackend* backend_ = nullptr;
};

// The application object of the process, made on first use. It lives until
// the process ends and is not destroyed then: forms still owned at that point
// may belong to classes whose records are already gone.
TApplication& Application();

// Installs a modal hook for the life of the object.
class TScopedModalHook {
public:
    explicit TScopedModalHook(TApplication::ModalHook hook)
        : previous_(Application().SetModalHook(std::move(hook))) {}
    ~TScopedModalHook() { Application().SetModalHook(std::move(previous_)); }
    TScopedModalHook(const TScopedModalHook&) = delete;
    TScopedModalHook& operator=(const TScopedModalHook&) = delete;

private:
    TApplication::ModalHook previous_;
};

// Installs a backend for the life of the object.
class TScopedBackend {
public:
    explicit TScopedBackend(TWindowBackend& backend)
        : previous_(Application().SetBackend(&backend)) {}
    ~TScopedBackend() { Application().SetBackend(previous_); }
    TScopedBackend(const TScopedBackend&) = delete;
    TScopedBackend& operator=(const TScopedBackend&) = delete;

private:
    TWindowBackend* previous_;
};

inline bool PostMessage(HWND window, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return Application().PostMessage(window, msg, wParam, lParam);
}
inline LRESULT SendMessage(HWND window, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return Application().SendMessage(window, msg, wParam, lParam);
}

} // namespace kvc

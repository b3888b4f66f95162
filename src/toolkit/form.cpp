#include "toolkit/form.h"

#include "toolkit/application.h"
#include "toolkit/class_builder.h"
#include "toolkit/form_loader.h"
#include "toolkit/screen.h"
#include "toolkit/window_backend.h"

namespace kvc {

namespace {

constexpr const char* kCannotFocus = "Cannot focus a disabled or invisible window";

bool Contains(const TControl* outer, const TControl* inner) {
    for (const TControl* c = inner; c != nullptr; c = c->Parent()) {
        if (c == outer) {
            return true;
        }
    }
    return false;
}

// Clears a flag however the scope is left.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

} // namespace

KVC_REGISTER_CLASS(TCustomForm) {}

TCustomForm::TCustomForm() {
    TControl::SetVisible(false);
    SetBounds(0, 0, 320, 240);
    Screen().AddForm(this);
}

void TCustomForm::AfterConstruction() {
    formState_.Include(fsCreating);
    ReadFormDefinitions(*this);
    formState_.Exclude(fsCreating);
    TDestroyGuard guard(*this);
    DoCreate();
    // A definition that makes the form visible shows it once it is created.
    if (guard.Alive() && GetVisible() && !active_) {
        TControl::SetVisible(false);
        Show();
    }
}

void TCustomForm::DoCreate() {
    OnCreate(this);
}

void TCustomForm::DoShow() {
    OnShow(this);
}

void TCustomForm::DoHide() {
    OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
    OnClose(this, action);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

int TCustomForm::FrameWidth() const {
    switch (borderStyle_) {
    case bsNone:
        return 0;
    case bsSizeable:
    case bsSizeToolWin:
        return 4;
    default:
        return 3;
    }
}

int TCustomForm::CaptionHeight() const {
    switch (borderStyle_) {
    case bsNone:
        return 0;
    case bsToolWindow:
    case bsSizeToolWin:
        return 16;
    default:
        return 19;
    }
}

TRect TCustomForm::ClientRect() const {
    return {0, 0, GetWidth() - 2 * FrameWidth(), GetHeight() - 2 * FrameWidth() - CaptionHeight()};
}

void TCustomForm::SetClientWidth(int width) {
    SetWidth(width + 2 * FrameWidth());
}

void TCustomForm::SetClientHeight(int height) {
    SetHeight(height + 2 * FrameWidth() + CaptionHeight());
}

bool TCustomForm::CanFocus() const {
    return GetVisible() && GetEnabled();
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control != nullptr && (control == this || control->GetParentForm() != this ||
                               (!IsLoading() && !control->CanFocus()))) {
        throw EInvalidOperation(kCannotFocus);
    }
    activeControl_ = control;
    if (!IsLoading() && active_ && control != focused_) {
        SetFocusedControl(control);
    }
}

void TCustomForm::FocusControl(TWinControl* control) {
    bool wasActive = active_;
    SetActiveControl(control);
    if (!wasActive) {
        SetFocusToForm();
    }
}

void TCustomForm::SetFocusToForm() {
    if (active_) {
        return;
    }
    if (!GetVisible() || !GetEnabled()) {
        throw EInvalidOperation(kCannotFocus);
    }
    Screen().FormShown(this);
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
    unsigned generation = ++focusGeneration_;
    activeControl_ = control;
    TDestroyGuard guard(*this);
    auto moved = [&] { return !guard.Alive() || generation != focusGeneration_; };
    Perform(CM_FOCUSCHANGED, 0, LPARAM(control));
    if (moved()) {
        return;
    }
    // Exit notices from the old control up to (not including) the first
    // container of the new one.
    while (focused_ != nullptr && !focused_->ContainsControl(control)) {
        TWinControl* leaving = focused_;
        focused_ = leaving->Parent() == this ? nullptr : leaving->Parent();
        // Focus shows (focus rectangle, selection), so both ends repaint.
        leaving->Invalidate();
        leaving->DoExit();
        if (moved()) {
            return;
        }
    }
    // Enter notices from below the common container down to the new control.
    while (control != nullptr && focused_ != control) {
        TWinControl* next = control;
        TWinControl* base = focused_;
        while (next->Parent() != nullptr && next->Parent() != base && next->Parent() != this) {
            next = next->Parent();
        }
        focused_ = next;
        next->Invalidate();
        next->DoEnter();
        if (moved()) {
            return;
        }
    }
}

void TCustomForm::FocusInitialControl() {
    if (focused_ != nullptr || !active_) {
        return;
    }
    TWinControl* target = activeControl_;
    if (target == nullptr || !target->CanFocus()) {
        target = FindNextControl(nullptr, true, true, false);
    }
    if (target != nullptr) {
        SetFocusedControl(target);
    }
}

void TCustomForm::DefocusControl(TControl* control, bool removing) {
    if (control == nullptr) {
        return;
    }
    if (removing && focused_ != nullptr && Contains(control, focused_)) {
        TWinControl* parent = control->Parent();
        focused_ = (parent == nullptr || parent == this) ? nullptr : parent;
    }
    if (activeControl_ != nullptr && Contains(control, activeControl_)) {
        // The focus goes to the form itself, with the exit notices of the
        // controls it leaves.
        if (active_ && !IsDestroying() && !IsLoading()) {
            SetFocusedControl(nullptr);
        } else {
            activeControl_ = nullptr;
        }
    }
}

void TCustomForm::Activate() {
    if (active_) {
        return;
    }
    active_ = true;
    Invalidate(); // the caption bar shows whether the form is active
    formState_.Include(fsActivated);
    TDestroyGuard guard(*this);
    OnActivate(this);
    if (!guard.Alive() || !active_ || formState_.Contains(fsShowing)) {
        return;
    }
    if (activeControl_ != nullptr && activeControl_ != focused_) {
        SetFocusedControl(activeControl_);
    } else {
        FocusInitialControl();
    }
}

void TCustomForm::Deactivate() {
    if (!active_) {
        return;
    }
    active_ = false;
    Invalidate();
    OnDeactivate(this);
}

void TCustomForm::PlaceOnScreen() {
    const TControl* center = nullptr;
    switch (position_) {
    case poMainFormCenter:
        center = Application().MainForm();
        break;
    case poOwnerFormCenter:
        center = As<TCustomForm>(Owner());
        break;
    case poScreenCenter:
    case poDesktopCenter:
        break;
    default:
        return;
    }
    if (center == this) {
        center = nullptr;
    }
    TRect area =
        center != nullptr ? center->BoundsRect() : TRect{0, 0, Screen().Width(), Screen().Height()};
    SetBounds(area.Left + (area.Width() - GetWidth()) / 2,
              area.Top + (area.Height() - GetHeight()) / 2, GetWidth(), GetHeight());
}

void TCustomForm::SetVisible(bool visible) {
    if (IsLoading()) {
        TControl::SetVisible(visible);
        return;
    }
    if (visible == GetVisible()) {
        if (visible) {
            Screen().FormShown(this);
        }
        return;
    }
    TDestroyGuard guard(*this);
    if (visible) {
        TControl::SetVisible(true);
        PlaceOnScreen();
        {
            formState_.Include(fsShowing);
            Screen().FormShown(this);
            if (guard.Alive()) {
                DoShow();
            }
            if (guard.Alive() && GetVisible()) {
                ShowingChanged(true);
            }
            if (!guard.Alive()) {
                return;
            }
            formState_.Exclude(fsShowing);
        }
        if (GetVisible() && active_) {
            FocusInitialControl();
        }
    } else {
        DoHide();
        if (!guard.Alive()) {
            return;
        }
        TControl::SetVisible(false);
        ShowingChanged(false);
        if (!guard.Alive()) {
            return;
        }
        Screen().FormHidden(this);
    }
}

void TCustomForm::Close() {
    if (IsModal()) {
        modalResult_ = mrCancel;
        return;
    }
    TDestroyGuard guard(*this);
    if (!CloseQuery() || !guard.Alive()) {
        return;
    }
    TCloseAction action = caHide;
    DoClose(action);
    if (!guard.Alive() || action == caNone) {
        return;
    }
    if (Application().MainForm() == this) {
        Application().Terminate();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        windowState_ = wsMinimized;
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

void TCustomForm::Release() {
    if (!releasePosted_) {
        releasePosted_ = true;
        Application().PostMessage(Handle(), CM_RELEASE);
    }
}

bool TCustomForm::CloseModal(bool forced, TCloseAction& action) {
    TDestroyGuard guard(*this);
    bool canClose = CloseQuery();
    if (!guard.Alive()) {
        return true;
    }
    if (!canClose && !forced) {
        modalResult_ = mrNone;
        return false;
    }
    action = caHide;
    DoClose(action);
    if (!guard.Alive()) {
        return true;
    }
    if (action == caNone && !forced) {
        modalResult_ = mrNone;
        return false;
    }
    return true;
}

TModalResult TCustomForm::ShowModal() {
    if (GetVisible() || !GetEnabled() || IsModal()) {
        throw EInvalidOperation("Cannot make a visible window modal");
    }
    TApplication& app = Application();
    TDestroyGuard guard(*this);
    formState_.Include(fsModal);
    modalResult_ = mrNone;
    TModalRecord record{std::string(ClassName()), GetName(), GetCaption(), mrNone, false};
    Show();
    bool hookRan = false;
    bool idle = false;
    TCloseAction action = caHide;
    while (guard.Alive()) {
        app.ProcessMessages();
        if (!guard.Alive()) {
            break;
        }
        if (modalResult_ == mrNone && !hookRan && GetVisible()) {
            hookRan = true;
            app.RunModalHook(*this);
            continue;
        }
        if (modalResult_ == mrNone) {
            if (app.HasPostedMessages()) {
                continue;
            }
            if (app.Backend() != nullptr && app.Backend()->WaitForInput(kBackendWaitMs)) {
                continue;
            }
            // Nothing is left that could end the loop: end it as the user's
            // Esc would, so that no run hangs.
            modalResult_ = mrCancel;
            idle = true;
        }
        if (CloseModal(idle, action)) {
            break;
        }
    }
    if (!guard.Alive()) {
        record.result = mrCancel;
        app.RecordModal(record);
        return mrCancel;
    }
    TModalResult result = modalResult_;
    Hide();
    formState_.Exclude(fsModal);
    record.caption = GetCaption();
    record.result = result;
    record.endedIdle = idle;
    app.RecordModal(record);
    if (action == caFree) {
        Release();
    }
    return result;
}

void TCustomForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case CM_RELEASE:
        // An unowned form belongs to its holder, who destroys it; the posted
        // release only hides it.
        if (Owner() != nullptr) {
            Free();
        } else {
            releasePosted_ = false;
            Hide();
        }
        return;
    case WM_NEXTDLGCTL:
        if (message.LParam != 0) {
            if (TWinControl* c = Application().FindControl(HWND(message.WParam))) {
                FocusControl(c);
            }
        } else {
            SelectNext(activeControl_, message.WParam == 0, true);
        }
        return;
    default:
        TWinControl::WndProc(message);
    }
}

bool TCustomForm::DialogKey(Word key, TShiftState shift) {
    switch (key) {
    case VK_TAB:
        if (!shift.Contains(ssCtrl)) {
            SelectNext(activeControl_, !shift.Contains(ssShift), true);
            return true;
        }
        return false;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (activeControl_ != nullptr && activeControl_->Parent() != nullptr) {
            activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN,
                                                 false);
            return true;
        }
        return false;
    default:
        return TWinControl::DialogKey(key, shift);
    }
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component != nullptr) {
        if (auto* control = As<TControl>(component); control != nullptr && !IsDestroying()) {
            DefocusControl(control, true);
        }
        if (component == activeControl_) {
            activeControl_ = nullptr;
        }
        if (component == focused_) {
            focused_ = nullptr;
        }
    }
}

void TCustomForm::BeforeDestruction() {
    OnDestroy(this);
    if (GetVisible()) {
        TControl::SetVisible(false);
        Screen().FormHidden(this);
    }
    Screen().RemoveForm(this);
    activeControl_ = nullptr;
    focused_ = nullptr;
    TWinControl::BeforeDestruction();
}

KVC_REGISTER_CLASS(TForm) {
    c.Property("ActiveControl", &TForm::GetActiveControl, &TForm::SetActiveControl);
    c.Property("Align", &TForm::GetAlign, &TForm::SetAlign);
    c.Property("BorderIcons", &TForm::GetBorderIcons, &TForm::SetBorderIcons);
    c.Property("BorderStyle", &TForm::GetBorderStyle, &TForm::SetBorderStyle);
    c.Property("Caption", &TForm::GetCaption, &TForm::SetCaption);
    c.Property("ClientHeight", &TForm::GetClientHeight, &TForm::SetClientHeight);
    c.Property("ClientWidth", &TForm::GetClientWidth, &TForm::SetClientWidth);
    c.Property("Color", &TForm::GetColor, &TForm::SetColor);
    c.Property("Enabled", &TForm::GetEnabled, &TForm::SetEnabled);
    c.Property("Font", &TForm::GetFont, &TForm::SetFont);
    c.Property("FormStyle", &TForm::GetFormStyle, &TForm::SetFormStyle);
    c.Property("KeyPreview", &TForm::GetKeyPreview, &TForm::SetKeyPreview);
    c.Property("OldCreateOrder", &TForm::GetOldCreateOrder, &TForm::SetOldCreateOrder);
    c.Property("ParentFont", &TForm::GetParentFont, &TForm::SetParentFont);
    c.Property("PixelsPerInch", &TForm::GetPixelsPerInch, &TForm::SetPixelsPerInch);
    c.Property("Position", &TForm::GetPosition, &TForm::SetPosition);
    c.Property("Scaled", &TForm::GetScaled, &TForm::SetScaled);
    c.Property("ShowHint", &TForm::GetShowHint, &TForm::SetShowHint);
    c.Property("TextHeight", &TForm::GetTextHeight, &TForm::SetTextHeight);
    c.Property("Visible", &TForm::GetVisible, &TForm::SetVisible);
    c.Property("WindowState", &TForm::GetWindowState, &TForm::SetWindowState);
    c.Event("OnActivate", &TForm::OnActivate);
    c.Event("OnClick", &TForm::OnClick);
    c.Event("OnClose", &TForm::OnClose);
    c.Event("OnCloseQuery", &TForm::OnCloseQuery);
    c.Event("OnCreate", &TForm::OnCreate);
    c.Event("OnDeactivate", &TForm::OnDeactivate);
    c.Event("OnDestroy", &TForm::OnDestroy);
    c.Event("OnHide", &TForm::OnHide);
    c.Event("OnKeyDown", &TForm::OnKeyDown);
    c.Event("OnKeyPress", &TForm::OnKeyPress);
    c.Event("OnKeyUp", &TForm::OnKeyUp);
    c.Event("OnResize", &TForm::OnResize);
    c.Event("OnShow", &TForm::OnShow);
}

} // namespace kvc

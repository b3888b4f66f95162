// TCustomForm and TForm: top-level windows built from their class chain's
// definitions, with show/hide/close, modal runs, the active control and the
// order of the focus notices.
#pragma once

#include "toolkit/win_control.h"

namespace kvc {

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

KVC_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized);
KVC_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp);
using TBorderIcons = TSet<TBorderIcon>;
KVC_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin);
KVC_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
         poDesktopCenter, poMainFormCenter, poOwnerFormCenter);
KVC_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);
enum TFormStateElement : int { fsCreating, fsVisible, fsShowing, fsModal, fsActivated };
using TFormState = TSet<TFormStateElement>;

class TCustomForm : public TWinControl {
    KVC_CLASS(TCustomForm, TWinControl)
public:
    TCustomForm();

    // Reads the definitions of the class chain (base first), runs Loaded and
    // then OnCreate.
    void AfterConstruction() override;

    TWinControl* GetActiveControl() const { return activeControl_; }
    // On a form that is not active only records the control; a control that
    // cannot take the focus raises EInvalidOperation.
    void SetActiveControl(TWinControl* control);
    // Makes the control the active one and, when the form is not active, the
    // form active (a hidden form raises EInvalidOperation).
    void FocusControl(TWinControl* control);
    // The control that holds the form's focus (null: the form itself).
    TWinControl* FocusedControl() const { return focused_; }
    // Gives up the focus of a control that is hidden, disabled or removed.
    void DefocusControl(TControl* control, bool removing);
    bool IsActive() const { return active_; }
    bool CanFocus() const override;
    // Makes the form active; a hidden or disabled form raises EInvalidOperation.
    void SetFocusToForm();

    bool GetKeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    TModalResult GetModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    TWindowState GetWindowState() const { return windowState_; }
    void SetWindowState(TWindowState state) { windowState_ = state; }
    TBorderIcons GetBorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }
    TFormBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
    TPosition GetPosition() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TFormStyle GetFormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style) { formStyle_ = style; }
    TFormState FormState() const { return formState_; }
    bool IsModal() const { return formState_.Contains(fsModal); }

    TRect ClientRect() const override;
    void SetClientWidth(int width);
    void SetClientHeight(int height);

    void SetVisible(bool visible) override;
    // Modal: ModalResult := mrCancel. Otherwise OnCloseQuery, then OnClose
    // with the action preset to caHide, then that action.
    void Close();
    // Destroys the form once the messages already posted have been handled.
    void Release();
    // Shows the form and runs the modal loop until ModalResult is set.
    TModalResult ShowModal();
    virtual bool CloseQuery();

    void WndProc(TMessage& message) override;
    bool DialogKey(Word key, TShiftState shift) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // Called by the screen when the form becomes or stops being the active one.
    void Activate();
    void Deactivate();

protected:
    void BeforeDestruction() override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);

private:
    friend class TWinControl;
    // Moves the focus of the active form, raising the exit and enter notices.
    void SetFocusedControl(TWinControl* control);
    void FocusInitialControl();
    void PlaceOnScreen();
    bool CloseModal(bool forced, TCloseAction& action);
    int FrameWidth() const;
    int CaptionHeight() const;

    TWinControl* activeControl_ = nullptr;
    TWinControl* focused_ = nullptr;
    bool active_ = false;
    bool keyPreview_ = false;
    TModalResult modalResult_ = mrNone;
    TWindowState windowState_ = wsNormal;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TFormBorderStyle borderStyle_ = bsSizeable;
    TPosition position_ = poDesigned;
    TFormStyle formStyle_ = fsNormal;
    TFormState formState_;
    unsigned focusGeneration_ = 0;
    bool releasePosted_ = false;
};

// The form classes publish what a form definition sets.
class TForm : public TCustomForm {
    KVC_CLASS(TForm, TCustomForm)
public:
    int GetPixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
    int GetTextHeight() const { return textHeight_; }
    void SetTextHeight(int value) { textHeight_ = value; }
    bool GetScaled() const { return scaled_; }
    void SetScaled(bool value) { scaled_ = value; }
    bool GetOldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }

private:
    int pixelsPerInch_ = 96;
    int textHeight_ = 13;
    bool scaled_ = true;
    bool oldCreateOrder_ = false;
};

} // namespace kvc

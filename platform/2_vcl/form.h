// Forms: the top-level windows of the model. A form moves the keyboard focus among its
// controls, routes keys (key preview, dialog keys, F1 help), runs its modal loop through the
// current driver and closes with OnCloseQuery and OnClose. Not here: who plays the user (driver.h).
//
// Moving the focus from A to B (FocusControl, SetFocus, Tab):
//   1. ActiveControl becomes B at once, so A's Exit handler sees where the focus is going.
//   2. OnExit runs on A, then on each container of A that does not contain B.
//   3. If B can no longer take the focus (a handler disabled or hid it), the focus stays with
//      the form: ActiveControl is nullptr and no Enter runs.
//   4. OnEnter runs on each container of B not yet entered, then on B.
// A handler that moves the focus again (an Exit handler rejecting a date puts it back) ends
// the first move where it is: the later move wins, a control being exited is not exited twice,
// and a control that never lost the focus gets no second Enter.
// On a hidden form SetFocus only records ActiveControl; showing the form enters it (or the
// first control in tab order). Hiding a form raises no Exit.
//
// A key pressed on the form (PressKey) goes, in this order, while it stays non-zero:
//   0. to an open drop-down list of the active control: Escape closes it, Return accepts it,
//      and nothing else sees the key;
//   1. Tab and Shift+Tab move the focus; Return and Escape are offered to the buttons
//      (focused or default button, cancel button) unless the active control wants them;
//   2. to the form's OnKeyDown when KeyPreview is on (it may set the key to 0);
//   3. to the active control's OnKeyDown, then its own handling (HandleKey);
//   4. Alt plus a letter goes to the control with that accelerator; F1 asks the application
//      for help on the active control.
#pragma once

#include <functional>

#include "platform/2_vcl/control.h"

namespace vcl {

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly,
    poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter
};

// Help commands passed to OnHelp.
constexpr WORD HELP_CONTEXT = 1;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
// Returns whether the help was handled; clearing CallHelp keeps the application's own help away.
using THelpEvent = std::function<bool(WORD Command, int Data, bool& CallHelp)>;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;
    // OnCreate: run by vcl::Create once the dialog's constructor has placed its controls.
    void AfterConstruction() override;
    // Hide, OnDestroy, then the owned components, while the dialog is still whole.
    void BeforeDestruction() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview) { keyPreview_ = preview; }

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result);

    // Shows the form, lets the driver play the user until the modal result is set and the
    // form agrees to close, hides it and returns the result. When the driver has no more
    // input while the form is open, the form is hidden and mrNone returned.
    TModalResult ShowModal();
    void Show();
    void Hide();
    void SetVisible(bool visible) override;
    // A modal form gets mrCancel; another asks OnCloseQuery and OnClose and hides (or frees).
    void Close();
    // Asks OnCloseQuery; true when the form may close.
    bool CloseQuery();
    // Frees the form when the application next processes messages (Application->ProcessMessages
    // or the driver between two user actions), not inside the handler that asked.
    void Release();
    void BringToFront();
    bool Active() const;
    bool Modal() const { return modal_; }
    bool Showing() const { return Visible(); }

    // Drivers call this after each user action of a modal loop: when the modal result is set
    // it runs OnCloseQuery and OnClose; true when the loop must end. A refusal (CanClose false
    // or caNone) clears the modal result and the loop goes on.
    bool ModalDone();

    TWinControl* ActiveControl() const { return active_; }
    // The control that has had Enter and not Exit (the one keys go to); nullptr: the form.
    TWinControl* FocusedControl() const { return focused_; }
    void SetActiveControl(TWinControl* control);
    void FocusControl(TWinControl* control);
    // The next (or previous) control after `current` in tab order that can take the focus,
    // wrapping around; nullptr when none.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop = true) const;
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop = true);

    // User input arriving at the form (see the order at the top of this file).
    void PressKey(WORD key, TShiftState shift = ssNone);
    // A typed character: OnKeyPress of the form (with key preview), of the active control,
    // then the control takes it.
    void TypeChar(char32_t ch);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    THelpEvent OnHelp;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // Called by controls: one of them is being disabled, hidden or destroyed.
    void ControlUnreachable(TControl* control);
    void ControlRemoved(TControl* control);

private:
    friend class TScreen;
    void ShowInternal();
    void HideInternal();
    void CloseModal();
    void MoveFocus(TWinControl* target);
    void EnterInitialControl();
    void Activated(bool active);

    TFormBorderStyle borderStyle_ = bsSizeable;
    TPosition position_ = poDesigned;
    bool keyPreview_ = false;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool created_ = false;
    bool closeAccepted_ = false;
    TWinControl* active_ = nullptr;   // ActiveControl: where the focus is or is going
    TWinControl* focused_ = nullptr;  // deepest control entered and not exited; nullptr: the form
    unsigned focusSerial_ = 0;
    int focusDepth_ = 0;
};

}  // namespace vcl

// Buttons and check marks: TButton and TBitBtn (kinds, modal result, default and cancel
// buttons, accelerators), TSpeedButton, TCheckBox and TRadioButton. Not here: who clicks them
// (drivers).
#pragma once

#include "platform/2_vcl/form.h"

namespace vcl {

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    // Return clicks the default button (unless another button has the focus), Escape the
    // cancel button.
    bool Default() const { return default_; }
    void SetDefault(bool value) { default_ = value; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }

    // Sets the form's modal result to the button's, then raises OnClick: a handler may still
    // clear the result to keep the dialog open.
    void Click() override;
    bool DialogChar(char32_t letter) override;
    bool DialogKey(WORD key, TShiftState shift) override;
    void HandleKey(WORD& key, TShiftState shift) override;

private:
    TModalResult modalResult_ = mrNone;
    bool default_ = false;
    bool cancel_ = false;
};

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner) : TButton(AOwner) {}

    TBitBtnKind Kind() const { return kind_; }
    // Sets the kind's caption ("Aceptar", "&Ayuda"...), modal result, and default or cancel
    // role; set Caption after Kind to word it otherwise.
    void SetKind(TBitBtnKind kind);

    // bkHelp asks the application for help on the nearest non-zero HelpContext from the
    // button up to its form (its OnClick runs only when there is none); bkClose closes the
    // form; the other kinds click as a TButton.
    void Click() override;

private:
    TBitBtnKind kind_ = bkCustom;
};

// A flat button that is no windowed control: clicking it leaves the focus where it is (an
// edit's lookup button, a tool button's cousin).
class TSpeedButton : public TControl {
public:
    explicit TSpeedButton(TComponent* AOwner) : TControl(AOwner) {}
};

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* AOwner);

    bool Checked() const { return checked_; }
    // A change raises OnClick, whoever makes it.
    void SetChecked(bool checked);
    void Toggle() { SetChecked(!checked_); }

    void UserClick() override { Toggle(); }
    bool DialogChar(char32_t letter) override;
    void HandleKey(WORD& key, TShiftState shift) override;

private:
    bool checked_ = false;
};

// Radio buttons with the same parent exclude each other.
class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* AOwner);

    bool Checked() const { return checked_; }
    // Checking unchecks the siblings and raises OnClick; unchecking raises nothing.
    void SetChecked(bool checked);

    void UserClick() override { SetChecked(true); }
    bool DialogChar(char32_t letter) override;
    void HandleKey(WORD& key, TShiftState shift) override;

private:
    bool checked_ = false;
};

}  // namespace vcl

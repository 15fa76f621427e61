// Captions and containers: TLabel (with the control its accelerator focuses), TGroupBox and
// TPanel. Not here: controls that take input.
#pragma once

#include "platform/2_vcl/control.h"

namespace vcl {

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* AOwner) : TControl(AOwner) {}

    // Alt plus the caption's accelerator focuses this control; cleared if it is destroyed.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);

    bool DialogChar(char32_t letter) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TWinControl* focusControl_ = nullptr;
};

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* AOwner) : TWinControl(AOwner) {}
    // Its accelerator focuses the first control inside it.
    bool DialogChar(char32_t letter) override;
};

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* AOwner) : TWinControl(AOwner) {}
};

}  // namespace vcl

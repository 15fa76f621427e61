// Accelerators of labels and group boxes, which pass the focus on rather than take it.
#include "platform/2_vcl/panels.h"

#include "platform/2_vcl/form.h"

namespace vcl {

void TLabel::SetFocusControl(TWinControl* control) {
    if (focusControl_) focusControl_->RemoveFreeNotification(this);
    focusControl_ = control;
    if (focusControl_) focusControl_->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

bool TLabel::DialogChar(char32_t letter) {
    if (!focusControl_ || AcceleratorOf(Caption()) != letter || !focusControl_->CanFocus()) return false;
    focusControl_->SetFocus();
    return true;
}

bool TGroupBox::DialogChar(char32_t letter) {
    if (AcceleratorOf(Caption()) != letter) return false;
    TForm* form = GetParentForm(this);
    if (!form) return false;
    for (TWinControl* c : TabOrderList())
        if (c->CanFocus() && c->TabStop()) {
            c->SetFocus();
            return true;
        }
    return false;
}

}  // namespace vcl

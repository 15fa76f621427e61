// Clicks, kinds and accelerators of buttons and check marks.
#include "platform/2_vcl/buttons.h"

#include "platform/2_vcl/application.h"

namespace vcl {

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TButton::Click() {
    if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TWinControl::Click();
}

bool TButton::DialogChar(char32_t letter) {
    if (AcceleratorOf(Caption()) != letter || !CanFocus()) return false;
    Click();
    return true;
}

bool TButton::DialogKey(WORD key, TShiftState) {
    if (!CanFocus()) return false;
    if (key == VK_RETURN) {
        const TForm* form = GetParentForm(this);
        const bool buttonFocused = form && dynamic_cast<TButton*>(form->FocusedControl());
        if (!(Focused() || (default_ && !buttonFocused))) return false;
    } else if (key != VK_ESCAPE || !cancel_) {
        return false;
    }
    Click();
    return true;
}

void TButton::HandleKey(WORD& key, TShiftState shift) {
    if (key == VK_SPACE && shift == ssNone) {
        key = 0;
        UserClick();
    }
}

namespace {

struct KindDefaults {
    const char* caption;
    TModalResult result;
};

KindDefaults DefaultsOf(TBitBtnKind kind) {
    switch (kind) {
        case bkOK: return {"Aceptar", mrOk};
        case bkCancel: return {"Cancelar", mrCancel};
        case bkHelp: return {"&Ayuda", mrNone};
        case bkYes: return {"&Sí", mrYes};
        case bkNo: return {"&No", mrNo};
        case bkClose: return {"&Cerrar", mrNone};
        case bkAbort: return {"Anular", mrAbort};
        case bkRetry: return {"&Reintentar", mrRetry};
        case bkIgnore: return {"&Omitir", mrIgnore};
        case bkAll: return {"&Todos", mrAll};
        case bkCustom: break;
    }
    return {nullptr, mrNone};
}

}  // namespace

void TBitBtn::SetKind(TBitBtnKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    if (kind == bkCustom) return;
    const KindDefaults d = DefaultsOf(kind);
    SetDefault(kind == bkOK || kind == bkYes);
    SetCancel(kind == bkCancel || kind == bkNo);
    SetCaption(d.caption);
    SetModalResult(d.result);
}

void TBitBtn::Click() {
    if (kind_ == bkClose) {
        if (TForm* form = GetParentForm(this)) {
            form->Close();
            return;
        }
    } else if (kind_ == bkHelp) {
        if (Application->HelpFor(this)) return;
    }
    TButton::Click();
}

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TCheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Click();
}

bool TCheckBox::DialogChar(char32_t letter) {
    if (AcceleratorOf(Caption()) != letter || !CanFocus()) return false;
    SetFocus();
    if (Focused()) Toggle();
    return true;
}

void TCheckBox::HandleKey(WORD& key, TShiftState shift) {
    if (key == VK_SPACE && shift == ssNone) {
        key = 0;
        Toggle();
    }
}

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TRadioButton::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (!checked) return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this)
                other->SetChecked(false);
    Click();
}

bool TRadioButton::DialogChar(char32_t letter) {
    if (AcceleratorOf(Caption()) != letter || !CanFocus()) return false;
    SetFocus();
    if (Focused()) SetChecked(true);
    return true;
}

void TRadioButton::HandleKey(WORD& key, TShiftState shift) {
    if (key == VK_SPACE && shift == ssNone) {
        key = 0;
        SetChecked(true);
    }
}

}  // namespace vcl

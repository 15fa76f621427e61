// Focus moves, key routing, showing, hiding and the modal loop of forms. The order of the
// events is drawn at the top of form.h; the comments here say why the code keeps it.
#include "platform/2_vcl/form.h"

#include <algorithm>

#include "platform/2_vcl/application.h"
#include "platform/2_vcl/driver.h"
#include "platform/2_vcl/utf8_internal.h"

namespace vcl {

namespace {

// Enter handlers that keep sending the focus on would otherwise recurse until the stack ends.
constexpr int kMaxFocusDepth = 32;

void CollectControls(const TWinControl* parent, std::vector<TControl*>& out) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        out.push_back(c);
        if (auto* win = dynamic_cast<TWinControl*>(c)) CollectControls(win, out);
    }
}

// By pointers alone: a control being destroyed is no longer what it was, so no casts.
bool Inside(const TControl* inner, const TControl* outer) {
    for (const TControl* c = inner; c; c = c->Parent())
        if (c == outer) return true;
    return false;
}

}  // namespace

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    SetVisibleFlag(false);
    Screen->AddForm(this);
}

TForm::~TForm() {
    if (Application->mainForm_ == this) Application->mainForm_ = nullptr;
    auto& released = Application->released_;
    released.erase(std::remove(released.begin(), released.end(), this), released.end());
    Screen->RemoveForm(this);
}

void TForm::AfterConstruction() {
    TWinControl::AfterConstruction();
    created_ = true;
    if (OnCreate) OnCreate(this);
}

void TForm::BeforeDestruction() {
    if (!Destroying()) {
        HideInternal();
        if (OnDestroy) OnDestroy(this);
    }
    TWinControl::BeforeDestruction();
}

void TForm::SetModalResult(TModalResult result) { modalResult_ = result; }

TModalResult TForm::ShowModal() {
    if (Visible()) throw EInvalidOperation("No se puede mostrar como modal una ventana visible");
    if (!Enabled()) throw EInvalidOperation("No se puede mostrar como modal una ventana desactivada");
    if (OnCreate && !created_)
        throw EInvalidOperation("La ventana \"" + Name() + "\" no se construyó con vcl::Create: OnCreate no se ejecutó");
    modal_ = true;
    modalResult_ = mrNone;
    closeAccepted_ = false;
    try {
        ShowInternal();
        CurrentDriver().RunModal(*this);
        // A driver that set the result without asking the form to close still gets the
        // form's say through OnCloseQuery and OnClose.
        if (!closeAccepted_ && modalResult_ != mrNone) CloseModal();
    } catch (...) {
        HideInternal();
        modal_ = false;
        throw;
    }
    const TModalResult result = closeAccepted_ ? modalResult_ : mrNone;
    modalResult_ = result;
    HideInternal();
    modal_ = false;
    return result;
}

bool TForm::ModalDone() {
    if (closeAccepted_) return true;
    if (modalResult_ == mrNone) return false;
    CloseModal();
    return closeAccepted_;
}

void TForm::CloseModal() {
    try {
        TCloseAction action = caNone;
        if (CloseQuery()) {
            action = caHide;
            if (OnClose) OnClose(this, action);
        }
        if (action == caNone) {
            modalResult_ = mrNone;
            return;
        }
        closeAccepted_ = true;
        if (action == caFree) Release();
    } catch (const std::exception& e) {
        modalResult_ = mrNone;
        Application->HandleException(e);
    }
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caHide || action == caMinimize) Hide();
    else if (action == caFree) Release();
}

void TForm::Release() {
    auto& released = Application->released_;
    if (std::find(released.begin(), released.end(), this) == released.end()) released.push_back(this);
}

void TForm::Show() {
    if (!Visible()) ShowInternal();
    else BringToFront();
}

void TForm::Hide() {
    // Hiding a modal form is one more way to end its loop.
    if (modal_ && modalResult_ == mrNone) modalResult_ = mrCancel;
    HideInternal();
}

void TForm::SetVisible(bool visible) {
    if (visible) Show();
    else Hide();
}

void TForm::BringToFront() {
    Screen->ToFront(this);
    if (Visible()) Screen->Activate(this);
}

bool TForm::Active() const { return Screen->ActiveForm() == this; }

void TForm::ShowInternal() {
    SetVisibleFlag(true);
    if (OnShow) OnShow(this);
    Screen->ToFront(this);
    Screen->Activate(this);
    EnterInitialControl();
    CurrentDriver().FormShown(*this);
}

void TForm::HideInternal() {
    if (!Visible()) return;
    SetVisibleFlag(false);
    focused_ = nullptr;  // a form that hides raises no Exit; showing it again enters afresh
    if (OnHide) OnHide(this);
    Screen->FormHidden(this);
    CurrentDriver().FormHidden(*this);
}

void TForm::Activated(bool active) {
    if (active) {
        if (OnActivate) OnActivate(this);
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

void TForm::EnterInitialControl() {
    TWinControl* target = active_ && active_->CanFocus() ? active_ : FindNextControl(nullptr, true, true);
    if (target) MoveFocus(target);
}

void TForm::SetActiveControl(TWinControl* control) { FocusControl(control); }

void TForm::FocusControl(TWinControl* control) {
    if (control) {
        if (GetParentForm(control) != this)
            throw EInvalidOperation("\"" + control->Name() + "\" no pertenece a la ventana \"" + Name() + "\"");
        if (!control->CanFocus())
            throw EInvalidOperation("No se puede enfocar \"" + control->Name() + "\": está desactivado o invisible");
    }
    if (!Visible()) {
        active_ = control;
        return;
    }
    MoveFocus(control);
}

void TForm::MoveFocus(TWinControl* target) {
    if (focusDepth_ >= kMaxFocusDepth)
        throw EInvalidOperation("Los manejadores de foco de \"" + Name() + "\" lo mueven sin fin");
    struct Depth {
        int& d;
        explicit Depth(int& depth) : d(depth) { ++d; }
        ~Depth() { --d; }
    } depth(focusDepth_);

    // The serial tells this move that a handler started a later one, which then wins.
    const unsigned serial = ++focusSerial_;
    active_ = target;
    while (focused_ && !(target && focused_->ContainsControl(target))) {
        TWinControl* leaving = focused_;
        if (!leaving->exiting_) {
            leaving->exiting_ = true;
            try {
                leaving->DoExit();
            } catch (...) {
                leaving->exiting_ = false;
                throw;
            }
            leaving->exiting_ = false;
            if (serial != focusSerial_) return;
        }
        if (focused_ != leaving) continue;  // the control went away during its own Exit
        TWinControl* up = leaving->Parent();
        focused_ = up == this ? nullptr : up;
    }
    if (target && !target->CanFocus()) {
        active_ = nullptr;
        return;
    }
    while (target && focused_ != target) {
        TWinControl* next = target;
        while (next->Parent() && next->Parent() != (focused_ ? focused_ : this)) next = next->Parent();
        focused_ = next;
        next->DoEnter();
        if (serial != focusSerial_) return;
    }
}

void TForm::ControlUnreachable(TControl* control) {
    if (focused_ && Inside(focused_, control)) {
        if (Visible()) MoveFocus(nullptr);
        else focused_ = nullptr;
    }
    if (active_ && Inside(active_, control)) active_ = nullptr;
}

void TForm::ControlRemoved(TControl* control) {
    if (focused_ && Inside(focused_, control)) focused_ = nullptr;
    if (active_ && Inside(active_, control)) active_ = nullptr;
}

TWinControl* TForm::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const {
    const auto list = TabOrderList();
    const int n = static_cast<int>(list.size());
    if (n == 0) return nullptr;
    const auto at = std::find(list.begin(), list.end(), current);
    const int start = at != list.end() ? static_cast<int>(at - list.begin()) : (forward ? -1 : n);
    const int step = forward ? 1 : -1;
    for (int k = 1; k <= n; ++k) {
        TWinControl* c = list[((start + step * k) % n + n) % n];
        if (c == current) continue;
        if (c->CanFocus() && (!checkTabStop || c->TabStop())) return c;
    }
    return nullptr;
}

void TForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) FocusControl(next);
}

void TForm::PressKey(WORD key, TShiftState shift) {
    TWinControl* target = focused_;
    if (target && target->ListOpen() && (key == VK_ESCAPE || key == VK_RETURN)) {
        target->CloseList(key == VK_RETURN);
        return;
    }
    const bool plain = (shift & (ssCtrl | ssAlt)) == 0;
    if (plain && !(target && target->WantsKey(key, shift))) {
        if (key == VK_TAB) {
            SelectNext(active_, (shift & ssShift) == 0);
            return;
        }
        if (key == VK_RETURN || key == VK_ESCAPE) {
            std::vector<TControl*> all;
            CollectControls(this, all);
            for (TControl* c : all)
                if (c->DialogKey(key, shift)) return;
        }
    }
    if (keyPreview_ && OnKeyDown) {
        OnKeyDown(this, key, shift);
        if (key == 0) return;
    }
    target = focused_;  // the preview may have moved the focus
    if (target) {
        if (target->OnKeyDown) {
            target->OnKeyDown(target, key, shift);
            if (key == 0) return;
        }
        target->HandleKey(key, shift);
        if (key == 0) return;
    }
    const bool alnum = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    if ((shift & ssAlt) && alnum) {
        std::vector<TControl*> all;
        CollectControls(this, all);
        const char32_t letter = detail::FoldCase(key);
        for (TControl* c : all)
            if (c->Reachable() && c->DialogChar(letter)) return;
        return;
    }
    if (key == VK_F1 && shift == ssNone) Application->HelpFor(target ? static_cast<TControl*>(target) : this);
}

void TForm::TypeChar(char32_t ch) {
    if (keyPreview_ && OnKeyPress) {
        OnKeyPress(this, ch);
        if (ch == 0) return;
    }
    TWinControl* target = focused_;
    if (!target) return;
    if (target->OnKeyPress) {
        target->OnKeyPress(target, ch);
        if (ch == 0) return;
    }
    target->AcceptChar(ch);
}

}  // namespace vcl

// Parents, states and tab order of controls. Disabling, hiding or destroying a control tells
// its form, so the focus never rests on a control the user cannot reach or that is gone.
#include "platform/2_vcl/control.h"

#include <algorithm>

#include "platform/2_vcl/form.h"

namespace vcl {

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {}

TControl::~TControl() {
    LeaveParent();
    parent_ = nullptr;
}

void TControl::LeaveParent() {
    if (!parent_) return;
    if (TForm* form = GetParentForm(parent_)) form->ControlRemoved(this);
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    auto& tabs = parent_->tabList_;
    tabs.erase(std::remove(tabs.begin(), tabs.end(), this), tabs.end());
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (auto* self = dynamic_cast<TWinControl*>(this); self && parent && self->ContainsControl(parent))
        throw EInvalidOperation("Un control no puede estar dentro de sí mismo");
    LeaveParent();
    parent_ = parent;
    if (parent_) {
        parent_->controls_.push_back(this);
        if (auto* win = dynamic_cast<TWinControl*>(this)) parent_->tabList_.push_back(win);
    }
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!enabled)
        if (TForm* form = GetParentForm(this)) form->ControlUnreachable(this);
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (!visible)
        if (TForm* form = GetParentForm(this)) form->ControlUnreachable(this);
}

bool TControl::Reachable() const {
    const TControl* c = this;
    for (; c && !dynamic_cast<const TForm*>(c); c = c->parent_)
        if (!c->visible_ || !c->enabled_) return false;
    return c != nullptr;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TControl::SetText(std::string_view text) { text_ = text; }

void TControl::Click() {
    if (OnClick && !Destroying()) OnClick(this);
}

bool TControl::DialogChar(char32_t) { return false; }
bool TControl::DialogKey(WORD, TShiftState) { return false; }

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    // While the tree still stands, so the form sees that the focus was somewhere inside.
    if (Parent())
        if (TForm* form = GetParentForm(Parent())) form->ControlRemoved(this);
    // A container takes what is placed on it along, whoever owns it (a notebook page that is
    // removed removes its controls); each child leaves its owner as it goes.
    while (!controls_.empty()) {
        TControl* last = controls_.back();
        last->Free();
        if (!controls_.empty() && controls_.back() == last) controls_.pop_back();
    }
    tabList_.clear();
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

int TWinControl::TabOrder() const {
    const TWinControl* p = Parent();
    if (!p) return -1;
    const auto& tabs = p->tabList_;
    return static_cast<int>(std::find(tabs.begin(), tabs.end(), this) - tabs.begin());
}

void TWinControl::SetTabOrder(int order) {
    TWinControl* p = Parent();
    if (!p) return;
    auto& tabs = p->tabList_;
    tabs.erase(std::remove(tabs.begin(), tabs.end(), this), tabs.end());
    order = std::clamp(order, 0, static_cast<int>(tabs.size()));
    tabs.insert(tabs.begin() + order, this);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const {
    std::vector<TWinControl*> out;
    for (TWinControl* c : tabList_) {
        out.push_back(c);
        const auto inner = c->TabOrderList();
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

bool TWinControl::CanFocus() const {
    return !dynamic_cast<const TForm*>(this) && Reachable();
}

bool TWinControl::Focused() const {
    const TForm* form = GetParentForm(this);
    return form && form->FocusedControl() == this;
}

void TWinControl::SetFocus() {
    TForm* form = GetParentForm(this);
    if (!form || form == this) throw EInvalidOperation("\"" + Name() + "\" no está en una ventana");
    form->FocusControl(this);
}

bool TWinControl::WantsKey(WORD, TShiftState) const { return false; }
void TWinControl::HandleKey(WORD&, TShiftState) {}
void TWinControl::AcceptChar(char32_t) {}
void TWinControl::CloseList(bool) {}

void TWinControl::DoEnter() {
    if (OnEnter && !Destroying()) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit && !Destroying()) OnExit(this);
}

TForm* GetParentForm(const TControl* control) {
    for (const TControl* c = control; c; c = c->Parent())
        if (auto* form = dynamic_cast<const TForm*>(c)) return const_cast<TForm*>(form);
    return nullptr;
}

TComponent* OwnerFor(TWinControl* parent) {
    if (TForm* form = GetParentForm(parent)) return form;
    return parent;
}

}  // namespace vcl

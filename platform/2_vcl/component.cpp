// Ownership, names and free notification of components. Destruction runs in the order the
// owner's users rely on: those that asked to be told first, then the owned components (last
// created first), then the owner and its other components.
#include "platform/2_vcl/component.h"

#include <algorithm>

#include "platform/2_vcl/utf8_internal.h"

namespace vcl {

bool SameName(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (detail::FoldCase(detail::NextCodePoint(a, i)) != detail::FoldCase(detail::NextCodePoint(b, j)))
            return false;
    }
    return i == a.size() && j == b.size();
}

void TObject::Free() {
    BeforeDestruction();
    delete this;
}

namespace {

bool IsIdentifier(std::string_view name) {
    if (name.empty()) return true;
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!letter(name[0])) return false;
    return std::all_of(name.begin(), name.end(), [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

void Erase(std::vector<TComponent*>& list, TComponent* c) {
    list.erase(std::remove(list.begin(), list.end(), c), list.end());
}

bool Contains(const std::vector<TComponent*>& list, const TComponent* c) {
    return std::find(list.begin(), list.end(), c) != list.end();
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() { Destroy(); }

void TComponent::BeforeDestruction() { Destroy(); }

void TComponent::Destroy() {
    if (destroying_) return;
    destroying_ = true;
    // Newest registrations first, so a component told earlier has undone later links.
    std::vector<TComponent*> told = std::move(freeNotifies_);
    freeNotifies_.clear();
    for (auto it = told.rbegin(); it != told.rend(); ++it) {
        Erase((*it)->freeNotifies_, this);
        (*it)->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->Detach(this, told);
}

void TComponent::SetName(std::string_view name) {
    if (name == name_) return;
    if (!IsIdentifier(name))
        throw EComponentError("\"" + std::string(name) + "\" no es un nombre de componente válido");
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EComponentError("Ya existe un componente llamado \"" + std::string(name) + "\"");
    }
    name_ = name;
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    const auto& list = owner_->components_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameName(c->name_, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("Ya existe un componente llamado \"" + component->name_ + "\"");
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (component && component->owner_ == this) Detach(component, {});
}

void TComponent::Detach(TComponent* component, const std::vector<TComponent*>& alreadyTold) {
    Erase(components_, component);
    component->owner_ = nullptr;
    if (!Contains(alreadyTold, this)) Notification(component, opRemove);
    // A copy: a sibling's handler may destroy or reparent components.
    const std::vector<TComponent*> siblings = components_;
    for (TComponent* s : siblings)
        if (!Contains(alreadyTold, s) && Contains(components_, s)) s->Notification(component, opRemove);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        last->Free();
        // Free leaves the owner through Detach; guard against a component that did not.
        if (!components_.empty() && components_.back() == last) components_.pop_back();
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (!Contains(freeNotifies_, component)) freeNotifies_.push_back(component);
    if (!Contains(component->freeNotifies_, this)) component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    Erase(freeNotifies_, component);
    Erase(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

}  // namespace vcl

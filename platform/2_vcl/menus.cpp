// Menu trees. An item leaving (destroyed or removed) is taken out of its parent's list, so
// a parent never points at an item that is gone.
#include "platform/2_vcl/menus.h"

#include <algorithm>

namespace vcl {

TMenuItem::~TMenuItem() {
    if (parent_) parent_->Remove(this);
    for (TMenuItem* child : items_) child->parent_ = nullptr;
}

void TMenuItem::Add(TMenuItem* item) {
    if (!item || item == this) return;
    if (item->parent_) item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    if (item && item->parent_ == this) item->parent_ = nullptr;
}

void TMenuItem::Click() {
    for (const TMenuItem* m = this; m; m = m->parent_)
        if (!m->enabled_) return;
    if (OnClick && !Destroying()) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), root_(new TMenuItem(this)) {}

void TPopupMenu::Popup(int, int) {
    if (OnPopup) OnPopup(this);
}

}  // namespace vcl

// The drawing surface's picture and mouse entry points.
#include "platform/2_vcl/paintbox.h"

namespace vcl {

TPaintBox::TPaintBox(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TPaintBox::SetTrazos(std::vector<TTrazo> trazos) {
    trazos_ = std::move(trazos);
    ++version_;
}

void TPaintBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (Destroying() || !Reachable()) return;
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TPaintBox::MouseMove(TShiftState shift, int x, int y) {
    if (Destroying() || !Reachable()) return;
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TPaintBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (Destroying() || !Reachable()) return;
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TPaintBox::DblClick() {
    if (Destroying() || !Reachable()) return;
    if (OnDblClick) OnDblClick(this);
}

bool TPaintBox::WantsKey(WORD key, TShiftState shift) const {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN ||
           TWinControl::WantsKey(key, shift);
}

}  // namespace vcl

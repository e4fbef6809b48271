// TDropPanel: WM_DROPFILES to OnDrop.
#include "forms/drop_panel.h"

namespace talo {

TDropPanel& TDropPanel::Create(const ui::TParent& parent, const ui::TBounds& bounds) {
  TPanel::Create(parent, bounds).Bevel(false).TabStop(true);
  const LONG ex_style = GetWindowLongA(Handle(), GWL_EXSTYLE);
  SetWindowLongA(Handle(), GWL_EXSTYLE, (ex_style & ~WS_EX_CONTROLPARENT) | WS_EX_CLIENTEDGE);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return *this;
}

void TDropPanel::Drop(HDROP drop) {
  if (drop_) drop_(*this, drop);
}

LRESULT TDropPanel::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DROPFILES) {
    Drop(reinterpret_cast<HDROP>(wparam));
    return 0;
  }
  if (message == WM_GETDLGCODE) {
    auto* pending = reinterpret_cast<const MSG*>(lparam);
    const bool modified = (ui::HeldModifiers() & (ui::kShift | ui::kCtrl)) != 0;
    if (pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN && modified)
      return DLGC_WANTMESSAGE;
    return 0;
  }
  return TPanel::HandleMessage(message, wparam, lparam);
}

}  // namespace talo

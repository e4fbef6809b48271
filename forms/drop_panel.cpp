// TDropPanel: WM_DROPFILES to OnDrop.
#include "forms/drop_panel.h"

namespace talo {

void TDropPanel::Drop(HDROP drop) {
  if (drop_) drop_(*this, drop);
}

LRESULT TDropPanel::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DROPFILES) {
    Drop(reinterpret_cast<HDROP>(wparam));
    return 0;
  }
  return TPanel::HandleMessage(message, wparam, lparam);
}

}  // namespace talo

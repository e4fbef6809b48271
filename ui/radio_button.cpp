// TRadioButton: checking one of a group.
#include "ui/radio_button.h"

namespace talo::ui {

TRadioButton& TRadioButton::Checked(bool checked) {
  if (!Handle()) return *this;
  if (checked) {
    for (HWND sibling = GetWindow(GetParent(Handle()), GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
      if (sibling != Handle() && dynamic_cast<TRadioButton*>(FromHandle(sibling)))
        SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  SetState(checked);
  return *this;
}

}  // namespace talo::ui

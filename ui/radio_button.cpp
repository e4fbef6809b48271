// TRadioButton: creation, state and the click notification.
#include "ui/radio_button.h"

namespace talo::ui {

TRadioButton& TRadioButton::Create(const TParent& parent, const TBounds& bounds,
                                   const std::string& caption) {
  TBounds sized = bounds;
  if (sized.width <= 0 || sized.height <= 0) {
    SIZE text = TextExtent(caption);
    if (sized.width <= 0) sized.width = text.cx + 24;  // the box, its gap and the focus frame
    if (sized.height <= 0) sized.height = 17;
  }
  CreateHandle(parent, "BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, sized, caption);
  return *this;
}

bool TRadioButton::Checked() const {
  return Handle() && SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TRadioButton& TRadioButton::Checked(bool checked) {
  if (!Handle()) return *this;
  if (checked) {
    for (HWND sibling = GetWindow(GetParent(Handle()), GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
      if (sibling != Handle() && dynamic_cast<TRadioButton*>(FromHandle(sibling)))
        SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return *this;
}

bool TRadioButton::Command(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

}  // namespace talo::ui

// TCheckBox: creation, state and the click notification.
#include "ui/check_box.h"

namespace talo::ui {

TCheckBox& TCheckBox::Create(const TParent& parent, const TBounds& bounds,
                             const std::string& caption) {
  TBounds sized = bounds;
  if (sized.width <= 0 || sized.height <= 0) {
    SIZE text = TextExtent(caption);
    if (sized.width <= 0) sized.width = text.cx + 24;  // the box, its gap and the focus frame
    if (sized.height <= 0) sized.height = 17;
  }
  CreateHandle(parent, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, sized, caption);
  return *this;
}

bool TCheckBox::Checked() const {
  return Handle() && SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TCheckBox& TCheckBox::Checked(bool checked) {
  if (Handle()) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return *this;
}

bool TCheckBox::Command(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

}  // namespace talo::ui

// TCheckBox: a check box with its caption.
#pragma once

#include "ui/state_button.h"

namespace talo::ui {

class TCheckBox : public TStateButton<TCheckBox, BS_AUTOCHECKBOX> {
 public:
  using TStateButton::Checked;
  // Changing the state from the program raises no OnClick; the user's clicks do.
  TCheckBox& Checked(bool checked) {
    SetState(checked);
    return *this;
  }
};

}  // namespace talo::ui

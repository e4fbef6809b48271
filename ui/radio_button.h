// TRadioButton: a radio button; the radio buttons of one parent form one group.
#pragma once

#include "ui/state_button.h"

namespace talo::ui {

class TRadioButton : public TStateButton<TRadioButton, BS_AUTORADIOBUTTON> {
 public:
  using TStateButton::Checked;
  // Checking one unchecks the other radio buttons of its parent; from the program no OnClick is
  // raised.
  TRadioButton& Checked(bool checked);
};

}  // namespace talo::ui

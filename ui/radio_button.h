// TRadioButton: a radio button; the radio buttons of one parent form one group.
#pragma once

#include <string>

#include "ui/control_of.h"

namespace talo::ui {

class TRadioButton : public TControlOf<TRadioButton> {
 public:
  // Without a width the box is as wide as its caption needs.
  TRadioButton& Create(const TParent& parent, const TBounds& bounds, const std::string& caption);

  bool Checked() const;
  // Checking one unchecks the other radio buttons of its parent; from the program no OnClick is
  // raised.
  TRadioButton& Checked(bool checked);

 protected:
  bool Command(WORD code) override;
};

}  // namespace talo::ui

// TCheckBox: a check box with its caption.
#pragma once

#include <string>

#include "ui/control_of.h"

namespace talo::ui {

class TCheckBox : public TControlOf<TCheckBox> {
 public:
  // Without a width the box is as wide as its caption needs.
  TCheckBox& Create(const TParent& parent, const TBounds& bounds, const std::string& caption);

  bool Checked() const;
  // Changing the state from the program raises no OnClick; the user's clicks do.
  TCheckBox& Checked(bool checked);

 protected:
  bool Command(WORD code) override;
};

}  // namespace talo::ui

// TStatusBar: a one-part status bar along the bottom of its parent showing a simple text.
#pragma once

#include <string>

#include "ui/control_of.h"

namespace talo::ui {

class TStatusBar : public TControlOf<TStatusBar> {
 public:
  // The bar keeps to the bottom edge of its parent; `size_grip` draws the sizing corner.
  TStatusBar& Create(const TParent& parent, const std::string& text = "", bool size_grip = false);

  std::string SimpleText() const;
  TStatusBar& SimpleText(const std::string& text);

 protected:
  void AlignWithin(RECT& remaining) override;
};

}  // namespace talo::ui

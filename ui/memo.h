// TMemo: a multi-line edit whose lines wrap, with a vertical scroll bar.
#pragma once

#include <string>

#include "ui/custom_edit.h"

namespace talo::ui {

class TMemo : public TCustomEdit<TMemo> {
 public:
  // Lines in the text are separated by "\r\n"; Enter in the memo starts a new line.
  TMemo& Create(const TParent& parent, const TBounds& bounds, const std::string& text = "");
  int LineCount() const;
};

}  // namespace talo::ui

// TEdit: a single-line edit.
#pragma once

#include <string>

#include "ui/custom_edit.h"

namespace talo::ui {

class TEdit : public TCustomEdit<TEdit> {
 public:
  // Without a height the edit has the usual 21 pixels.
  TEdit& Create(const TParent& parent, const TBounds& bounds, const std::string& text = "");
};

}  // namespace talo::ui

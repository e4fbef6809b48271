// TEdit: creation of a single-line edit.
#include "ui/edit.h"

namespace talo::ui {

TEdit& TEdit::Create(const TParent& parent, const TBounds& bounds, const std::string& text) {
  TBounds sized = bounds;
  if (sized.width <= 0) sized.width = 121;
  if (sized.height <= 0) sized.height = 21;
  CreateHandle(parent, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, sized, text);
  return *this;
}

}  // namespace talo::ui

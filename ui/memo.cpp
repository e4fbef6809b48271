// TMemo: creation of a multi-line edit and its line count.
#include "ui/memo.h"

namespace talo::ui {

TMemo& TMemo::Create(const TParent& parent, const TBounds& bounds, const std::string& text) {
  TBounds sized = bounds;
  if (sized.width <= 0) sized.width = 185;
  if (sized.height <= 0) sized.height = 89;
  CreateHandle(parent, "EDIT",
               ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP,
               WS_EX_CLIENTEDGE, sized, text);
  return *this;
}

int TMemo::LineCount() const {
  return Handle() ? static_cast<int>(SendMessageA(Handle(), EM_GETLINECOUNT, 0, 0)) : 0;
}

}  // namespace talo::ui

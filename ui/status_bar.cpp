// TStatusBar: the comctl32 status bar with one part that spans it.
#include "ui/status_bar.h"

#include "ui/common_controls.h"

namespace talo::ui {

TStatusBar& TStatusBar::Create(const TParent& parent, const std::string& text, bool size_grip) {
  CreateHandle(parent, STATUSCLASSNAMEA, size_grip ? SBARS_SIZEGRIP : 0, 0, {}, "");
  int right_edges[] = {-1};  // one part to the right end
  SendMessageA(Handle(), SB_SETPARTS, 1, reinterpret_cast<LPARAM>(right_edges));
  SetAlign(TAlign::Bottom);
  return SimpleText(text);
}

std::string TStatusBar::SimpleText() const {
  if (!Handle()) return "";
  std::string text(LOWORD(SendMessageA(Handle(), SB_GETTEXTLENGTHA, 0, 0)) + 1, '\0');
  SendMessageA(Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(text.find('\0'));
  return text;
}

TStatusBar& TStatusBar::SimpleText(const std::string& text) {
  if (Handle()) SendMessageA(Handle(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return *this;
}

void TStatusBar::AlignWithin(RECT& remaining) {
  // The bar sizes and places itself at the bottom of its parent when told of a size change.
  SendMessageA(Handle(), WM_SIZE, 0, 0);
  remaining.bottom -= Height();
}

}  // namespace talo::ui

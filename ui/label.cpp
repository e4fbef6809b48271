// TLabel: a STATIC control whose text style follows WordWrap and Alignment.
#include "ui/label.h"

namespace talo::ui {
namespace {
// SS_LEFT, SS_CENTER, SS_RIGHT and SS_LEFTNOWORDWRAP are values of one field, not flags.
const DWORD kTextStyleMask = SS_TYPEMASK;
}  // namespace

TLabel& TLabel::Create(const TParent& parent, const TBounds& bounds, const std::string& caption) {
  TBounds sized = bounds;
  if (sized.width <= 0 || sized.height <= 0) {
    SIZE text = TextExtent(caption);
    if (sized.width <= 0) sized.width = text.cx;
    if (sized.height <= 0) sized.height = text.cy;
  }
  CreateHandle(parent, "STATIC", SS_LEFTNOWORDWRAP | SS_NOTIFY, 0, sized, caption);
  return *this;
}

bool TLabel::WordWrap() const {
  return Handle() && (GetWindowLongA(Handle(), GWL_STYLE) & kTextStyleMask) != SS_LEFTNOWORDWRAP;
}

TLabel& TLabel::WordWrap(bool wrap) {
  if (Handle() && wrap != WordWrap()) SetTextStyle(wrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
  return *this;
}

TLabel& TLabel::Alignment(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::LeftJustify:
      SetTextStyle(WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP);
      break;
    case TAlignment::Center:
      SetTextStyle(SS_CENTER);
      break;
    case TAlignment::RightJustify:
      SetTextStyle(SS_RIGHT);
      break;
  }
  return *this;
}

void TLabel::SetTextStyle(DWORD text_style) {
  if (!Handle()) return;
  DWORD style = GetWindowLongA(Handle(), GWL_STYLE);
  SetWindowLongA(Handle(), GWL_STYLE, (style & ~kTextStyleMask) | text_style);
  InvalidateRect(Handle(), nullptr, TRUE);
}

bool TLabel::Command(WORD code) {
  if (code == STN_CLICKED)
    Click();
  else if (code == STN_DBLCLK && double_click_)
    double_click_();
  else
    return false;
  return true;
}

}  // namespace talo::ui

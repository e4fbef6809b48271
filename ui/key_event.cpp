// Reading the modifier keys of a key event.
#include "ui/key_event.h"

namespace talo::ui {

unsigned HeldModifiers() {
  unsigned held = kNoShift;
  if (GetKeyState(VK_SHIFT) < 0) held |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) held |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) held |= kAlt;
  return held;
}

}  // namespace talo::ui

// SimulatePaste: Ctrl+V typed on the user's behalf around the modifiers of a combination.
#include <windows.h>

#include "hook/library/assignment_execution.h"

namespace talo {
namespace {

constexpr int kShiftHeld = 1;
constexpr int kCtrlHeld = 2;
constexpr int kAltHeld = 4;
constexpr BYTE kKeyV = 0x56;
// How long the paste waits for the user to let go of the combination's modifiers.
constexpr DWORD kReleaseWaitMs = 250;
// Looked at every millisecond: the paste follows the release closely.
constexpr DWORD kReleaseStepMs = 1;

void Press(BYTE key) { keybd_event(key, kPasteScanCode, 0, 0); }
void Release(BYTE key) { keybd_event(key, kPasteScanCode, KEYEVENTF_KEYUP, 0); }

// The modifiers of the combination that the user still holds now. When the user lets go quickly,
// the releases already wait in the input queue behind the key that triggered the paste: such a
// modifier must be neither released nor pressed again here, or it would stay down for good and
// the paste would lack its Ctrl.
int StillHeld(int modifiers) {
  int held = 0;
  if ((modifiers & kShiftHeld) && GetAsyncKeyState(VK_SHIFT) < 0) held |= kShiftHeld;
  if ((modifiers & kCtrlHeld) && GetAsyncKeyState(VK_CONTROL) < 0) held |= kCtrlHeld;
  if ((modifiers & kAltHeld) && GetAsyncKeyState(VK_MENU) < 0) held |= kAltHeld;
  return held;
}

// A modifier that the user lets go of while the paste is being typed would come between the typed
// keys (a V without its Ctrl types "v"): the paste waits a moment for the fingers to leave the
// keys, and types around whatever is still held after that.
int HeldAfterRelease(int modifiers) {
  int held = StillHeld(modifiers);
  const DWORD started = GetTickCount();
  while (held && GetTickCount() - started < kReleaseWaitMs) {
    Sleep(kReleaseStepMs);
    held = StillHeld(modifiers);
  }
  return held;
}

}  // namespace

void SimulatePaste(int modifiers, bool wait_for_release) {
  const int held = wait_for_release ? HeldAfterRelease(modifiers) : StillHeld(modifiers);
  if (held & kShiftHeld) Release(VK_SHIFT);
  if (held & kAltHeld) Release(VK_MENU);
  if (!(held & kCtrlHeld)) Press(VK_CONTROL);
  Press(kKeyV);
  Release(kKeyV);
  if (!(held & kCtrlHeld)) Release(VK_CONTROL);
  if (held & kAltHeld) {
    Press(VK_MENU);
    // A lone Alt pressed and released would open the menu bar of the target: a second tap leaves
    // the menu closed again.
    if (!(held & (kShiftHeld | kCtrlHeld))) {
      Release(VK_MENU);
      Press(VK_MENU);
    }
  }
  if (held & kShiftHeld) Press(VK_SHIFT);
}

}  // namespace talo

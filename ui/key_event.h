// TKeyEvent: a key going down with the modifier keys held at that moment, and TShortCut, the key
// and modifiers that run a menu item.
//
// The framework reads the modifiers once, when the key's message is handled, so that handlers
// compare them instead of asking the keyboard again.
#pragma once

#include <windows.h>

namespace talo::ui {

// The modifier keys held, as bits: kShift | kCtrl | kAlt.
enum TShift : unsigned { kNoShift = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// The modifiers held for the message being handled now (the thread's key state).
unsigned HeldModifiers();

struct TKeyEvent {
  WORD key = 0;
  unsigned shift = kNoShift;

  // The key with exactly these modifiers.
  bool Is(WORD pressed, unsigned modifiers = kNoShift) const {
    return key == pressed && shift == modifiers;
  }
  bool Held(unsigned modifier) const { return (shift & modifier) != 0; }
  // A key event for `key` with the modifiers held now.
  static TKeyEvent Now(WORD key) { return {key, HeldModifiers()}; }
};

// The key with the modifiers `shift` held, and any of `may_hold` besides: Delete that works with
// Shift held too is {VK_DELETE, kNoShift, kShift}.
struct TShortCut {
  WORD key = 0;
  unsigned shift = kNoShift;
  unsigned may_hold = kNoShift;

  bool Matches(const TKeyEvent& event) const {
    return key != 0 && event.key == key && (event.shift & ~may_hold) == shift;
  }
};

}  // namespace talo::ui

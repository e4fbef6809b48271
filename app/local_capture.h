// Capturing key combinations while the main window is the form the user works in.
#pragma once

#include <windows.h>

namespace talo {

namespace ui {
class TForm;
}

// The thread-local WH_KEYBOARD hook of the GUI thread: while the main window is the active form,
// a key going down (Windows and Applications keys not held) selects its combination; nonzero
// swallows the key. The editor or the warning it opens comes after the key, through
// WM_SELECTCOMBINATION to the main window.
LRESULT CALLBACK LocalKeyboardProc(int code, WPARAM wparam, LPARAM lparam);

// WM_SELECTCOMBINATION: selects the combination `code` when the main window is still the
// active form.
void SelectPostedCombination(int code);

// Deals with the combination `code` chosen in `form`: opens the editor (after the warning for a
// commonly used one), lets the navigation keys through, beeps for what cannot be assigned.
// 1 when the key has been dealt with, 0 when it must go on to the window.
int SelectCombination(ui::TForm* form, int code);

}  // namespace talo

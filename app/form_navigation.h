// Showing the program's forms over one another: which form the user works in, parking the main
// window off screen behind a dialog, and the operations that open the list, options, about box
// and the assignment editor.
#pragma once

#include <windows.h>

namespace talo {

namespace ui {
class TForm;
}

// The form the user can work in: the first visible and enabled one of the eight, or none. A modal
// dialog disables the others.
ui::TForm* FindActiveForm();
// The window a message box belongs over, which it then blocks: the active form's, else (none
// shown, as at start-up) the hidden application window.
HWND MessageOwner();

// Moves the main window off screen (shown, so that it keeps its place in the window order) while
// a dialog runs; with `only_when_inactive`, not when the main window is the active form.
void ParkMainWindow(bool only_when_inactive);
void RestoreMainWindow();

void ShowListForm();
void ShowOptionsForm();
void ShowAboutForm();
// Opens the assignment editor for `code` from `caller` (the main window or the list).
void EditAssignment(int code, ui::TForm* caller);

}  // namespace talo

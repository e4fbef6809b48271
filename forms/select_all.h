// Ctrl+A in the forms' edits.
#pragma once

#include <windows.h>

namespace talo {

// For Ctrl+A without Alt: selects the whole text of `edit` when it has one that is not already
// wholly selected, and consumes the key (true). Any other key is left alone (false).
bool SelectAllOnCtrlA(HWND edit, WORD key);

}  // namespace talo

// The comctl32 declarations, included in the order they compile, and loading its window classes.
#pragma once

#include <windows.h>
// commctrl.h builds on the types of windows.h
#include <commctrl.h>

namespace talo::ui {

// Registers the common control classes the framework uses (list view, tab control, status bar,
// tooltips); later calls do nothing. False when comctl32 refused.
bool LoadCommonControls();

}  // namespace talo::ui

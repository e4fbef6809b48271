// Start-up, single instance and shutdown of Talowick.exe.
#pragma once

#include <windows.h>

namespace talo {

inline constexpr int kArgumentBufferSize = 4096;

// Fills `buffer` (kArgumentBufferSize bytes) with the argument text of `command_line` (the
// process command line when null); returns its length.
int GetCommandArguments(char* buffer, const char* command_line = nullptr);

struct Switches {
  bool silent = false;
  bool terminate = false;
};
Switches ParseSwitches(const char* arguments);

HWND FindPreviousInstance(const char* class_name, const char* caption);

// Asks the instance that owns `window` to quit and waits (pumping messages) until its process is
// gone; false on any failure or after 10 seconds.
bool CloseInstance(HWND window);

// True when the program is up and the message loop must run; false when it must end now (every
// message has been shown already).
bool StartApplication();
// Frees everything that exists, in reverse order; safe after a half-done start and safe twice.
void StopApplication();
// The eight forms as the program's globals, the main window first (it becomes the application's
// main form); freed in reverse order, each global back to null.
void CreateForms();
void FreeForms();

// Runs the message loop until it ends; an exception that leaves it is shown.
void RunApplication();
// Ends the message loop (the tray menu's Exit).
void ExitApplication();

}  // namespace talo

// Drives real programs from tests: start processes, find their windows and message boxes, press
// buttons, read named shared memory and the clipboard. probe.exe offers the same to shell tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace talo::test {

// Windows path of a folder of the build (given to the tests as a Unix path).
std::string InstallFolder();
std::string SourceFolder();
std::string UnixToWindowsPath(const std::string& unix_path);

// A wait's limit on the machine the tests run on: the build's tests may run on a machine
// several times slower (TALO_WAIT_FACTOR, an emulated one), where a limit measured here would
// fail a test that is only slow. 0 and INFINITE stay as they are.
DWORD Stretched(DWORD timeout_ms);

class Process {
 public:
  Process() = default;
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&&) = delete;
  Process(const Process&) = delete;

  // Starts `program` with the command line "\"program\" arguments".
  static Process Start(const std::string& program, const std::string& arguments = "");
  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  // Waits for the end; false after the timeout. The exit code is kept.
  bool WaitForExit(DWORD timeout_ms);
  DWORD ExitCode() const;
  void Kill();

 private:
  PROCESS_INFORMATION info_ = {};
};

// Polls until a top-level window of `class_name` (may be null) and `caption` exists; optionally
// only one of process `process_id`. Returns null after the timeout.
HWND WaitForWindow(const char* class_name, const char* caption, DWORD timeout_ms,
                   DWORD process_id = 0);
// Every top-level window of `class_name` and `caption` (either may be null), topmost first.
std::vector<HWND> TopLevelWindows(const char* class_name, const char* caption);
// Polls until `window` is gone or `visible` has the wanted value.
bool WaitForWindowGone(HWND window, DWORD timeout_ms);
bool WaitForVisible(HWND window, bool visible, DWORD timeout_ms);
bool WaitForForeground(HWND window, DWORD timeout_ms);

struct MessageBoxContent {
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;
  bool error_icon = false;
  bool warning_icon = false;
};
MessageBoxContent ReadMessageBox(HWND box);
// Presses the button `id` (IDOK...) of a dialog as a click would.
bool PressDialogButton(HWND dialog, int id);

// The bytes of a named shared memory block, or empty when it does not exist. `size` bytes are read.
std::string ReadSharedMemory(const std::string& name, size_t size);
bool SharedMemoryExists(const std::string& name);
bool WaitForSharedMemory(const std::string& name, DWORD timeout_ms);

std::string ReadClipboardText();
// Empties the clipboard and puts `text` on it as CF_TEXT; false when the clipboard is busy.
bool WriteClipboardText(const std::string& text);
// The same with CF_UNICODETEXT.
bool WriteClipboardUnicode(const std::wstring& text);

// True when the notification area holds the icon `id` of `owner`: the shell accepts a change of
// an icon it has and refuses one it has not.
bool TrayIconExists(HWND owner, UINT id);
bool WaitForTrayIcon(HWND owner, UINT id, DWORD timeout_ms);

}  // namespace talo::test

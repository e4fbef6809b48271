// Carrying out an assignment: open its shortcut, or put its text or object on the clipboard and
// paste it.
//
// Compiled into the hook library too, where it runs inside the focused application: nothing here
// throws, allocates from the C++ runtime or keeps anything between calls.
#pragma once

#include <windows.h>

namespace talo {

// How a run of an assignment ended.
enum class Execution {
  kDone,
  kFailed,   // a missing file, a shell error, a busy clipboard
  kRefused,  // the content file is larger than the editor writes, or a shortcut file is broken:
             // it was never handed to the shell or the clipboard
  kFaulted,  // a fault inside a shell or clipboard call (a broken shell extension) ended the run
};

// Whether a text or an object is pasted after it is put on the clipboard, and when.
enum class Paste {
  kNone,
  kAfterRelease,  // once the user has let go of the combination's modifiers, for a moment at most
  kAtOnce,        // around the modifiers as they are: the user holds the combination down
};

// Carries out the assignment of `code` whose user status byte is `status` (only its kind is
// used), with the content file in `folder` (ending in a backslash): a shortcut is opened with the
// shell; a text or an object is put on the clipboard and pasted as `paste` says, by a simulated
// Ctrl+V. Shows nothing.
Execution CarryOutAssignment(const char* folder, int code, unsigned char status, Paste paste);
// True when CarryOutAssignment is done; `paste` means Paste::kAfterRelease.
bool ExecuteAssignment(const char* folder, int code, unsigned char status, bool paste);

// ExecuteAssignment, then the message box that tells its result, with `name` in place of "%s" and
// `owner` as the owner window; no message without a name. The program's assignment list uses it.
bool ExecuteAndReport(HWND owner, const char* folder, int code, const char* name,
                      unsigned char status, bool paste);

// Puts the bytes of a text file, unchanged and NUL-terminated, on the clipboard as CF_TEXT; a file
// that starts with the UTF-8 byte-order mark goes as CF_UNICODETEXT (its valid part) and CF_TEXT in
// the system code page. An empty or unreadable file, or one larger than kMaxTextFileSize, fails
// without touching the clipboard.
bool CopyTextFileToClipboard(const char* file_name);
// The same for an open file, read from its start.
bool CopyTextToClipboard(HANDLE file);

// Types Ctrl+V into the focused application while the modifiers of a combination (bit 0 Shift,
// bit 1 Ctrl, bit 2 Alt) are held, and leaves them as the user holds them. With
// `wait_for_release` it first waits up to 250 ms for the user to let go of them.
void SimulatePaste(int modifiers, bool wait_for_release);

// Every key SimulatePaste types carries this scan code, which no keyboard sends (in the first scan
// code set it reports an overrun, never a key). KeyboardProc passes such a key on untouched: the
// paste it typed must never run an assignment on Ctrl+V again, nor anything else.
inline constexpr unsigned kPasteScanCode = 0xFF;
inline bool IsPasteKey(LPARAM flags) {
  return ((static_cast<DWORD>(flags) >> 16) & 0xFF) == kPasteScanCode;
}

}  // namespace talo

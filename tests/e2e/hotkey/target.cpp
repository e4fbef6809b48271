// hotkey_target.exe: the application in front during the hot-key test. One window with an edit
// control that takes the keys; every 50 ms it writes what it has seen into its log file:
//
//   keys=41 42 75       the virtual keys of every WM_KEYDOWN / WM_SYSKEYDOWN the edit received
//   mods=0              Shift 1, Ctrl 2, Alt 4 as the desktop's key state has them now
//   text=...            the edit's text in UTF-8 (the rest of the file)
//
// The edit is a Unicode window, as in most programs today, so that a pasted CF_UNICODETEXT arrives
// whole; a paste takes the text format that was put on the clipboard first, as the hook put it.
// It ends when a file named like the log plus ".quit" appears.
//
// Beside the log, a journal (named like the log plus ".events") gets one line per thing the edit
// received, in the order it came, for runs too long to compare whole texts:
//
//   char a                      a typed character (WM_CHAR of a printable character, UTF-8)
//   paste text=Pasted by ...    a paste (WM_PASTE) while the clipboard holds a text: the text
//   paste format=8 size=3112    a paste while it holds none: its first format and that one's size
//   gdi=24                      the target's GDI objects, counted when a file named like the log
//                               plus ".count" appears; the target removes that file, and empties
//                               its edit and its key list, so that they do not grow between counts
#include <windows.h>

#include <string>

#include "base/unique.h"
#include "base/wide_text.h"
#include "tests/support/process_resources.h"

namespace {

std::string log_path;
std::string keys;
HWND edit = nullptr;
WNDPROC edit_procedure = nullptr;
talo::FileHandle journal;

void Journal(const std::string& line) {
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(journal.get(), text.data(), DWORD(text.size()), &written, nullptr);
}

// The first text format on the clipboard: Wine makes the other one from it on request.
UINT FirstTextFormat() {
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
    if (format == CF_TEXT || format == CF_UNICODETEXT) return format;
  return 0;
}

// "text=" and the clipboard's text in UTF-8, or what the clipboard holds instead.
std::string ClipboardContent(HWND window) {
  if (!OpenClipboard(window)) return "unreadable";
  std::string content;
  const UINT text_format = FirstTextFormat();
  if (HANDLE text = text_format ? GetClipboardData(text_format) : nullptr) {
    if (const void* chars = GlobalLock(text)) {
      content =
          "text=" + talo::NarrowToUtf8(text_format == CF_UNICODETEXT
                                           ? static_cast<const wchar_t*>(chars)
                                           : talo::WidenAnsi(static_cast<const char*>(chars)));
      GlobalUnlock(text);
    }
  } else if (const UINT format = EnumClipboardFormats(0)) {
    char line[64];
    wsprintfA(line, "format=%u size=%u", format, unsigned(GlobalSize(GetClipboardData(format))));
    content = line;
  } else {
    content = "empty";
  }
  CloseClipboard();
  return content;
}

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    char hex[8];
    wsprintfA(hex, "%02X ", unsigned(wparam & 0xFF));
    keys += hex;
  }
  if (message == WM_CHAR && wparam >= ' ') {
    Journal("char " + talo::NarrowToUtf8(std::wstring(1, static_cast<wchar_t>(wparam))));
  }
  if (message == WM_PASTE) {
    const std::string content = ClipboardContent(window);
    Journal("paste " + content);
    // The edit itself would paste CF_UNICODETEXT, which Wine makes from the CF_TEXT that the hook
    // puts there and never frees (about 1 KiB each time): the target inserts the text itself, so
    // that what it holds after thousands of pastes tells about the hook and not about that.
    const std::string text_prefix = "text=";
    if (content.compare(0, text_prefix.size(), text_prefix) == 0) {
      const std::string utf8 = content.substr(text_prefix.size());
      const std::wstring text = talo::WidenUtf8(utf8.data(), utf8.size());
      SendMessageW(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
      return 0;
    }
  }
  return CallWindowProcW(edit_procedure, window, message, wparam, lparam);
}

void AnswerCountRequest() {
  const std::string request = log_path + ".count";
  if (GetFileAttributesA(request.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  Journal("gdi=" + std::to_string(talo::test::CountOwnGdiObjects()));
  SetWindowTextA(edit, "");
  keys.clear();
  DeleteFileA(request.c_str());
}

int HeldModifiers() {
  return (GetAsyncKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetAsyncKeyState(VK_CONTROL) < 0 ? 2 : 0) |
         (GetAsyncKeyState(VK_MENU) < 0 ? 4 : 0);
}

// Written aside and moved over the log, so that a reader never sees half a file.
void WriteLog() {
  std::wstring wide(GetWindowTextLengthW(edit) + 1, L'\0');
  wide.resize(GetWindowTextW(edit, &wide[0], int(wide.size())));
  const std::string text = talo::NarrowToUtf8(wide);
  char mods[16];
  wsprintfA(mods, "%d", HeldModifiers());
  const std::string content = "keys=" + keys + "\nmods=" + mods + "\ntext=" + text;
  const std::string aside = log_path + ".new";
  HANDLE file = CreateFileA(aside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr);
  CloseHandle(file);
  MoveFileExA(aside.c_str(), log_path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      MoveWindow(edit, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(edit);
      return 0;
    case WM_TIMER:
      AnswerCountRequest();
      WriteLog();
      if (GetFileAttributesA((log_path + ".quit").c_str()) != INVALID_FILE_ATTRIBUTES)
        DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  log_path = command_line;
  if (log_path.size() >= 2 && log_path.front() == '"')
    log_path = log_path.substr(1, log_path.size() - 2);
  journal.reset(CreateFileA((log_path + ".events").c_str(), GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS, 0,
                            nullptr));

  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = MainProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = "TaloHotkeyTarget";
  RegisterClassA(&window_class);
  HWND window = CreateWindowA("TaloHotkeyTarget", "Talo Hotkey Target", WS_OVERLAPPEDWINDOW, 0, 0,
                              600, 400, nullptr, nullptr, instance, nullptr);
  edit = CreateWindowW(L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                       600, 400, window, nullptr, instance, nullptr);
  edit_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  SetFocus(edit);
  SetTimer(window, 1, 50, nullptr);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

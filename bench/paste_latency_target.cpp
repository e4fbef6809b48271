// paste_latency_target.exe LOG: the application the paste-latency benchmark pastes into. One
// window with an edit control; a low-level keyboard hook on a thread of its own notes the moment
// each real key event reaches Windows, and when a paste changes the edit's text the target appends
// "<virtual key> <microseconds from that key's key-down to the new text> <text>" to LOG and empties
// the edit again. It ends when a file named like LOG plus ".quit" appears.
//
// The low-level hook sees the event before any application or hot key does, so both ways of
// pasting are timed from the same instant, in the same process, on the same clock.
//
// A keyboard hook of the window's own thread, which Windows calls before the system-wide ones,
// also times how long the hooks after it hold this thread for the key-down of F5, and appends
// "hold <microseconds>" to LOG: that is how long Talowick's hook keeps the application it pastes
// into from its input.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>

namespace {

// The keys that start a paste: F5 for Talowick's assignment, F8 for the minimal program.
constexpr DWORD kTriggerKeys[] = {VK_F5, VK_F8};

std::string log_path;
HWND edit = nullptr;
std::atomic<long long> key_down_at{0};
std::atomic<DWORD> key_down_vk{0};

long long Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

double Microseconds(long long from, long long to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to - from) * 1e6 / double(frequency.QuadPart);
}

LRESULT CALLBACK LowLevelKeyboard(int code, WPARAM message, LPARAM lparam) {
  const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
  if (code == HC_ACTION && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) &&
      !(event->flags & LLKHF_INJECTED)) {
    for (DWORD key : kTriggerKeys)
      if (event->vkCode == key) {
        key_down_at = Now();
        key_down_vk = key;
      }
  }
  return CallNextHookEx(nullptr, code, message, lparam);
}

// A thread of its own keeps the hook answering while the window's thread is busy pasting.
DWORD WINAPI HookThread(void*) {
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, LowLevelKeyboard, GetModuleHandleA(nullptr), 0);
  if (!hook) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  UnhookWindowsHookEx(hook);
  return 0;
}

void AppendToLog(const char* line);

HHOOK thread_hook = nullptr;

LRESULT CALLBACK ThreadKeyboard(int code, WPARAM key, LPARAM flags) {
  const bool timed = code == HC_ACTION && key == VK_F5 && !(DWORD(flags) & 0x80000000u);
  const long long started = timed ? Now() : 0;
  const LRESULT result = CallNextHookEx(thread_hook, code, key, flags);
  if (timed) {
    char line[64];
    std::snprintf(line, sizeof line, "hold %.0f\n", Microseconds(started, Now()));
    AppendToLog(line);
  }
  return result;
}

void AppendToLog(const char* line) {
  HANDLE file = CreateFileA(log_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line, DWORD(lstrlenA(line)), &written, nullptr);
  CloseHandle(file);
}

void TextChanged() {
  const long long now = Now();
  if (GetWindowTextLengthA(edit) == 0) return;  // our own emptying
  const long long started = key_down_at.exchange(0);
  const DWORD key = key_down_vk;
  if (started) {
    // The text too: a paste that arrives as a plain "v" is timed but must not count as right.
    char text[64] = {};
    GetWindowTextA(edit, text, sizeof text);
    char line[128];
    std::snprintf(line, sizeof line, "%02lX %.0f %s\n", key, Microseconds(started, now), text);
    AppendToLog(line);
  }
  SetWindowTextA(edit, "");
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      MoveWindow(edit, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(edit);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wparam) == EN_CHANGE) TextChanged();
      return 0;
    case WM_TIMER:
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
  CloseHandle(CreateThread(nullptr, 0, HookThread, nullptr, 0, nullptr));

  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = MainProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = "TaloPasteTarget";
  RegisterClassA(&window_class);
  HWND window = CreateWindowA("TaloPasteTarget", "Talo Paste Target", WS_OVERLAPPEDWINDOW, 0, 0,
                              600, 400, nullptr, nullptr, instance, nullptr);
  edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 600,
                       400, window, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  SetFocus(edit);
  SetTimer(window, 1, 100, nullptr);
  thread_hook = SetWindowsHookExA(WH_KEYBOARD, ThreadKeyboard, nullptr, GetCurrentThreadId());
  AppendToLog("started\n");

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

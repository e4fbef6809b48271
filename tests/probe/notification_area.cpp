// A stand-in for Explorer's notification area, for tests of a shell that starts or restarts while
// the program runs. Wine's Shell_NotifyIcon hands each request to the first window of the shell's
// class as WM_COPYDATA: this window, made after Explorer's and kept above it, gets them first.
#include "tests/probe/notification_area.h"

#include <shellapi.h>

#include <cstdio>

namespace {

// The start of Wine's own form of a notification request (dlls/shell32/systray.c).
struct WineNotifyData {
  LONG window;
  UINT id;
  UINT flags;
  UINT callback_message;
  WCHAR tip[128];
};

struct Area {
  const char* log_file;
  const char* ready_file;
  bool ready;
  HWND icon_window;
  UINT icon_id;
  UINT callback_message;
};
Area* TheArea = nullptr;

void Log(const char* line) {
  if (FILE* log = std::fopen(TheArea->log_file, "ab")) {
    std::fprintf(log, "%s\n", line);
    std::fclose(log);
  }
}

LRESULT CALLBACK AreaProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_COPYDATA) return DefWindowProcA(window, message, wparam, lparam);
  const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
  if (!copy || copy->cbData < sizeof(WineNotifyData)) return FALSE;
  const auto* data = static_cast<const WineNotifyData*>(copy->lpData);
  const char* verb = copy->dwData == NIM_ADD      ? "add"
                     : copy->dwData == NIM_DELETE ? "delete"
                     : copy->dwData == NIM_MODIFY ? "modify"
                                                  : "other";
  char tip[128] = "";
  WideCharToMultiByte(CP_ACP, 0, data->tip, -1, tip, sizeof tip - 1, nullptr, nullptr);
  char line[256];
  std::snprintf(line, sizeof line, "%s%s %ld %u 0x%x %s", TheArea->ready ? "" : "refused ", verb,
                long(data->window), data->id, data->callback_message, tip);
  Log(line);
  if (!TheArea->ready) return FALSE;
  if (copy->dwData == NIM_ADD) {
    TheArea->icon_window = reinterpret_cast<HWND>(LONG_PTR(data->window));
    TheArea->icon_id = data->id;
    TheArea->callback_message = data->callback_message;
  }
  return TRUE;
}

bool Exists(const char* file) {
  return file && GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int RunNotificationArea(const char* log_file, const char* ready_file, const char* click_file,
                        const char* done_file) {
  Area area = {log_file, ready_file, false, nullptr, 0, 0};
  TheArea = &area;
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = AreaProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "Shell_TrayWnd";
  if (!RegisterClassA(&window_class)) return 1;
  HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP, 0,
                                0, 0, 0, nullptr, nullptr, window_class.hInstance, nullptr);
  if (!window) return 1;
  Log("started");

  const UINT taskbar_created = RegisterWindowMessageA("TaskbarCreated");
  while (!Exists(done_file)) {
    if (!area.ready && Exists(ready_file)) {
      // As Explorer does once its notification area is made: every program adds its icons.
      area.ready = true;
      Log("ready");
      SendNotifyMessageA(HWND_BROADCAST, taskbar_created, 0, 0);
    }
    if (area.icon_window && Exists(click_file)) {
      // A right-button press on the icon, as the shell reports it to the icon's window.
      DeleteFileA(click_file);
      PostMessageA(area.icon_window, area.callback_message, area.icon_id, WM_RBUTTONDOWN);
      PostMessageA(area.icon_window, area.callback_message, area.icon_id, WM_RBUTTONUP);
      Log("clicked");
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  DestroyWindow(window);
  return 0;
}

// The baseline of the start-up benchmark: the least a resident program does before its icon is in
// the notification area - one window, one icon - and it ends on WM_QUIT as Talowick.exe does.
#include <windows.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = instance;
  window_class.lpszClassName = "MinimalTray";
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, "MinimalTray", "Minimal tray", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                100, nullptr, nullptr, instance, nullptr);
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = window;
  data.uID = 1024;
  data.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
  data.uCallbackMessage = 0x2410;
  data.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
  lstrcpyA(data.szTip, "Minimal");
  Shell_NotifyIconA(NIM_ADD, &data);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  Shell_NotifyIconA(NIM_DELETE, &data);
  DestroyWindow(window);
  return 0;
}

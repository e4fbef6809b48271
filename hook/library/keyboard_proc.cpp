// The system-wide keyboard hook procedure: runs inside every process that reads keys.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" LRESULT CALLBACK KeyboardProc(int code, WPARAM wparam,
                                                               LPARAM lparam) {
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

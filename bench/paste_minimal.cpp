// paste_minimal.exe TEXT: the least a program can do to paste a text on a hot key, the yardstick
// of the paste-latency benchmark. Ctrl+Alt+F8 puts TEXT on the clipboard and types Ctrl+V into the
// focused application with the same key events as Talowick's paste of a Ctrl+Alt combination.
// Ends on WM_QUIT or after ten minutes.
#include <windows.h>

#include <cstring>

#include "hook/library/assignment_execution.h"

namespace {

constexpr int kHotKeyId = 1;
constexpr int kCtrlAltModifiers = 6;  // bit 1 Ctrl, bit 2 Alt, as SimulatePaste takes them

bool PutTextOnClipboard(const char* text) {
  const SIZE_T size = std::strlen(text) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return false;
  std::memcpy(GlobalLock(block), text, size);
  GlobalUnlock(block);
  bool handed_over = false;
  if (OpenClipboard(nullptr)) {
    handed_over = EmptyClipboard() && SetClipboardData(CF_TEXT, block);
    CloseClipboard();
  }
  if (!handed_over) GlobalFree(block);
  return handed_over;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  char* text = command_line;
  const int length = lstrlenA(text);
  if (length >= 2 && text[0] == '"' && text[length - 1] == '"') {
    text[length - 1] = '\0';
    ++text;
  }
  if (!RegisterHotKey(nullptr, kHotKeyId, MOD_CONTROL | MOD_ALT, VK_F8)) return 1;
  SetTimer(nullptr, 0, 10 * 60 * 1000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER) break;
    if (msg.message == WM_HOTKEY && PutTextOnClipboard(text))
      talo::SimulatePaste(kCtrlAltModifiers, true);
  }
  UnregisterHotKey(nullptr, kHotKeyId);
  return 0;
}

// Ctrl+A in the forms' edits.
#include "forms/select_all.h"

namespace talo {

bool SelectAllOnCtrlA(HWND edit, WORD key) {
  if (key != 'A' || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
  const int length = GetWindowTextLengthA(edit);
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (length > 0 && !(start == 0 && static_cast<int>(end) == length))
    SendMessageA(edit, EM_SETSEL, 0, length);
  return true;
}

}  // namespace talo

// Shared pieces of the form framework tests.
#include "tests/ui/ui_fixture.h"

#include "ui/key_event.h"

namespace talo::test {

ui::FormDesign TestDesign(const char* class_name) {
  ui::FormDesign design;
  design.class_name = class_name;
  design.caption = class_name;
  design.width = 400;
  design.height = 300;
  return design;
}

void PressKey(HWND window, WORD key, unsigned shift) {
  BYTE saved[256] = {};
  GetKeyboardState(saved);
  BYTE held[256] = {};
  const BYTE kDown = 0x80;
  if (shift & ui::kShift) held[VK_SHIFT] = kDown;
  if (shift & ui::kCtrl) held[VK_CONTROL] = kDown;
  if (shift & ui::kAlt) held[VK_MENU] = kDown;
  SetKeyboardState(held);
  SendMessageA(window, (shift & ui::kAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
  SetKeyboardState(saved);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

HBITMAP MakeBitmap(int width, int height, COLORREF fill) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT area = {0, 0, width, height};
  HBRUSH brush = CreateSolidBrush(fill);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

void SetBitmapPixel(HBITMAP bitmap, int x, int y, COLORREF color) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SetPixel(dc, x, y, color);
  SelectObject(dc, old);
  DeleteDC(dc);
}

PrintedClient::PrintedClient(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = CreateCompatibleBitmap(screen, client.right, client.bottom);
  ReleaseDC(nullptr, screen);
  old_ = SelectObject(dc_, bitmap_);
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT | PRF_ERASEBKGND);
}

PrintedClient::~PrintedClient() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

}  // namespace talo::test

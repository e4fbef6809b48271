// Shared pieces of the form framework tests: an application per test, form designs, pictures.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "ui/application.h"
#include "ui/form.h"

namespace talo::test {

// Every test runs with its own application object, as the program has one.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override { app.Initialize(); }
  ui::TApplication app;
};

// A plain, resizable test form of 400 x 300 pixels.
ui::FormDesign TestDesign(const char* class_name);

// Handles the messages waiting for this thread without blocking.
void PumpMessages();

// Sends `window` the key going down with the modifiers `shift` (ui::kShift | ui::kCtrl | ui::kAlt)
// held in this thread's key state, as the framework reads them; the state is restored after.
void PressKey(HWND window, WORD key, unsigned shift);

// A screen-compatible bitmap of `width` x `height` filled with `fill`.
HBITMAP MakeBitmap(int width, int height, COLORREF fill);
void SetBitmapPixel(HBITMAP bitmap, int x, int y, COLORREF color);

// What `window` paints for WM_PRINTCLIENT, read back pixel by pixel.
class PrintedClient {
 public:
  explicit PrintedClient(HWND window);
  ~PrintedClient();
  PrintedClient(const PrintedClient&) = delete;
  PrintedClient& operator=(const PrintedClient&) = delete;
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

}  // namespace talo::test

// What a bitmap shows: its size and the colour of every pixel, and the screen's device context
// that device-dependent bitmaps are made for.
#pragma once

#include <windows.h>

#include <vector>

namespace talo::test {

struct BitmapPixels {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // top row first

  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Reads the bitmap through GetDIBits; 0 x 0 when it cannot be read. The bitmap must not be
// selected into a device context.
BitmapPixels ReadBitmapPixels(HBITMAP bitmap);
// The colour bitmap of an icon, read so; 0 x 0 for no icon or a monochrome one.
BitmapPixels ReadIconPixels(HICON icon);

// The screen's device context for the length of a scope.
class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ~ScreenDC() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace talo::test

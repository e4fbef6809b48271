// What a bitmap shows: its size and the colour of every pixel, and the screen's device context
// that device-dependent bitmaps are made for.
#include "tests/support/bitmap_pixels.h"

namespace talo::test {

BitmapPixels ReadBitmapPixels(HBITMAP bitmap) {
  BitmapPixels result;
  BITMAP size = {};
  if (!bitmap || GetObject(bitmap, sizeof size, &size) != sizeof size) return result;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.bmWidth;
  info.bmiHeader.biHeight = -size.bmHeight;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> quads(static_cast<size_t>(size.bmWidth) * size.bmHeight);
  ScreenDC screen;
  if (GetDIBits(screen.get(), bitmap, 0, size.bmHeight, quads.data(), &info, DIB_RGB_COLORS) !=
      size.bmHeight)
    return result;
  result.width = size.bmWidth;
  result.height = size.bmHeight;
  result.pixels.reserve(quads.size());
  for (const RGBQUAD& quad : quads)
    result.pixels.push_back(RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue));
  return result;
}

BitmapPixels ReadIconPixels(HICON icon) {
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return BitmapPixels();
  BitmapPixels result = ReadBitmapPixels(info.hbmColor);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return result;
}

}  // namespace talo::test

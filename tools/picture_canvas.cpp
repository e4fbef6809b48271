// PictureCanvas: a small picture of 16-colour palette indices that the data generators draw on
// and pack into bitmap rows.
#include "tools/picture_canvas.h"

#include "data/graph_data.h"

namespace talo::tools {

PictureCanvas::PictureCanvas(int width, int height, std::uint8_t fill)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(static_cast<size_t>(width_) * height_, fill) {}

void PictureCanvas::Set(int x, int y, std::uint8_t color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * width_ + x] = color;
}

std::uint8_t PictureCanvas::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kWhite;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void PictureCanvas::FillRect(int left, int top, int width, int height, std::uint8_t color) {
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x) Set(x, y, color);
}

void PictureCanvas::HorizontalLine(int left, int right, int y, std::uint8_t color) {
  for (int x = left; x <= right; ++x) Set(x, y, color);
}

void PictureCanvas::VerticalLine(int x, int top, int bottom, std::uint8_t color) {
  for (int y = top; y <= bottom; ++y) Set(x, y, color);
}

bool PictureCanvas::Pack(int bits_per_pixel, std::string& rows) const {
  rows.clear();
  if (bits_per_pixel != 1 && bits_per_pixel != 4) return false;
  const size_t stride = static_cast<size_t>(PictureRowStride(width_, bits_per_pixel));
  std::string packed(stride * height_, '\0');
  for (int y = 0; y < height_; ++y) {
    // Device-independent bitmaps keep their bottom row first.
    unsigned char* row =
        reinterpret_cast<unsigned char*>(&packed[(static_cast<size_t>(height_) - 1 - y) * stride]);
    for (int x = 0; x < width_; ++x) {
      std::uint8_t color = At(x, y);
      if (color > kWhite) return false;
      if (bits_per_pixel == 4) {
        row[x / 2] |= x % 2 == 0 ? color << 4 : color;
      } else if (color == kWhite) {
        row[x / 8] |= 0x80 >> (x % 8);
      } else if (color != kBlack) {
        return false;
      }
    }
  }
  rows.swap(packed);
  return true;
}

}  // namespace talo::tools

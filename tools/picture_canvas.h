// PictureCanvas: a small picture of 16-colour palette indices that the data generators draw on
// and pack into bitmap rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace talo::tools {

// Indices of the fixed 16-colour table of the pictures that the drawings use.
enum PaletteIndex : std::uint8_t {
  kBlack = 0,
  kSilver = 7,
  kGrey = 8,
  kWhite = 15,
};

class PictureCanvas {
 public:
  PictureCanvas(int width, int height, std::uint8_t fill);

  int Width() const { return width_; }
  int Height() const { return height_; }

  // Drawing outside the canvas is cut off.
  void Set(int x, int y, std::uint8_t color);
  std::uint8_t At(int x, int y) const;
  void FillRect(int left, int top, int width, int height, std::uint8_t color);
  void HorizontalLine(int left, int right, int y, std::uint8_t color);
  void VerticalLine(int x, int top, int bottom, std::uint8_t color);

  // Bottom-up rows of `bits_per_pixel` (1 or 4), each padded to 4 bytes. At 1 bit only black
  // and white can be stored; any other colour, or another depth, fails and leaves `rows` empty.
  bool Pack(int bits_per_pixel, std::string& rows) const;

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;  // top-down, one index per pixel
};

}  // namespace talo::tools

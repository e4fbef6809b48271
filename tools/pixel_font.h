// PixelFont: the bitmap font of the key labels, read from text art.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/picture_canvas.h"

namespace talo::tools {

// The characters of a UTF-8 text, each as its own string ("←" is one character of 3 bytes).
std::vector<std::string> SplitCharacters(const std::string& text);

class PixelFont {
 public:
  // Rows from the top of a capital to the baseline, and with the rows below it.
  static constexpr int kAscent = 7;
  static constexpr int kLineHeight = 9;

  // Reads the glyphs of a font file (see tools/data/graphics_font.txt); false with a reason in
  // `error` when the file is missing or malformed.
  bool Load(const std::string& path, std::string& error);

  // Width in pixels of `text` set in one line; -1 when a character has no glyph.
  int TextWidth(const std::string& text) const;
  // The characters of `text` that have no glyph, for error messages.
  std::string MissingCharacters(const std::string& text) const;

  // Sets `text` with the top of its capitals at `top`.
  void Draw(PictureCanvas& canvas, int left, int top, const std::string& text,
            std::uint8_t color) const;

 private:
  struct Glyph {
    int width = 0;
    std::vector<std::string> rows;
  };
  std::map<std::string, Glyph> glyphs_;
};

}  // namespace talo::tools

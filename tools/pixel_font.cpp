// PixelFont: the bitmap font of the key labels, read from text art.
#include "tools/pixel_font.h"

#include <fstream>

namespace talo::tools {
namespace {

constexpr char kGlyphPrefix[] = "glyph ";
constexpr int kGlyphSpacing = 1;

bool IsArtRow(const std::string& line) {
  return !line.empty() && line.find_first_not_of("#.") == std::string::npos;
}

}  // namespace

std::vector<std::string> SplitCharacters(const std::string& text) {
  std::vector<std::string> characters;
  for (size_t at = 0; at < text.size();) {
    size_t length = 1;
    // Continuation bytes of a UTF-8 sequence are 10xxxxxx.
    while (at + length < text.size() &&
           (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
      ++length;
    characters.push_back(text.substr(at, length));
    at += length;
  }
  return characters;
}

bool PixelFont::Load(const std::string& path, std::string& error) {
  glyphs_.clear();
  std::ifstream in(path);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  std::string name;
  int line_number = 0;
  auto fail = [&](const std::string& reason) {
    error = path + ":" + std::to_string(line_number) + ": " + reason;
    glyphs_.clear();
    return false;
  };
  auto finish_glyph = [&]() {
    if (name.empty()) return true;
    const Glyph& glyph = glyphs_[name];
    if (glyph.rows.size() < static_cast<size_t>(kAscent) ||
        glyph.rows.size() > static_cast<size_t>(kLineHeight))
      return fail("glyph " + name + " needs 7 to 9 rows");
    return true;
  };

  // A glyph's block runs from its "glyph" line to the next blank line; outside the blocks,
  // lines that start with '#' are comments.
  bool in_block = false;
  std::string line;
  while (std::getline(in, line)) {
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) {
      in_block = false;
    } else if (line.compare(0, sizeof kGlyphPrefix - 1, kGlyphPrefix) == 0) {
      if (!finish_glyph()) return false;
      name = line.substr(sizeof kGlyphPrefix - 1);
      if (name == "space") name = " ";
      if (SplitCharacters(name).size() != 1) return fail("a glyph is one character");
      if (glyphs_.count(name)) return fail("glyph " + name + " given twice");
      glyphs_[name];
      in_block = true;
    } else if (in_block) {
      if (!IsArtRow(line)) return fail("rows are made of '#' and '.'");
      Glyph& glyph = glyphs_[name];
      if (glyph.rows.empty()) glyph.width = static_cast<int>(line.size());
      if (static_cast<int>(line.size()) != glyph.width)
        return fail("rows of glyph " + name + " differ in width");
      glyph.rows.push_back(line);
    } else if (line[0] != '#') {
      return fail("neither a glyph nor a comment");
    }
  }
  return finish_glyph();
}

int PixelFont::TextWidth(const std::string& text) const {
  int width = 0;
  for (const std::string& character : SplitCharacters(text)) {
    auto glyph = glyphs_.find(character);
    if (glyph == glyphs_.end()) return -1;
    if (width > 0) width += kGlyphSpacing;
    width += glyph->second.width;
  }
  return width;
}

std::string PixelFont::MissingCharacters(const std::string& text) const {
  std::string missing;
  for (const std::string& character : SplitCharacters(text))
    if (!glyphs_.count(character)) missing += character;
  return missing;
}

void PixelFont::Draw(PictureCanvas& canvas, int left, int top, const std::string& text,
                     std::uint8_t color) const {
  int x = left;
  for (const std::string& character : SplitCharacters(text)) {
    auto found = glyphs_.find(character);
    if (found == glyphs_.end()) continue;
    const Glyph& glyph = found->second;
    for (size_t row = 0; row < glyph.rows.size(); ++row)
      for (int column = 0; column < glyph.width; ++column)
        if (glyph.rows[row][column] == '#')
          canvas.Set(x + column, top + static_cast<int>(row), color);
    x += glyph.width + kGlyphSpacing;
  }
}

}  // namespace talo::tools

// The table of the pictures that go into Graphics.dat: slot, size, depth, drawing and label.
#include "tools/picture_table.h"

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

#include "data/graph_data.h"

namespace talo::tools {
namespace {

// One double-quoted label line starting at `at`, with \" and \\ unescaped.
bool ReadQuoted(const std::string& line, size_t& at, std::string& text) {
  text.clear();
  if (at >= line.size() || line[at] != '"') return false;
  for (++at; at < line.size(); ++at) {
    char c = line[at];
    if (c == '"') {
      ++at;
      return true;
    }
    if (c == '\\') {
      if (++at >= line.size()) return false;
      c = line[at];
      if (c != '"' && c != '\\') return false;
    }
    text += c;
  }
  return false;
}

bool ReadLabel(const std::string& line, size_t at, std::vector<std::string>& label) {
  label.clear();
  while (true) {
    while (at < line.size() && std::isspace(static_cast<unsigned char>(line[at]))) ++at;
    if (at >= line.size()) return true;
    std::string text;
    if (!ReadQuoted(line, at, text)) return false;
    label.push_back(text);
  }
}

}  // namespace

bool ReadPictureTable(const std::string& path, std::vector<PictureEntry>& pictures,
                      std::string& error) {
  pictures.clear();
  std::ifstream in(path);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  std::set<int> slots;
  std::string line;
  int line_number = 0;
  auto fail = [&](const std::string& reason) {
    error = path + ":" + std::to_string(line_number) + ": " + reason;
    pictures.clear();
    return false;
  };
  while (std::getline(in, line)) {
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;

    std::istringstream words(line);
    PictureEntry picture;
    picture.line_number = line_number;
    if (!(words >> picture.slot >> picture.width >> picture.height >> picture.bits_per_pixel >>
          picture.drawing))
      return fail("expected: slot width height bits drawing label...");
    std::streamoff label_start = words.tellg();
    if (label_start >= 0 && !ReadLabel(line, static_cast<size_t>(label_start), picture.label))
      return fail("a label line is text in double quotes");

    if (picture.slot < 0 || picture.slot >= kPictureSlotCount) return fail("slot outside 0-255");
    if (!slots.insert(picture.slot).second) return fail("slot given twice");
    if (picture.width < 1 || picture.width > kPictureMaxSide || picture.height < 1 ||
        picture.height > kPictureMaxSide)
      return fail("width and height are 1 to 65535");
    if (picture.bits_per_pixel != 1 && picture.bits_per_pixel != 4)
      return fail("pictures are drawn at 1 or 4 bits per pixel");
    pictures.push_back(picture);
  }
  if (pictures.empty()) return fail("no pictures");
  return true;
}

}  // namespace talo::tools

// The table of the pictures that go into Graphics.dat: slot, size, depth, drawing and label.
#pragma once

#include <string>
#include <vector>

namespace talo::tools {

struct PictureEntry {
  int slot = 0;
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
  std::string drawing;             // "key", "frame-left", "frame-centre", "frame-right", "focus"
  std::vector<std::string> label;  // lines of a key's label, top first
  int line_number = 0;             // where the picture is given, for messages
};

// Reads the table (see tools/data/graphics_pictures.txt). Fails with a reason in `error` on a
// malformed line, a slot outside 0-255 or given twice, a size outside 1-65535 or a depth other
// than 1 or 4.
bool ReadPictureTable(const std::string& path, std::vector<PictureEntry>& pictures,
                      std::string& error);

}  // namespace talo::tools

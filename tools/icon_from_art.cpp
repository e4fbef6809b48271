// Builds a Windows .ico (32-bit colour with mask) from reviewable text art.
//
// The art file holds one block per image: a line "size N" followed by N lines of N characters.
// A palette line "color C RRGGBB" gives a character its colour; '.' is transparent.
// Usage: icon_from_art ART_FILE ICO_FILE
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Image {
  int size = 0;
  std::vector<std::string> rows;
};

void Put16(std::string& out, uint16_t v) { out.append({char(v & 0xFF), char(v >> 8)}); }
void Put32(std::string& out, uint32_t v) {
  Put16(out, uint16_t(v));
  Put16(out, uint16_t(v >> 16));
}

std::string IconImageBytes(const Image& image, const std::map<char, uint32_t>& palette) {
  const int n = image.size;
  std::string out;
  Put32(out, 40);
  Put32(out, n);
  Put32(out, n * 2);  // colour rows and mask rows
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = n - 1; y >= 0; --y)
    for (int x = 0; x < n; ++x) {
      char c = image.rows[y][x];
      auto it = palette.find(c);
      uint32_t rgb = it == palette.end() ? 0 : it->second;
      uint32_t alpha = c == '.' ? 0 : 0xFF;
      Put32(out, (alpha << 24) | rgb);  // BGRA in memory is 0xAARRGGBB little-endian
    }
  const int mask_stride = ((n + 31) / 32) * 4;
  for (int y = n - 1; y >= 0; --y) {
    std::string row(mask_stride, '\0');
    for (int x = 0; x < n; ++x)
      if (image.rows[y][x] == '.') row[x / 8] |= char(0x80 >> (x % 8));
    out += row;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: icon_from_art ART_FILE ICO_FILE\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  std::map<char, uint32_t> palette;
  std::vector<Image> images;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "color") {
      std::string c, hex;
      words >> c >> hex;
      palette[c[0]] = uint32_t(std::stoul(hex, nullptr, 16));
    } else if (word == "size") {
      Image image;
      words >> image.size;
      for (int y = 0; y < image.size && std::getline(in, line); ++y) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (int(line.size()) != image.size) {
          std::fprintf(stderr, "%s: row %d of a %d-pixel image has %d characters\n", argv[1], y,
                       image.size, int(line.size()));
          return 1;
        }
        image.rows.push_back(line);
      }
      images.push_back(image);
    }
  }
  if (images.empty()) {
    std::fprintf(stderr, "%s: no image\n", argv[1]);
    return 1;
  }
  std::string header, body;
  Put16(header, 0);
  Put16(header, 1);
  Put16(header, uint16_t(images.size()));
  uint32_t offset = 6 + 16 * uint32_t(images.size());
  for (const Image& image : images) {
    std::string bytes = IconImageBytes(image, palette);
    header.push_back(char(image.size >= 256 ? 0 : image.size));
    header.push_back(char(image.size >= 256 ? 0 : image.size));
    header.push_back(0);
    header.push_back(0);
    Put16(header, 1);
    Put16(header, 32);
    Put32(header, uint32_t(bytes.size()));
    Put32(header, offset);
    offset += uint32_t(bytes.size());
    body += bytes;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << header << body;
  return out ? 0 : 1;
}

// Builds pictures from reviewable text art: a Windows .ico (32-bit colour with mask, one image per
// block), or a .bmp strip of all blocks side by side (24-bit, transparent pixels magenta).
//
// The art file holds one block per image: a line "size N" followed by N lines of N characters.
// A palette line "color C RRGGBB" gives a character its colour; '.' is transparent.
// Usage: art_from_text ART_FILE OUTPUT.ico|OUTPUT.bmp
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

std::string IconFile(const std::vector<Image>& images, const std::map<char, uint32_t>& palette) {
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
  return header + body;
}

// All images side by side, bottom-up rows of 24-bit pixels; every image has the first one's size.
std::string StripFile(const std::vector<Image>& images, const std::map<char, uint32_t>& palette) {
  const int height = images[0].size;
  const int width = height * int(images.size());
  const int stride = (width * 3 + 3) / 4 * 4;
  std::string pixels;
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (const Image& image : images)
      for (int x = 0; x < height; ++x) {
        char c = image.rows[y][x];
        auto it = palette.find(c);
        uint32_t rgb = c == '.' || it == palette.end() ? 0xFF00FF : it->second;
        row.append({char(rgb & 0xFF), char((rgb >> 8) & 0xFF), char(rgb >> 16)});
      }
    row.resize(stride, '\0');
    pixels += row;
  }
  std::string file = "BM";
  Put32(file, uint32_t(14 + 40 + pixels.size()));
  Put32(file, 0);
  Put32(file, 14 + 40);
  Put32(file, 40);
  Put32(file, uint32_t(width));
  Put32(file, uint32_t(height));
  Put16(file, 1);
  Put16(file, 24);
  for (int i = 0; i < 6; ++i) Put32(file, 0);
  return file + pixels;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: art_from_text ART_FILE OUTPUT.ico|OUTPUT.bmp\n");
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
  const std::string output = argv[2];
  if (EndsWith(output, ".bmp"))
    for (const Image& image : images)
      if (image.size != images[0].size) {
        std::fprintf(stderr, "%s: a strip needs images of one size\n", argv[1]);
        return 1;
      }
  std::ofstream out(argv[2], std::ios::binary);
  out << (EndsWith(output, ".bmp") ? StripFile(images, palette) : IconFile(images, palette));
  return out ? 0 : 1;
}

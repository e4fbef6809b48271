// Writes the shipped "Graphics.dat": every picture the forms show, drawn from the picture table
// and the pixel font in tools/data/, packed into the picture slots within the file's fixed size.
//
// Usage: make_graphics_data OUTPUT [PREVIEW.bmp]
// Run from the tools folder. With PREVIEW, it also writes a sheet of every picture decoded back
// from the data the way the program decodes it, for a look at the result.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "base/unique.h"
#include "data/graph_data.h"
#include "tools/generator_view.h"
#include "tools/picture_canvas.h"
#include "tools/picture_drawings.h"
#include "tools/picture_table.h"
#include "tools/pixel_font.h"

namespace talo::tools {
namespace {

constexpr char kPictureTablePath[] = "data/graphics_pictures.txt";
constexpr char kFontPath[] = "data/graphics_font.txt";
constexpr int kRecordsBudget = kGraphicsDataViewSize - kPictureRecordsOffset;

using MemoryDC = Unique<HDC, DeleteDC>;

struct PictureRecord {
  const PictureEntry* entry;
  std::string pixels;
  int Size() const { return kPictureRecordHeaderSize + static_cast<int>(pixels.size()); }
};

bool DrawPicture(const PictureEntry& entry, const PixelFont& font, PictureCanvas& canvas,
                 std::string& error) {
  if (entry.drawing == "key") return DrawKey(canvas, font, entry.label, error);
  if (!entry.label.empty()) {
    error = "only keys have labels";
    return false;
  }
  if (entry.drawing == "frame-left")
    DrawFramePiece(canvas, FramePiece::kLeft);
  else if (entry.drawing == "frame-centre")
    DrawFramePiece(canvas, FramePiece::kCentre);
  else if (entry.drawing == "frame-right")
    DrawFramePiece(canvas, FramePiece::kRight);
  else if (entry.drawing == "focus")
    DrawFocusFrame(canvas);
  else {
    error = "unknown drawing \"" + entry.drawing + "\"";
    return false;
  }
  return true;
}

// Prints what each kind of picture costs and the total against the room the file has; true when
// the records fit.
bool ReportBudget(const std::vector<PictureRecord>& records) {
  using Group = std::tuple<std::string, int, int, int>;
  struct Cost {
    int count = 0;
    int bytes = 0;
  };
  std::map<Group, Cost> groups;
  int total = 0;
  for (const PictureRecord& record : records) {
    const PictureEntry& entry = *record.entry;
    Cost& cost = groups[Group(entry.drawing, entry.width, entry.height, entry.bits_per_pixel)];
    ++cost.count;
    cost.bytes += record.Size();
    total += record.Size();
  }
  std::printf("%-14s %9s %5s %7s %9s\n", "drawing", "size", "bits", "count", "bytes");
  for (const auto& [group, cost] : groups) {
    const auto& [drawing, width, height, bits] = group;
    std::string size = std::to_string(width) + "x" + std::to_string(height);
    std::printf("%-14s %9s %5d %7d %9d\n", drawing.c_str(), size.c_str(), bits, cost.count,
                cost.bytes);
  }
  std::printf("%d pictures, %d bytes of records, %d available\n", static_cast<int>(records.size()),
              total, kRecordsBudget);
  if (total > kRecordsBudget) {
    std::fprintf(stderr, "the pictures exceed the room of the file by %d bytes\n",
                 total - kRecordsBudget);
    return false;
  }
  return true;
}

void WriteInt32(unsigned char* at, std::int32_t value) { std::memcpy(at, &value, sizeof value); }

// The picture table and the records one after another; unused slots keep offset 0 and the rest
// of the file stays zero.
void FillView(TTaloGraphData& data, const std::vector<PictureRecord>& records) {
  unsigned char* view = data.View();
  int offset = kPictureRecordsOffset;
  for (const PictureRecord& record : records) {
    const PictureEntry& entry = *record.entry;
    WriteInt32(view + kPictureTableOffset + 4 * entry.slot, offset);
    unsigned char* at = view + offset;
    WriteInt32(at, static_cast<std::int32_t>(record.pixels.size()));
    WriteInt32(at + 4, entry.width);
    WriteInt32(at + 8, entry.height);
    std::uint16_t bits = static_cast<std::uint16_t>(entry.bits_per_pixel);
    std::memcpy(at + 12, &bits, sizeof bits);
    std::memcpy(at + kPictureRecordHeaderSize, record.pixels.data(), record.pixels.size());
    offset += record.Size();
  }
}

// Every picture decoded by CreatePictureBitmap, side by side on light yellow like the panels
// they sit on, in a 24-bit bitmap file.
bool WritePreview(const TTaloGraphData& data, const std::vector<PictureRecord>& records,
                  const char* path) {
  constexpr int kSheetWidth = 800;
  constexpr int kGap = 4;
  struct Placed {
    int slot, x, y;
  };
  std::vector<Placed> placed;
  int x = kGap, y = kGap, row_height = 0;
  for (const PictureRecord& record : records) {
    const PictureEntry& entry = *record.entry;
    if (x + entry.width + kGap > kSheetWidth && x > kGap) {
      x = kGap;
      y += row_height + kGap;
      row_height = 0;
    }
    placed.push_back({entry.slot, x, y});
    x += entry.width + kGap;
    if (entry.height > row_height) row_height = entry.height;
  }
  const int sheet_height = y + row_height + kGap;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kSheetWidth;
  info.bmiHeader.biHeight = sheet_height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  GdiObject sheet(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  HDC screen = GetDC(nullptr);
  MemoryDC sheet_dc(CreateCompatibleDC(screen));
  MemoryDC picture_dc(CreateCompatibleDC(screen));
  bool drawn = sheet && sheet_dc && picture_dc;
  if (drawn) {
    HGDIOBJ old_sheet = SelectObject(sheet_dc.get(), sheet.get());
    RECT all = {0, 0, kSheetWidth, sheet_height};
    GdiObject background(CreateSolidBrush(RGB(255, 255, 224)));
    FillRect(sheet_dc.get(), &all, static_cast<HBRUSH>(background.get()));
    for (const Placed& place : placed) {
      GdiObject bitmap(data.CreatePictureBitmap(place.slot, screen));
      if (!bitmap) {
        drawn = false;
        continue;
      }
      BITMAP size = {};
      GetObject(bitmap.get(), sizeof size, &size);
      HGDIOBJ old_picture = SelectObject(picture_dc.get(), bitmap.get());
      BitBlt(sheet_dc.get(), place.x, place.y, size.bmWidth, size.bmHeight, picture_dc.get(), 0, 0,
             SRCCOPY);
      SelectObject(picture_dc.get(), old_picture);
    }
    GdiFlush();
    SelectObject(sheet_dc.get(), old_sheet);
  }
  ReleaseDC(nullptr, screen);
  if (!drawn) return false;

  const DWORD stride = (kSheetWidth * 3 + 3) & ~3u;
  const DWORD pixel_bytes = stride * sheet_height;
  BITMAPFILEHEADER file_header = {};
  file_header.bfType = 0x4D42;  // "BM"
  file_header.bfOffBits = sizeof file_header + sizeof info.bmiHeader;
  file_header.bfSize = file_header.bfOffBits + pixel_bytes;
  FileHandle file(
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.get(), &file_header, sizeof file_header, &written, nullptr) &&
         WriteFile(file.get(), &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
         WriteFile(file.get(), bits, pixel_bytes, &written, nullptr) && written == pixel_bytes;
}

int Run(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: make_graphics_data OUTPUT [PREVIEW.bmp]\n");
    return 2;
  }
  std::string error;
  std::vector<PictureEntry> pictures;
  PixelFont font;
  if (!ReadPictureTable(kPictureTablePath, pictures, error) || !font.Load(kFontPath, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }

  std::vector<PictureRecord> records;
  for (const PictureEntry& entry : pictures) {
    PictureCanvas canvas(entry.width, entry.height, kWhite);
    PictureRecord record = {&entry, {}};
    bool made = DrawPicture(entry, font, canvas, error);
    if (made && !canvas.Pack(entry.bits_per_pixel, record.pixels)) {
      error = "the drawing has colours that " + std::to_string(entry.bits_per_pixel) +
              " bits per pixel cannot hold";
      made = false;
    }
    if (!made) {
      std::fprintf(stderr, "%s:%d: slot %d: %s\n", kPictureTablePath, entry.line_number, entry.slot,
                   error.c_str());
      return 1;
    }
    records.push_back(std::move(record));
  }
  if (!ReportBudget(records)) return 1;

  TTaloGraphData data;
  if (!CreateGeneratorView(data, kGraphicsDataKind, kGraphicsDataViewSize)) {
    std::fprintf(stderr, "cannot create the graphics data view: no version resource\n");
    return 1;
  }
  FillView(data, records);
  if (!data.Save(argv[1])) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  if (argc == 3 && !WritePreview(data, records, argv[2])) {
    std::fprintf(stderr, "cannot write the preview %s\n", argv[2]);
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace talo::tools

int main(int argc, char** argv) { return talo::tools::Run(argc, argv); }

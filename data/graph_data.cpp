// TGraphicsData and TTaloGraphData: the picture table of the keyboard and its keys in a view.
#include "data/graph_data.h"

#include <cstdint>
#include <cstring>

namespace talo {

TTaloGraphData* TaloGraphData = nullptr;

namespace {

// Colour tables are not stored in the file: they follow from the depth.
constexpr RGBQUAD kTwoColors[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
// Blue, green, red as RGBQUAD stores them.
constexpr RGBQUAD kSixteenColors[16] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0}};

// The smallest view that holds the table and one record header.
constexpr int kSmallestPictureView = kPictureRecordsOffset + kPictureRecordHeaderSize;

// The view may be changed by anyone who opens it by name, and records need not be aligned: every
// number is copied out once and only the copy is checked and used.
std::int32_t ReadInt32(const unsigned char* at) {
  std::int32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

std::uint16_t ReadUInt16(const unsigned char* at) {
  std::uint16_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

bool IsPictureDepth(int bits_per_pixel) {
  return bits_per_pixel == 1 || bits_per_pixel == 4 || bits_per_pixel == 24;
}

}  // namespace

bool TGraphicsData::PictureOffset(int& offset, int slot) const {
  offset = 0;
  if (!View() || Size() <= kSmallestPictureView) return false;
  if (slot < 0 || slot >= kPictureSlotCount) return false;
  std::int32_t stored = ReadInt32(View() + kPictureTableOffset + 4 * slot);
  if (stored < kPictureRecordsOffset || stored >= Size() - kPictureRecordHeaderSize) return false;
  offset = stored;
  return true;
}

int TGraphicsData::PictureInfo(PictureBitmapInfo& info, int slot) const {
  int offset = 0;
  return ReadPicture(info, offset, slot);
}

int TGraphicsData::ReadPicture(PictureBitmapInfo& info, int& offset, int slot) const {
  std::memset(&info, 0, sizeof info);
  if (!PictureOffset(offset, slot)) return 0;
  const unsigned char* record = View() + offset;
  std::int32_t data_size = ReadInt32(record);
  std::int32_t width = ReadInt32(record + 4);
  std::int32_t height = ReadInt32(record + 8);
  int bits_per_pixel = ReadUInt16(record + 12);

  bool usable = data_size >= 1 && data_size <= Size() - offset - kPictureRecordHeaderSize &&
                width >= 1 && width <= kPictureMaxSide && height >= 1 &&
                height <= kPictureMaxSide && IsPictureDepth(bits_per_pixel);
  // Windows reads every row that width, height and depth call for; rows the data does not hold
  // would be read from beyond the record, or beyond the view. The product stays below 2^34 and
  // so fits the 64-bit arithmetic.
  if (usable && PictureRowStride(width, bits_per_pixel) * height > data_size) usable = false;
  if (!usable) {
    offset = 0;
    return 0;
  }

  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bits_per_pixel);
  info.header.biCompression = BI_RGB;
  info.header.biSizeImage = static_cast<DWORD>(data_size);
  info.header.biXPelsPerMeter = kPicturePixelsPerMeter;
  info.header.biYPelsPerMeter = kPicturePixelsPerMeter;
  if (bits_per_pixel == 1) {
    std::memcpy(info.colors, kTwoColors, sizeof kTwoColors);
    return sizeof(BITMAPINFOHEADER) + sizeof kTwoColors;
  }
  if (bits_per_pixel == 4) {
    std::memcpy(info.colors, kSixteenColors, sizeof kSixteenColors);
    return sizeof(BITMAPINFOHEADER) + sizeof kSixteenColors;
  }
  return sizeof(BITMAPINFOHEADER);
}

HBITMAP TGraphicsData::CreatePictureBitmap(int slot, HDC device) const {
  PictureBitmapInfo info;
  int offset = 0;
  if (ReadPicture(info, offset, slot) == 0) return nullptr;
  return CreateDIBitmap(device, &info.header, CBM_INIT, View() + offset + kPictureRecordHeaderSize,
                        reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
}

bool TTaloGraphData::CreateView() {
  return CreateProgramView(kGraphicsDataViewName, kGraphicsDataViewSize, kGraphicsDataKind);
}

bool TTaloGraphData::LoadFile(const char* folder) {
  return LoadFromFolder(folder, kGraphicsDataFileName, false);
}

}  // namespace talo

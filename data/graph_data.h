// TGraphicsData and TTaloGraphData: the picture table of the keyboard and its keys in a view.
#pragma once

#include <windows.h>

#include "data/binary_data.h"

namespace talo {

// Only the main program uses this view.
inline constexpr char kGraphicsDataViewName[] = "TALLOWWICKGRAPHICSDATA";
inline constexpr int kGraphicsDataViewSize = 100196;
inline constexpr char kGraphicsDataFileName[] = "Graphics.dat";
inline constexpr DataFileKind kGraphicsDataKind = {"GRAPHICS", "Graphics Data File ", 28};

// The body: 256 signed 32-bit offsets of picture records (from the start of the file), then the
// records. A record is 16 bytes (data size, width, height: signed 32-bit; bits per pixel: unsigned
// 16-bit; 2 reserved) followed by uncompressed bottom-up bitmap rows, each padded to 4 bytes.
inline constexpr int kPictureSlotCount = 256;
inline constexpr int kPictureTableOffset = 1024;
inline constexpr int kPictureRecordsOffset = kPictureTableOffset + 4 * kPictureSlotCount;
inline constexpr int kPictureRecordHeaderSize = 16;
inline constexpr int kPictureMaxSide = 65535;
inline constexpr LONG kPicturePixelsPerMeter = 3780;  // 96 dots per inch

// Bytes of one bitmap row of `width` pixels at `bits_per_pixel`, padded to 4 bytes. Wide enough
// for any width and depth a record can state.
constexpr long long PictureRowStride(long long width, int bits_per_pixel) {
  return (width * bits_per_pixel + 31) / 32 * 4;
}

// What CreateDIBitmap needs besides the pixels: the header and up to 16 colours (104 bytes).
struct PictureBitmapInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[16];
};
static_assert(sizeof(PictureBitmapInfo) == 104, "header and at most 16 colours");

// A data file whose body is a table of 256 picture slots.
class TGraphicsData : public TBinaryData {
 public:
  // The record offset of `slot` when the view, the slot and the offset can hold a record;
  // otherwise false and 0.
  bool PictureOffset(int& offset, int slot) const;

  // Fills the bitmap information of a usable slot and returns the bytes filled: 40, 48 with the
  // black and white colours of a 1-bit picture, 104 with the 16 fixed colours of a 4-bit one.
  // 0 and a zeroed `info` when the slot is not usable.
  int PictureInfo(PictureBitmapInfo& info, int slot) const;

  // A device-dependent bitmap for `device` made straight from the slot's pixels in the view; null
  // when the slot is not usable. The caller owns the bitmap.
  HBITMAP CreatePictureBitmap(int slot, HDC device) const;

 private:
  // PictureInfo that also gives the record's offset, both from a single reading of the table and
  // the record: the pixels handed on are the ones the information was checked against.
  int ReadPicture(PictureBitmapInfo& info, int& offset, int slot) const;
};

class TTaloGraphData : public TGraphicsData {
 public:
  // Creates the shared view with the program's own header and an empty picture table.
  bool CreateView();
  // Loads "Graphics.dat" from the install folder; only a file of this very product version fits.
  bool LoadFile(const char* folder);
};

// The program's graphics data of this run; set at start-up, null before and in other code's
// tests.
extern TTaloGraphData* TaloGraphData;

}  // namespace talo

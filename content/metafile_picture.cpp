// Metafile pictures: the frame's size in pixels and the playback into a bitmap.
#include "content/metafile_picture.h"

#include <algorithm>

#include "base/unique.h"

namespace talo {
namespace {

constexpr long long kHundredthMillimetresPerInch = 2540;
constexpr long long kPixelsPerInch = 96;

inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
using MemoryDc = Unique<HDC, DeleteMemoryDc>;

long long FrameSide(LONG from, LONG to) {
  const long long hundredths = static_cast<long long>(to) - from;
  return std::max(1LL, hundredths * kPixelsPerInch / kHundredthMillimetresPerInch);
}

}  // namespace

bool MetafilePictureSize(HENHMETAFILE metafile, SIZE& size) {
  ENHMETAHEADER header = {};
  if (!metafile || GetEnhMetaFileHeader(metafile, sizeof header, &header) < sizeof header)
    return false;
  long long width = FrameSide(header.rclFrame.left, header.rclFrame.right);
  long long height = FrameSide(header.rclFrame.top, header.rclFrame.bottom);
  const long long longest = std::max(width, height);
  if (longest > kMetafilePictureMaxSide) {
    width = std::max(1LL, width * kMetafilePictureMaxSide / longest);
    height = std::max(1LL, height * kMetafilePictureMaxSide / longest);
  }
  size.cx = static_cast<LONG>(width);
  size.cy = static_cast<LONG>(height);
  return true;
}

HBITMAP CreateMetafilePicture(HDC dc, HENHMETAFILE metafile) {
  SIZE size;
  if (!dc || !MetafilePictureSize(metafile, size)) return nullptr;
  GdiObject picture(CreateCompatibleBitmap(dc, size.cx, size.cy));
  MemoryDc canvas(CreateCompatibleDC(dc));
  if (!picture || !canvas) return nullptr;
  HGDIOBJ old_bitmap = SelectObject(canvas.get(), picture.get());
  const RECT whole = {0, 0, size.cx, size.cy};
  FillRect(canvas.get(), &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PlayEnhMetaFile(canvas.get(), metafile, &whole);
  SelectObject(canvas.get(), old_bitmap);
  return static_cast<HBITMAP>(picture.release());
}

}  // namespace talo

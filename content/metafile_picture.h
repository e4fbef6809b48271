// An enhanced metafile drawn into a bitmap for a preview.
#pragma once

#include <windows.h>

namespace talo {

// The largest side of a metafile picture: a frame beyond it is drawn scaled down to fit.
inline constexpr int kMetafilePictureMaxSide = 2048;

// Whether a metafile that passed the record walk (IsWellFormedEnhMetafile) holds only values that
// Wine draws in reasonable time. Wine hangs for minutes on some metafiles that are whole but
// extreme: it walks a dashed pen's pattern along the whole length of a line, clipped or not, so a
// line made billions of pixels long (by a huge millimetre size against a tiny frame, a transform
// or a window extent) never ends. Refused are:
// - reference device and millimetre sizes outside 1..kMetafileMaxReference, a frame without width
// or
//   height, a frame or bounds with a coordinate beyond kMetafileMaxCoordinate;
// - coordinates, origins, extents, radii and pen, font and corner sizes beyond
//   kMetafileMaxCoordinate, and pens wider than 1024 or glyphs larger than 4096 pixels once
//   magnified;
// - a magnification from logical units to the picture's pixels beyond kMetafileMaxMagnification,
//   counting the frame's scaling, the world transform and the window-to-viewport ratio as the
//   records change them, and transforms or angles that are not finite numbers;
// - user pen styles of more than 16 entries, or whose entries are all 0.
inline constexpr long kMetafileMaxReference = 100000;
inline constexpr long kMetafileMaxCoordinate = 1L << 20;
inline constexpr long kMetafileMaxMagnification = 64;
bool HasDrawableValues(const void* data, unsigned long count);

// The picture's size in pixels: the metafile's frame (hundredths of a millimetre) at 96 pixels
// per inch, each side at least 1 and scaled down, keeping its proportions, to at most
// kMetafilePictureMaxSide. False for a header that cannot be read.
bool MetafilePictureSize(HENHMETAFILE metafile, SIZE& size);

// A white bitmap compatible with `dc` with the metafile played onto it; the caller owns it. Null
// when the header cannot be read or the bitmap cannot be made. The metafile's records must have
// been checked (IsWellFormedEnhMetafile) before: playing is left to the system.
HBITMAP CreateMetafilePicture(HDC dc, HENHMETAFILE metafile);

}  // namespace talo

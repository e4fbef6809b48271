// An enhanced metafile drawn into a bitmap for a preview.
#pragma once

#include <windows.h>

namespace talo {

// The largest side of a metafile picture: a frame beyond it is drawn scaled down to fit.
inline constexpr int kMetafilePictureMaxSide = 2048;

// The picture's size in pixels: the metafile's frame (hundredths of a millimetre) at 96 pixels
// per inch, each side at least 1 and scaled down, keeping its proportions, to at most
// kMetafilePictureMaxSide. False for a header that cannot be read.
bool MetafilePictureSize(HENHMETAFILE metafile, SIZE& size);

// A white bitmap compatible with `dc` with the metafile played onto it; the caller owns it. Null
// when the header cannot be read or the bitmap cannot be made. The metafile's records must have
// been checked (IsWellFormedEnhMetafile) before: playing is left to the system.
HBITMAP CreateMetafilePicture(HDC dc, HENHMETAFILE metafile);

}  // namespace talo

// The text picture: a file list or a text drawn as a small preview bitmap.
#pragma once

#include <windows.h>

namespace talo {

inline constexpr int kTextPictureSize = 194;
inline constexpr int kTextPictureMaxLines = 12;

// The lines the picture shows: the text split at control characters with the empty lines gone,
// at most 12; when a 13th line exists, the 12th reads "..." instead of its text.
struct TextPictureLines {
  int count = 0;
  const wchar_t* start[kTextPictureMaxLines] = {};
  int length[kTextPictureMaxLines] = {};
};
int LayOutTextPicture(const wchar_t* text, TextPictureLines& lines);

// A white 194 x 194 bitmap compatible with `dc` with the lines drawn in `font` (the device
// context's font when null), 16 pixels apart. The caller owns it; null when there is no line.
HBITMAP CreateTextPicture(HDC dc, const wchar_t* text, HFONT font);

}  // namespace talo

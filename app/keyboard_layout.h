// The keyboard picture's layout: one entry per key picture, in rows from the top.
#pragma once

namespace talo {

struct KeyPicture {
  const char* name;  // "img" and the Tag in two hex digits, "_" for a key's second picture
  int tag;
  int left;
  int top;
  int width;
  int height;
};

inline constexpr int kKeyPictureCount = 104;
extern const KeyPicture kKeyPictures[kKeyPictureCount];

// Tags of the frame pictures and of the two notification icon pictures.
inline constexpr int kFrameLeftTag = 160;
inline constexpr int kFrameCenterTag = 161;
inline constexpr int kFrameRightTag = 162;
inline constexpr int kIconPictureTag = -2;

}  // namespace talo

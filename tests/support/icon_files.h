// Icon files and a small executable holding one icon, made in memory for the tests and as seeds
// of the fuzz program.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace talo::test {

// A 32 x 32 picture of one colour as icons store it: a 32-bit bitmap with its mask.
std::string IconPictureBytes(COLORREF colour);
// An icon file of that one picture.
std::string IconFileBytes(COLORREF colour);

// A 32-bit executable of headers and one resource section (no code) whose icon group 1 holds
// that picture, with the file offsets of the fields that damage tests change.
struct ExecutableWithIcon {
  std::string bytes;
  std::size_t new_header_offset = 0;     // e_lfanew, 4 bytes
  std::size_t optional_header_size = 0;  // 2 bytes
  std::size_t raw_data_pointer = 0;      // the resource section's, 4 bytes
  std::size_t root_id_count = 0;         // the root resource directory's, 2 bytes
  std::size_t group_count = 0;           // the icon group's picture count, 2 bytes
  std::size_t picture_size = 0;          // the icon's data entry's size, 4 bytes
  std::size_t picture = 0;               // the icon's bitmap header
};
ExecutableWithIcon ExecutableWithIconBytes(COLORREF colour);

// `bytes` with the little-endian value of `width` bytes at `offset` replaced.
std::string Patched(std::string bytes, std::size_t offset, std::uint32_t value, int width);

}  // namespace talo::test

// The layout checks that an icon file or an executable passes before the shell's icon code reads
// a picture from it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talo {

// Wine's icon reader (user32's icon extraction, behind ExtractAssociatedIcon and the shell's
// picture of a file) maps the file and trusts every count, offset and size in it: an icon
// directory claiming more pictures than the file holds made it read past the file's end. These
// checks follow the reader's own path through the bytes and refuse a file where any step of it
// would leave them.

// An icon or cursor file (00 00 01 00 or 00 00 02 00): at least one picture, the directory with
// as many 16-byte entries as it counts, and every entry's picture whole (IsWholeIconPicture).
bool IsWholeIconFile(const unsigned char* data, std::size_t size);

// A 32- or 64-bit executable ("MZ" and "PE") whose icon group number `index` (0 based, as
// ExtractAssociatedIcon counts) exists and leads the reader only through bytes of the file: the
// new-header offset, the file and optional headers, the section table, the resource directories
// of the group and icon types with all their entries, the group's data with all its entries, and
// every picture the group names. Anything else starting with "MZ" is refused: a DOS program has
// no pictures, and Wine walks a 16-bit program's resource table without any bound.
bool IsWholeExecutableIcon(const unsigned char* data, std::size_t size, int index);

// The picture of `length` bytes at `offset`: inside the data, and a PNG or a bitmap with a
// 40-byte header, of 1 to 256 pixels a side (a bitmap's height counts its mask too) and 1 to 32
// bits a pixel. Wine hands a picture starting with "RIFF" to its animation reader, which follows
// chunk sizes unchecked, and sums a picture's size in int arithmetic that overflows for sides far
// beyond these; no icon has more than 256 pixels a side.
bool IsWholeIconPicture(const unsigned char* data, std::size_t size, std::uint64_t offset,
                        std::uint64_t length);

}  // namespace talo

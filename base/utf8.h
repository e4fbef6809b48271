// UTF-8 text files: the byte-order mark that tells them from the system code page's texts, and the
// part of a damaged one that can still be read.
#pragma once

#include <cstddef>

namespace talo {

inline constexpr unsigned char kUtf8Mark[3] = {0xEF, 0xBB, 0xBF};

// True when the `size` bytes of `text` start with the UTF-8 byte-order mark.
bool StartsWithUtf8Mark(const unsigned char* text, std::size_t size);

// The length of the longest start of `text` that is whole, valid UTF-8: no stray or missing
// continuation byte, no overlong form, no surrogate, nothing above U+10FFFF. A damaged text is
// read as far as it is valid.
std::size_t ValidUtf8Length(const unsigned char* text, std::size_t size);

}  // namespace talo

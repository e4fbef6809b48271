// The UTF-8 mark and validity. Compiled into the hook library too: no C++ runtime.
#include "base/utf8.h"

namespace talo {

bool StartsWithUtf8Mark(const unsigned char* text, std::size_t size) {
  return text && size >= 3 && text[0] == kUtf8Mark[0] && text[1] == kUtf8Mark[1] &&
         text[2] == kUtf8Mark[2];
}

std::size_t ValidUtf8Length(const unsigned char* text, std::size_t size) {
  std::size_t at = 0;
  while (at < size) {
    const unsigned char lead = text[at];
    std::size_t length;
    unsigned long code;
    if (lead < 0x80) {
      ++at;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
    } else {
      return at;
    }
    if (size - at < length) return at;
    for (std::size_t i = 1; i < length; ++i) {
      if ((text[at + i] & 0xC0) != 0x80) return at;
      code = (code << 6) | (text[at + i] & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return at;
    at += length;
  }
  return at;
}

}  // namespace talo

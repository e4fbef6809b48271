// A message text made from a format with one %s: as long as the filled-in text needs.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

namespace talo {

inline std::string FormatText(const char* format, const std::string& value) {
  std::string text(std::strlen(format) + value.size() + 1, '\0');
  text.resize(std::snprintf(&text[0], text.size(), format, value.c_str()));
  return text;
}

}  // namespace talo

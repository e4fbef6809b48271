// Texts between UTF-16, the system code page and UTF-8.
#pragma once

#include <string>

namespace talo {

// The code page's text in UTF-16.
std::wstring WidenAnsi(const std::string& text);

// True, with `ansi` set, when the system code page holds every character of `text` as it is: no
// best-fit stand-in, no default character, the same text when read back.
bool ExactAnsi(const std::wstring& text, std::string& ansi);

// The valid start of a UTF-8 text (see ValidUtf8Length) in UTF-16.
std::wstring WidenUtf8(const char* text, std::size_t size);
std::string NarrowToUtf8(const std::wstring& text);

}  // namespace talo

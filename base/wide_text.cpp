// Texts between UTF-16, the system code page and UTF-8.
#include "base/wide_text.h"

#include <windows.h>

#include <climits>

#include "base/utf8.h"

namespace talo {
namespace {

std::wstring Widen(UINT code_page, const char* text, std::size_t size) {
  if (size == 0 || size > INT_MAX) return std::wstring();
  const int length = static_cast<int>(size);
  const int wide = MultiByteToWideChar(code_page, 0, text, length, nullptr, 0);
  if (wide <= 0) return std::wstring();
  std::wstring result(wide, L'\0');
  result.resize(MultiByteToWideChar(code_page, 0, text, length, &result[0], wide));
  return result;
}

}  // namespace

std::wstring WidenAnsi(const std::string& text) { return Widen(CP_ACP, text.data(), text.size()); }

bool ExactAnsi(const std::wstring& text, std::string& ansi) {
  ansi.clear();
  if (text.empty()) return true;
  if (text.size() > INT_MAX) return false;
  const int length = static_cast<int>(text.size());
  BOOL used_default = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr,
                                       0, nullptr, &used_default);
  if (size <= 0 || used_default) return false;
  std::string converted(size, '\0');
  if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, &converted[0], size,
                          nullptr, &used_default) != size ||
      used_default || WidenAnsi(converted) != text)
    return false;
  ansi = std::move(converted);
  return true;
}

std::wstring WidenUtf8(const char* text, std::size_t size) {
  if (!text) return std::wstring();
  return Widen(CP_UTF8, text, ValidUtf8Length(reinterpret_cast<const unsigned char*>(text), size));
}

std::string NarrowToUtf8(const std::wstring& text) {
  if (text.empty() || text.size() > INT_MAX) return std::string();
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string result(size, '\0');
  result.resize(
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, &result[0], size, nullptr, nullptr));
  return result;
}

}  // namespace talo

// The combination's text assignment file: the code page's bytes, or UTF-8 after the mark.
#include "content/text_assignment.h"

#include <windows.h>

#include "base/text.h"
#include "base/unique.h"
#include "base/utf8.h"
#include "base/wide_text.h"
#include "data/combination.h"
#include "data/combination_files.h"
#include "data/file_replace.h"

namespace talo {
namespace {

constexpr const char* kTextExtension = AssignmentExtension(AssignmentKind::kText);
constexpr DWORD kMaxAnsiBytes = kMaxTextLength;

bool IsLeadSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

std::wstring DecodeTextAssignment(const std::string& bytes, bool* whole) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const bool marked = StartsWithUtf8Mark(data, bytes.size());
  const std::size_t after_mark = marked ? bytes.size() - sizeof kUtf8Mark : 0;
  std::wstring text;
  if (marked && ValidUtf8Length(data + sizeof kUtf8Mark, after_mark) == after_mark)
    text = WidenUtf8(bytes.data() + sizeof kUtf8Mark, after_mark);
  else
    text = WidenAnsi(bytes.substr(0, kMaxAnsiBytes));
  bool cut = bytes.size() > kMaxAnsiBytes && !marked;
  // A box shows a text up to its first zero character (a file saved as UTF-16 has many).
  const std::size_t zero = text.find(L'\0');
  if (zero != std::wstring::npos) {
    text.resize(zero);
    cut = true;
  }
  if (text.size() > kMaxTextLength) {
    text.resize(IsLeadSurrogate(text[kMaxTextLength - 1]) ? kMaxTextLength - 1 : kMaxTextLength);
    cut = true;
  }
  if (whole) *whole = !cut;
  return text;
}

std::string EncodeTextAssignment(const std::wstring& text) {
  std::string bytes;
  // Code-page bytes that begin like the mark would be read back as UTF-8.
  if (ExactAnsi(text, bytes) &&
      !StartsWithUtf8Mark(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()))
    return bytes;
  return std::string(reinterpret_cast<const char*>(kUtf8Mark), sizeof kUtf8Mark) +
         NarrowToUtf8(text);
}

bool LoadTextAssignment(std::wstring& text, int code, bool* whole) {
  text.clear();
  if (whole) *whole = true;
  char path[kPathCapacity];
  if (CombinationFileName(path, code, kTextExtension) == 0) return false;
  FileHandle file(
      CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD high = 0;
  const DWORD low = GetFileSize(file.get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
  const DWORD wanted = high != 0 || low > kMaxTextFileSize ? kMaxTextFileSize : low;
  std::string bytes(wanted, '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), wanted, &read, nullptr) || read != wanted) return false;
  text = DecodeTextAssignment(bytes, whole);
  if (whole && (high != 0 || wanted < low)) *whole = false;
  return !text.empty();
}

bool SaveTextAssignment(const std::wstring& text, int code) {
  char path[kPathCapacity];
  if (CombinationFileName(path, code, kTextExtension) == 0) return false;
  if (!text.empty()) {
    // A write that fails leaves the stored text as it was.
    const std::string bytes = EncodeTextAssignment(text);
    return ReplaceFileContents(path, bytes.data(), static_cast<int>(bytes.size()), true);
  }
  // An empty text has no file: one still there (held open by another program) is a failure.
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path);
  return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace talo

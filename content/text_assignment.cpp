// The combination's text assignment file: the text's bytes as typed, no terminator.
#include <windows.h>

#include "base/text.h"
#include "base/unique.h"
#include "content/shortcut_file.h"
#include "data/combination.h"
#include "data/combination_files.h"

namespace talo {
namespace {

constexpr const char* kTextExtension = AssignmentExtension(AssignmentKind::kText);
// The editor's text box takes no more than this.
constexpr DWORD kMaxTextBytes = 0xFFFE;

bool WriteWholeText(const char* path, const std::string& text) {
  if (text.size() > MAXDWORD) return false;
  FileHandle file(
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const DWORD size = static_cast<DWORD>(text.size());
  DWORD written = 0;
  return WriteFile(file.get(), text.data(), size, &written, nullptr) && written == size;
}

}  // namespace

bool LoadTextAssignment(std::string& text, int code) {
  text.clear();
  char path[kPathCapacity];
  if (CombinationFileName(path, code, kTextExtension) == 0) return false;
  FileHandle file(
      CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD high = 0;
  const DWORD low = GetFileSize(file.get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
  if (low == 0 && high == 0) return false;
  const DWORD wanted = high != 0 || low > kMaxTextBytes ? kMaxTextBytes : low;
  std::string bytes(wanted, '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), wanted, &read, nullptr) || read != wanted) return false;
  text = std::move(bytes);
  return true;
}

bool SaveTextAssignment(const std::string& text, int code) {
  char path[kPathCapacity];
  if (CombinationFileName(path, code, kTextExtension) == 0) return false;
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  if (!text.empty() && WriteWholeText(path, text)) return true;
  // A cut text is no text; an empty one has no file. Either way a file still there (held open by
  // another program) is a failure, even for an empty text.
  DeleteFileA(path);
  return text.empty() && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace talo

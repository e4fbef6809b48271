// Shortcut files read and checked by the editor.
#include "content/link_file.h"

#include <windows.h>

#include <cstring>

#include "base/unique.h"
#include "content/content_limits.h"

namespace talo {
namespace {

// A link (".lnk") may hold only a shell link; a ".pif" either kind.
AssignmentKind LinkKindOf(const char* file_name) {
  const std::size_t length = std::strlen(file_name);
  return length >= 4 && lstrcmpiA(file_name + length - 4, ".pif") == 0
             ? AssignmentKind::kProgramInformation
             : AssignmentKind::kShellLink;
}

}  // namespace

ShortcutLayout ReadWholeLinkFile(const char* file_name, std::vector<unsigned char>& data) {
  data.clear();
  if (!file_name) return ShortcutLayout::kBroken;
  FileHandle file(CreateFileA(file_name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return ShortcutLayout::kBroken;
  const DWORD size = GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE || size > kMaxShellLinkFileSize) return ShortcutLayout::kBroken;
  data.resize(size);
  DWORD got = 0;
  if (size != 0 && (!ReadFile(file.get(), data.data(), size, &got, nullptr) || got != size)) {
    data.clear();
    return ShortcutLayout::kBroken;
  }
  const ShortcutLayout layout = CheckShortcutBytes(LinkKindOf(file_name), data.data(), size);
  if (layout != ShortcutLayout::kShellLink) data.clear();
  return layout;
}

bool IsWholeLinkFile(const char* file_name) {
  std::vector<unsigned char> data;
  return ReadWholeLinkFile(file_name, data) != ShortcutLayout::kBroken;
}

bool IsSoundShortcutFile(const char* file_name, AssignmentKind kind) {
  FileHandle file(CreateFileA(file_name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && CheckShortcutFile(file.get(), GetFileSize(file.get(), nullptr), kind) !=
                     ShortcutLayout::kBroken;
}

}  // namespace talo

// The shortcut file check, by kind.
#include "content/shortcut_check.h"

#include "base/unique.h"
#include "content/content_limits.h"
#include "content/program_information_layout.h"
#include "content/shell_link_layout.h"

namespace talo {
namespace {

void FreeHeapBlock(void* block) { HeapFree(GetProcessHeap(), 0, block); }
using HeapBlock = Unique<void*, FreeHeapBlock>;

}  // namespace

ShortcutLayout CheckShortcutBytes(AssignmentKind kind, const unsigned char* data,
                                  std::size_t size) {
  if (!data || size == 0 || size > MaxContentFileSize(kind)) return ShortcutLayout::kBroken;
  switch (kind) {
    case AssignmentKind::kShellLink:
      return IsWholeShellLink(data, size) ? ShortcutLayout::kShellLink : ShortcutLayout::kBroken;
    case AssignmentKind::kProgramInformation:
      if (IsWholeShellLink(data, size)) return ShortcutLayout::kShellLink;
      return IsWholeProgramInformation(data, size) ? ShortcutLayout::kProgramInformation
                                                   : ShortcutLayout::kBroken;
    case AssignmentKind::kInternetShortcut:
      return StartsLikeIconContainer(data, size) ? ShortcutLayout::kBroken
                                                 : ShortcutLayout::kInternetShortcut;
    default:
      return ShortcutLayout::kBroken;
  }
}

ShortcutLayout CheckShortcutFile(HANDLE file, DWORD size, AssignmentKind kind) {
  if (size == 0 || size > MaxContentFileSize(kind)) return ShortcutLayout::kBroken;
  // Read, not mapped: a share that drops while the bytes are read fails the read, where a view
  // would fault.
  HeapBlock bytes(HeapAlloc(GetProcessHeap(), 0, size));
  DWORD read = 0;
  if (!bytes || SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0 ||
      !ReadFile(file, bytes.get(), size, &read, nullptr) || read != size)
    return ShortcutLayout::kBroken;
  return CheckShortcutBytes(kind, static_cast<const unsigned char*>(bytes.get()), size);
}

bool StartsLikeIconContainer(const unsigned char* data, std::size_t size) {
  if (size >= 2 && data[0] == 'M' && data[1] == 'Z') return true;
  return size >= 4 && data[0] == 0 && data[1] == 0 && (data[2] == 1 || data[2] == 2) &&
         data[3] == 0;
}

}  // namespace talo

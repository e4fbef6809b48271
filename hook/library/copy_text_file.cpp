// CopyTextFileToClipboard: a text assignment's file put on the clipboard as it stands.
#include <windows.h>

#include "base/clipboard_scope.h"
#include "base/global_lock.h"
#include "base/unique.h"
#include "content/object_file.h"
#include "hook/library/assignment_execution.h"

namespace talo {
namespace {

// The block is rounded up past the text to the next multiple of 32, so 1 to 32 zero bytes always
// terminate it.
constexpr DWORD kTextBlockGranule = 32;
constexpr DWORD kLargestText = 0xFFFFFFFF - kTextBlockGranule;

}  // namespace

bool CopyTextFileToClipboard(const char* file_name) {
  FileHandle file(CreateFileA(file_name, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const DWORD size = GetFileSize(file.get(), nullptr);
  if (size == 0 || size == INVALID_FILE_SIZE || size > kLargestText) return false;

  const DWORD block_size = size / kTextBlockGranule * kTextBlockGranule + kTextBlockGranule;
  GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, block_size));
  if (!block) return false;
  {
    GlobalLockScope locked(block.get());
    if (!locked.Data()) return false;
    ZeroMemory(locked.Data(), block_size);
    if (!ReadExactly(file.get(), locked.Data(), size)) return false;
  }

  ClipboardScope clipboard;
  if (!clipboard.Open() || !EmptyClipboard() || !SetClipboardData(CF_TEXT, block.get()))
    return false;
  block.release();  // the clipboard owns it now
  return true;
}

}  // namespace talo

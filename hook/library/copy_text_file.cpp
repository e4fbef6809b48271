// CopyTextFileToClipboard: a text assignment's file put on the clipboard. A file of the system code
// page goes as it stands (CF_TEXT); a UTF-8 file, which starts with the byte-order mark, goes as
// CF_UNICODETEXT, with a CF_TEXT made from it for programs that take only that. A file with the
// mark that is not UTF-8 after it is a code-page text that happens to begin like the mark.
#include <windows.h>

#include "base/clipboard_scope.h"
#include "base/global_lock.h"
#include "base/unique.h"
#include "base/utf8.h"
#include "content/content_limits.h"
#include "content/object_file.h"
#include "hook/library/assignment_execution.h"

namespace talo {
namespace {

// The block is rounded up past the text to the next multiple of 32, so 1 to 32 zero bytes always
// terminate it.
constexpr DWORD kTextBlockGranule = 32;

GlobalMemory ZeroedBlock(DWORD size) {
  return GlobalMemory(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, size));
}

// The UTF-8 text after the mark as a terminated UTF-16 block; null for none.
GlobalMemory WideTextBlock(const unsigned char* text, DWORD size) {
  const int length = static_cast<int>(size);
  const auto* bytes = reinterpret_cast<const char*>(text);
  const int wide = length > 0 ? MultiByteToWideChar(CP_UTF8, 0, bytes, length, nullptr, 0) : 0;
  if (wide <= 0) return GlobalMemory();
  GlobalMemory block = ZeroedBlock((DWORD(wide) + 1) * sizeof(wchar_t));
  GlobalLockScope locked(block.get());
  if (!locked.Data() ||
      MultiByteToWideChar(CP_UTF8, 0, bytes, length, static_cast<wchar_t*>(locked.Data()), wide) !=
          wide)
    return GlobalMemory();
  return block;
}

// The same text in the system code page (what it cannot show becomes its default character).
GlobalMemory AnsiTextBlock(HGLOBAL wide_block) {
  GlobalLockScope wide(wide_block);
  if (!wide.Data()) return GlobalMemory();
  const auto* text = static_cast<const wchar_t*>(wide.Data());
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return GlobalMemory();
  GlobalMemory block = ZeroedBlock(DWORD(size));
  GlobalLockScope locked(block.get());
  if (!locked.Data() || WideCharToMultiByte(CP_ACP, 0, text, -1, static_cast<char*>(locked.Data()),
                                            size, nullptr, nullptr) != size)
    return GlobalMemory();
  return block;
}

bool PutOnClipboard(UINT format, GlobalMemory& block) {
  if (!SetClipboardData(format, block.get())) return false;
  block.release();  // the clipboard owns it now
  return true;
}

}  // namespace

bool CopyTextFileToClipboard(const char* file_name) {
  FileHandle file(CreateFileA(file_name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && CopyTextToClipboard(file.get());
}

bool CopyTextToClipboard(HANDLE file) {
  const DWORD size = GetFileSize(file, nullptr);
  if (size == 0 || size == INVALID_FILE_SIZE || size > kMaxTextFileSize) return false;

  const DWORD block_size = size / kTextBlockGranule * kTextBlockGranule + kTextBlockGranule;
  GlobalMemory block = ZeroedBlock(block_size);
  GlobalMemory wide;
  {
    GlobalLockScope locked(block.get());
    auto* bytes = static_cast<unsigned char*>(locked.Data());
    if (!bytes || !ReadExactly(file, bytes, size)) return false;
    if (StartsWithUtf8Mark(bytes, size) &&
        ValidUtf8Length(bytes + sizeof kUtf8Mark, size - sizeof kUtf8Mark) ==
            size - sizeof kUtf8Mark) {
      wide = WideTextBlock(bytes + sizeof kUtf8Mark, size - sizeof kUtf8Mark);
      if (!wide) return false;
    }
  }
  if (wide) {
    block = AnsiTextBlock(wide.get());
    if (!block) return false;
  }

  ClipboardScope clipboard;
  if (!clipboard.Open() || !EmptyClipboard()) return false;
  return (!wide || PutOnClipboard(CF_UNICODETEXT, wide)) && PutOnClipboard(CF_TEXT, block);
}

}  // namespace talo

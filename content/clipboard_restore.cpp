// RestoreClipboard: an object file's formats put back on the clipboard.
#include <windows.h>

#include "base/clipboard_scope.h"
#include "base/global_lock.h"
#include "base/unique.h"
#include "content/clipboard_object.h"
#include "content/content_limits.h"
#include "content/metafile_records.h"
#include "content/object_file.h"

namespace talo {
namespace {

HENHMETAFILE ReadEnhMetafile(HANDLE file, DWORD count) {
  GlobalMemory buffer(GlobalAlloc(GMEM_FIXED, count));
  if (!buffer || !ReadExactly(file, buffer.get(), count) ||
      !IsWellFormedEnhMetafile(buffer.get(), count))
    return nullptr;
  return SetEnhMetaFileBits(count, static_cast<const BYTE*>(buffer.get()));
}

HGLOBAL ReadGlobalBlock(HANDLE file, DWORD count) {
  GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, count));
  if (!block) return nullptr;
  GlobalLockScope locked(block.get());
  if (!locked.Data() || !ReadExactly(file, locked.Data(), count)) return nullptr;
  locked.Unlock();
  return block.release();
}

// Puts the next record on the clipboard; false where the restore stops.
bool RestoreNextRecord(HANDLE file) {
  ObjectRecordHeader header;
  if (!ReadRecordHeader(file, header)) return false;
  if (header.format == CF_ENHMETAFILE) {
    EnhMetafile metafile(ReadEnhMetafile(file, header.count));
    if (!metafile || !SetClipboardData(header.format, metafile.get())) return false;
    metafile.release();  // the clipboard owns it now
    return true;
  }
  GlobalMemory block(ReadGlobalBlock(file, header.count));
  if (!block || !SetClipboardData(header.format, block.get())) return false;
  block.release();  // the clipboard owns it now
  return true;
}

}  // namespace

bool RestoreClipboard(const char* file_name) {
  FileHandle file(CreateFileA(file_name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && RestoreClipboardFrom(file.get());
}

bool RestoreClipboardFrom(HANDLE file) {
  const DWORD size = GetFileSize(file, nullptr);
  if (size == INVALID_FILE_SIZE || size > kMaxObjectFileSize) return false;
  ClipboardScope clipboard;
  if (!clipboard.Open() || !EmptyClipboard()) return false;
  while (RestoreNextRecord(file)) {
  }
  return CountClipboardFormats() != 0;
}

}  // namespace talo

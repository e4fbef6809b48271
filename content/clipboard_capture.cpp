// HasStorableClipboard and CaptureClipboard: the clipboard written into an object file.
#include <windows.h>

#include <cstdint>

#include "base/clipboard_scope.h"
#include "base/global_lock.h"
#include "base/unique.h"
#include "content/clipboard_object.h"
#include "content/content_limits.h"

namespace talo {
namespace {

// The bytes a format's record holds: the metafile bits for CF_ENHMETAFILE, the whole global block
// (which may run past the meaningful content) for every other format.
DWORD FormatDataSize(UINT format, HANDLE data) {
  if (format == CF_ENHMETAFILE)
    return GetEnhMetaFileBits(static_cast<HENHMETAFILE>(data), 0, nullptr);
  return static_cast<DWORD>(GlobalSize(data));
}

bool WriteExactly(HANDLE file, const void* data, DWORD size) {
  DWORD written = 0;
  return WriteFile(file, data, size, &written, nullptr) && written == size;
}

enum class RecordResult { kWritten, kStop, kFailed };
constexpr DWORD kRecordHeaderSize = 2 * sizeof(std::uint32_t);

// Writes one record. A format whose data cannot be had after its header was written ends the
// capture there: readers stop at that header, and the records before it stay usable.
RecordResult WriteRecord(HANDLE file, UINT format, HANDLE data, DWORD size) {
  const std::uint32_t header[2] = {format, size};
  if (!WriteExactly(file, header, sizeof header)) return RecordResult::kFailed;
  if (format == CF_ENHMETAFILE) {
    GlobalMemory bits(GlobalAlloc(GMEM_FIXED, size));
    if (!bits || GetEnhMetaFileBits(static_cast<HENHMETAFILE>(data), size,
                                    static_cast<BYTE*>(bits.get())) < size)
      return RecordResult::kStop;
    return WriteExactly(file, bits.get(), size) ? RecordResult::kWritten : RecordResult::kFailed;
  }
  GlobalLockScope locked(data);
  if (!locked.Data()) return RecordResult::kStop;
  return WriteExactly(file, locked.Data(), size) ? RecordResult::kWritten : RecordResult::kFailed;
}

bool CaptureInto(const char* file_name) {
  FileHandle file(CreateFileA(file_name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  ClipboardScope clipboard;
  if (!clipboard.Open()) return false;
  DWORD room = kMaxObjectFileSize;
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    if (!IsStorableFormat(format)) continue;
    HANDLE data = GetClipboardData(format);
    const DWORD size = data ? FormatDataSize(format, data) : 0;
    if (size == 0 || room < kRecordHeaderSize || size > room - kRecordHeaderSize) continue;
    const RecordResult result = WriteRecord(file.get(), format, data, size);
    if (result == RecordResult::kFailed) return false;
    if (result == RecordResult::kStop) break;
    room -= kRecordHeaderSize + size;
  }
  const DWORD file_size = GetFileSize(file.get(), nullptr);
  return file_size != 0 && file_size != INVALID_FILE_SIZE;
}

}  // namespace

bool HasStorableClipboard() {
  ClipboardScope clipboard;
  if (!clipboard.Open()) return false;
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    if (!IsStorableFormat(format)) continue;
    HANDLE data = GetClipboardData(format);
    if (data && FormatDataSize(format, data) != 0) return true;
  }
  return false;
}

bool CaptureClipboard(const char* file_name) {
  if (!file_name || !file_name[0]) return false;
  SetFileAttributesA(file_name, FILE_ATTRIBUTE_NORMAL);
  if (CaptureInto(file_name)) return true;
  DeleteFileA(file_name);  // a failed capture leaves no file behind
  return false;
}

}  // namespace talo

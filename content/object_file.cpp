// Reading the records of an object file without ever trusting a count.
#include "content/object_file.h"

#include "content/clipboard_object.h"

namespace talo {
namespace {

// The bytes between the file pointer and the end of the file; 0 when either cannot be learned.
DWORD BytesLeft(HANDLE file) {
  const DWORD size = GetFileSize(file, nullptr);
  const DWORD position = SetFilePointer(file, 0, nullptr, FILE_CURRENT);
  if (size == INVALID_FILE_SIZE || position == INVALID_SET_FILE_POINTER || position > size)
    return 0;
  return size - position;
}

}  // namespace

bool ReadExactly(HANDLE file, void* data, DWORD size) {
  DWORD read = 0;
  return ReadFile(file, data, size, &read, nullptr) && read == size;
}

bool ReadRecordHeader(HANDLE file, ObjectRecordHeader& header) {
  header = {};
  if (!ReadExactly(file, &header.format, sizeof header.format) || !IsStorableFormat(header.format))
    return false;
  if (!ReadExactly(file, &header.count, sizeof header.count) || header.count == 0) return false;
  return header.count <= BytesLeft(file);
}

}  // namespace talo

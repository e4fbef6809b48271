// Replacing a file's contents in one step.
#include "data/file_replace.h"

#include <windows.h>

#include "base/text.h"
#include "base/unique.h"

namespace talo {
namespace {

constexpr char kNewSuffix[] = ".new";

bool WriteFlushed(const char* path, const void* bytes, int size) {
  FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes, static_cast<DWORD>(size), &written, nullptr) &&
         written == static_cast<DWORD>(size) && FlushFileBuffers(file.get());
}

// "<path>.new" into `new_path`; false when it would not fit.
bool NewFileName(char (&new_path)[kPathCapacity], const char* path) {
  if (!path || !path[0] ||
      BoundedLength(path, kPathCapacity) + int(sizeof kNewSuffix) > kPathCapacity)
    return false;
  CopyText(new_path, kPathCapacity, path);
  AppendText(new_path, kPathCapacity, kNewSuffix);
  return true;
}

bool MoveOver(const char* new_path, const char* path, bool replace) {
  if (replace) SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  if (MoveFileExA(new_path, path,
                  (replace ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileA(new_path);
  return false;
}

}  // namespace

bool ReplaceFileContents(const char* path, const void* bytes, int size, bool replace) {
  char new_path[kPathCapacity];
  if (size < 0 || (size > 0 && !bytes) || !NewFileName(new_path, path)) return false;
  if (!WriteFlushed(new_path, bytes, size)) {
    DeleteFileA(new_path);
    return false;
  }
  return MoveOver(new_path, path, replace);
}

bool ReplaceFileWithCopy(const char* source, const char* path) {
  char new_path[kPathCapacity];
  if (!source || !NewFileName(new_path, path)) return false;
  bool copied =
      CopyFileA(source, new_path, FALSE) && SetFileAttributesA(new_path, FILE_ATTRIBUTE_NORMAL);
  if (copied) {
    FileHandle file(CreateFileA(new_path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    copied = file && FlushFileBuffers(file.get());
  }
  if (!copied) {
    DeleteFileA(new_path);
    return false;
  }
  return MoveOver(new_path, path, true);
}

}  // namespace talo

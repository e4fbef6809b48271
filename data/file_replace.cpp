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

}  // namespace

bool ReplaceFileContents(const char* path, const void* bytes, int size, bool replace) {
  if (!path || !path[0] || size < 0 || (size > 0 && !bytes)) return false;
  char new_path[kPathCapacity];
  if (BoundedLength(path, kPathCapacity) + int(sizeof kNewSuffix) > kPathCapacity) return false;
  CopyText(new_path, kPathCapacity, path);
  AppendText(new_path, kPathCapacity, kNewSuffix);

  bool replaced = WriteFlushed(new_path, bytes, size);
  if (replaced && replace) SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  replaced = replaced &&
             MoveFileExA(new_path, path,
                         (replace ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH);
  if (!replaced) DeleteFileA(new_path);
  return replaced;
}

}  // namespace talo

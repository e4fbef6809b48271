// The assignment editor's working object file and its commitment.
#include "content/working_object.h"

#include <windows.h>

#include "base/text.h"
#include "content/clipboard_object.h"
#include "data/combination_files.h"
#include "data/file_replace.h"

namespace talo {
namespace {

constexpr char kObjectExtension[] = ".obj";

}  // namespace

bool CaptureWorkingObject() {
  char working[kPathCapacity];
  return WorkingFileName(working, kObjectExtension) > 0 && CaptureClipboard(working);
}

bool RestoreWorkingObject(bool restore) {
  char working[kPathCapacity];
  return restore && WorkingFileName(working, kObjectExtension) > 0 && RestoreClipboard(working);
}

bool CommitObject(int code, bool keep) {
  char committed[kPathCapacity];
  char working[kPathCapacity];
  if (CombinationFileName(committed, code, kObjectExtension) == 0) return false;
  if (!keep) {
    SetFileAttributesA(committed, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(committed);
    return true;
  }
  // A copy that fails leaves the stored object as it was.
  return WorkingFileName(working, kObjectExtension) > 0 && ReplaceFileWithCopy(working, committed);
}

}  // namespace talo

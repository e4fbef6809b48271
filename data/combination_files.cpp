// Content file names in the current user data folder.
#include "data/combination_files.h"

#include <windows.h>

#include "base/text.h"
#include "data/combination.h"
#include "data/settings.h"

namespace talo {

int CombinationFileName(char* path, int code, const char* extension) {
  if (!TaloSettings) return CopyText(path, kPathCapacity, "");
  return FormatCombinationFileName(path, kPathCapacity, TaloSettings->UserDir(), code, extension);
}

bool CombinationFileHasContent(int code, const char* extension) {
  char path[kPathCapacity];
  WIN32_FILE_ATTRIBUTE_DATA file;
  return CombinationFileName(path, code, extension) > 0 &&
         GetFileAttributesExA(path, GetFileExInfoStandard, &file) &&
         !(file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         (file.nFileSizeLow != 0 || file.nFileSizeHigh != 0);
}

int WorkingFileName(char* path, const char* extension) {
  if (!TaloSettings) return CopyText(path, kPathCapacity, "");
  return FormatWorkingFileName(path, kPathCapacity, TaloSettings->UserDir(), extension);
}

}  // namespace talo

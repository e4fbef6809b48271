// Content file names in the current user data folder.
#include "data/combination_files.h"

#include "base/text.h"
#include "data/combination.h"
#include "data/settings.h"

namespace talo {

int CombinationFileName(char* path, int code, const char* extension) {
  if (!TaloSettings) return CopyText(path, kPathCapacity, "");
  return FormatCombinationFileName(path, kPathCapacity, TaloSettings->UserDir(), code, extension);
}

int WorkingFileName(char* path, const char* extension) {
  if (!TaloSettings) return CopyText(path, kPathCapacity, "");
  return FormatWorkingFileName(path, kPathCapacity, TaloSettings->UserDir(), extension);
}

}  // namespace talo

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
  return FormatWorkingFileName(path, kPathCapacity, TaloSettings->UserDir(), WorkingFileTag(),
                               extension);
}

const char* WorkingFileTag() {
  static char tag[9] = "";
  if (!tag[0]) {
    // The process number tells programs on one machine apart, the machine's name and the moment
    // of the first call those on several.
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof computer;
    GetComputerNameA(computer, &size);
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    DWORD hash = 2166136261u;
    const auto mix = [&hash](DWORD value) {
      for (int i = 0; i < 4; ++i) hash = (hash ^ ((value >> (8 * i)) & 0xFF)) * 16777619u;
    };
    for (const char* c = computer; *c; ++c) mix(static_cast<unsigned char>(*c));
    mix(now.LowPart);
    mix(now.HighPart);
    mix(GetTickCount());
    mix(GetCurrentProcessId());
    static const char kHexDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < 8; ++i) tag[i] = kHexDigits[(hash >> (28 - 4 * i)) & 0xF];
  }
  return tag;
}

void DeleteWorkingFiles() {
  static const AssignmentKind kWorkingKinds[] = {
      AssignmentKind::kShellLink, AssignmentKind::kProgramInformation,
      AssignmentKind::kInternetShortcut, AssignmentKind::kObject};
  for (AssignmentKind kind : kWorkingKinds) {
    char path[kPathCapacity];
    if (WorkingFileName(path, AssignmentExtension(kind)) == 0) continue;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
  }
}

}  // namespace talo

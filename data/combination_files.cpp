// Content file names in the current user data folder.
#include "data/combination_files.h"

#include <windows.h>

#include "base/text.h"
#include "data/combination.h"
#include "data/settings.h"

namespace talo {
namespace {

// FNV-1a over the eight bytes of each value mixed in.
struct Hash {
  unsigned long long value = 14695981039346656037ull;
  void Mix(unsigned long long bytes) {
    for (int i = 0; i < 8; ++i) value = (value ^ ((bytes >> (8 * i)) & 0xFF)) * 1099511628211ull;
  }
};

}  // namespace

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

unsigned long long CombinationFilesStamp(int code) {
  char pattern[kPathCapacity];
  // Each file's hash is added: the sum does not depend on the order the folder lists them in.
  unsigned long long stamp = 0;
  // "0674.*" finds the title, the text and every shortcut and object file of the combination.
  if (CombinationFileName(pattern, code, ".*") == 0) return stamp;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA(pattern, &entry);
  if (find == INVALID_HANDLE_VALUE) return stamp;
  do {
    Hash hash;
    for (const char* c = entry.cFileName; *c; ++c) hash.Mix(static_cast<unsigned char>(*c));
    hash.Mix((static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow);
    hash.Mix((static_cast<unsigned long long>(entry.ftLastWriteTime.dwHighDateTime) << 32) |
             entry.ftLastWriteTime.dwLowDateTime);
    stamp += hash.value;
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return stamp;
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
    Hash hash;
    for (const char* c = computer; *c; ++c) hash.Mix(static_cast<unsigned char>(*c));
    hash.Mix(static_cast<unsigned long long>(now.QuadPart));
    hash.Mix(GetTickCount());
    hash.Mix(GetCurrentProcessId());
    static const char kHexDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < 8; ++i) tag[i] = kHexDigits[(hash.value >> (28 - 4 * i)) & 0xF];
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

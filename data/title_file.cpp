// Title files of the user data folder.
#include "data/title_file.h"

#include <windows.h>

#include "base/text.h"
#include "base/unique.h"
#include "data/combination.h"
#include "data/file_replace.h"
#include "data/settings.h"

namespace talo {
namespace {

int TitlePath(char (&path)[kPathCapacity], int code) {
  path[0] = '\0';
  if (!TaloSettings) return 0;
  return FormatCombinationFileName(path, kPathCapacity, TaloSettings->UserDir(), code,
                                   kTitleExtension);
}

}  // namespace

int ReadTitleFile(const char* path, char* title) {
  if (!title) return 0;
  title[0] = '\0';
  if (!path || !*path) return 0;
  FileHandle file(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!file) return 0;
  // The line ends at the first line feed or the end of the file; carriage returns are skipped.
  int length = 0;
  char bytes[kTitleCapacity];
  DWORD got = 0;
  bool line_ended = false;
  while (!line_ended && length < kTitleCapacity - 1) {
    if (!ReadFile(file.get(), bytes, sizeof bytes, &got, nullptr)) {
      length = 0;
      break;
    }
    if (got == 0) break;
    for (DWORD i = 0; i < got && length < kTitleCapacity - 1; ++i) {
      if (bytes[i] == '\n') {
        line_ended = true;
        break;
      }
      if (bytes[i] != '\r') title[length++] = bytes[i];
    }
  }
  title[length] = '\0';
  return length;
}

bool WriteTitleFile(const char* path, const char* title) {
  if (!path || !*path) return false;
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  if (!title || !*title) {
    DeleteFileA(path);
    return true;
  }
  char line[kTitleCapacity + 1];
  int length = CopyText(line, kTitleCapacity, title);
  line[length++] = '\r';
  line[length++] = '\n';
  // A write that fails leaves the stored title as it was.
  return ReplaceFileContents(path, line, length, true);
}

int ReadTitle(int code, char* title) {
  char path[kPathCapacity];
  if (!TitlePath(path, code)) {
    if (title) title[0] = '\0';
    return 0;
  }
  return ReadTitleFile(path, title);
}

bool WriteTitle(int code, const char* title) {
  char path[kPathCapacity];
  return TitlePath(path, code) && WriteTitleFile(path, title);
}

}  // namespace talo

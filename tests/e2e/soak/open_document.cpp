// soak_open_document.exe LOG DOCUMENT: the open command of the soak run's document type. Each
// opening adds the line "opened DOCUMENT" to LOG, so its line count is the number of launches. The
// document itself is left alone: the shell may be reading it for the next launch.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "base/unique.h"

namespace {

constexpr int kAttempts = 500;
constexpr DWORD kRetryMs = 10;

// Without sharing, so that two openers at once take turns instead of writing over each other.
talo::FileHandle OpenAlone(const char* path) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    talo::FileHandle file(
        CreateFileA(path, FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (file || GetLastError() != ERROR_SHARING_VIOLATION) return file;
    Sleep(kRetryMs);
  }
  return talo::FileHandle();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 2;
  const talo::FileHandle file = OpenAlone(__argv[1]);
  const std::string line = std::string("opened ") + __argv[2] + "\r\n";
  DWORD written = 0;
  return file && WriteFile(file.get(), line.data(), DWORD(line.size()), &written, nullptr) ? 0 : 1;
}

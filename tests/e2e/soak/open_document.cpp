// soak_open_document.exe DOCUMENT: the open command of the soak run's document type. Opening the
// document adds one line to it, so its line count is the number of times it was opened.
#include <windows.h>

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

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  std::string path = command_line;
  if (path.size() >= 2 && path.front() == '"') path = path.substr(1, path.size() - 2);
  const talo::FileHandle file = OpenAlone(path.c_str());
  const char line[] = "opened\r\n";
  DWORD written = 0;
  return file && WriteFile(file.get(), line, sizeof line - 1, &written, nullptr) ? 0 : 1;
}

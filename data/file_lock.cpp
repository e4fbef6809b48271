// An exclusive lock that programs on one folder take in turn.
#include "data/file_lock.h"

#include <windows.h>

namespace talo {

FileHandle LockFileExclusively(const char* path, int wait_ms) {
  constexpr int kStepMs = 20;
  const DWORD start = GetTickCount();
  for (;;) {
    FileHandle file(CreateFileA(path, GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    OVERLAPPED at = {};
    if (file &&
        LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
      return file;
    // Only another program's turn is waited for; a folder where the file cannot be made is not.
    const DWORD error = GetLastError();
    if (error != ERROR_LOCK_VIOLATION && error != ERROR_SHARING_VIOLATION) return FileHandle();
    if (static_cast<int>(GetTickCount() - start) >= wait_ms) return FileHandle();
    Sleep(kStepMs);
  }
}

}  // namespace talo

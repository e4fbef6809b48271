// What a process holds, for the soak run: kernel handles, committed private memory, windows and
// GDI objects, each counted in a way that also works under Wine, where GetProcessHandleCount,
// GetGuiResources and PrivateUsage answer 0.
#pragma once

#include <windows.h>

#include <cstddef>

namespace talo::test {

// The handles of `process` (opened with PROCESS_DUP_HANDLE): every handle value that duplicates.
int CountHandles(HANDLE process);
// The bytes of committed private memory of `process` (opened with PROCESS_QUERY_INFORMATION).
std::size_t CommittedPrivateBytes(HANDLE process);
// The windows of the process `process_id`: top-level, message-only and all their children. The
// caller must run in the same desktop.
int CountWindows(DWORD process_id);
// The GDI objects of the calling process.
int CountOwnGdiObjects();

}  // namespace talo::test

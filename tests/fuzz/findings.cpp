// Crash handlers and the watchdog. Both write the current input with plain Win32 calls only: they
// run while the process is broken (a fault inside a reader) or stuck (the main thread never comes
// back), and then end it.
#include "tests/fuzz/findings.h"

#include <windows.h>

#include <cstdio>
#include <exception>

#include "tests/fuzz/guarded_memory.h"

namespace talo::fuzz {
namespace {

struct CurrentInput {
  const char* reader = nullptr;
  long long index = 0;
  const char* bytes = nullptr;
  unsigned long size = 0;
  DWORD started_ms = 0;
  bool timed = false;
};

CRITICAL_SECTION g_lock;
CurrentInput g_current;
volatile LONG g_active = 0;
volatile LONG g_ending = 0;
char g_folder[MAX_PATH] = {};
unsigned g_limit_ms = 1000;

// Writes the current input as "<folder>\<reader>-<kind>-<index>.bin", says so on the standard
// error, and ends the process; only the first finding is written.
[[noreturn]] void WriteAndEnd(const char* kind, const char* detail, int exit_code) {
  if (InterlockedExchange(&g_ending, 1) != 0) {
    Sleep(INFINITE);
  }
  char path[MAX_PATH * 2];
  if (g_active && g_current.reader) {
    std::snprintf(path, sizeof path, "%s\\%s-%s-%lld.bin", g_folder, g_current.reader, kind,
                  g_current.index);
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file != INVALID_HANDLE_VALUE) {
      WriteFile(file, g_current.bytes, g_current.size, &written, nullptr);
      CloseHandle(file);
    }
    std::fprintf(stderr, "\nFINDING %s %s at input %lld (%s): %s\n", g_current.reader, kind,
                 g_current.index, detail, path);
  } else {
    std::fprintf(stderr, "\nFINDING %s outside any input (%s)\n", kind, detail);
  }
  std::fflush(stderr);
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), exit_code);
  for (;;) Sleep(INFINITE);
}

// A touch of a guard page is a finding even where the reader (or the system beneath it) would
// catch the fault and carry on: it read or wrote beyond the input it was given.
LONG CALLBACK GuardTouched(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  if (record->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record->NumberParameters >= 2 &&
      InAnyGuard(reinterpret_cast<const void*>(record->ExceptionInformation[1]))) {
    char detail[96];
    std::snprintf(detail, sizeof detail, "%s the guard page at %p",
                  record->ExceptionInformation[0] ? "write to" : "read of",
                  reinterpret_cast<void*>(record->ExceptionInformation[1]));
    WriteAndEnd("crash", detail, kCrashExitCode);
  }
  if (record->ExceptionCode == EXCEPTION_STACK_OVERFLOW)
    WriteAndEnd("crash", "stack overflow", kCrashExitCode);
  return EXCEPTION_CONTINUE_SEARCH;
}

LONG WINAPI Unhandled(EXCEPTION_POINTERS* info) {
  char detail[96];
  std::snprintf(detail, sizeof detail, "exception 0x%08lX at %p",
                static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                info->ExceptionRecord->ExceptionAddress);
  WriteAndEnd("crash", detail, kCrashExitCode);
}

[[noreturn]] void Terminated() {
  WriteAndEnd("crash", "C++ exception left the reader", kCrashExitCode);
}

// How long writing a finding may take: a crash inside the system's own code can leave a lock
// taken that writing the file needs, and the process must end all the same.
constexpr DWORD kWritingLimitMs = 5000;
volatile DWORD g_ending_since = 0;

DWORD WINAPI Watchdog(void*) {
  for (;;) {
    Sleep(50);
    if (g_ending) {
      if (!g_ending_since) g_ending_since = GetTickCount();
      if (GetTickCount() - g_ending_since > kWritingLimitMs)
        TerminateProcess(GetCurrentProcess(), kCrashExitCode);
      continue;
    }
    bool overdue = false;
    EnterCriticalSection(&g_lock);
    if (g_active && g_current.timed && GetTickCount() - g_current.started_ms > g_limit_ms)
      overdue = true;
    LeaveCriticalSection(&g_lock);
    if (overdue) WriteAndEnd("hang", "over the time limit", kHangExitCode);
  }
}

}  // namespace

void StartFindings(const std::string& folder, unsigned limit_ms) {
  InitializeCriticalSection(&g_lock);
  std::snprintf(g_folder, sizeof g_folder, "%s", folder.c_str());
  CreateDirectoryA(g_folder, nullptr);
  g_limit_ms = limit_ms;
  AddVectoredExceptionHandler(1, GuardTouched);
  SetUnhandledExceptionFilter(Unhandled);
  std::set_terminate(Terminated);
  CloseHandle(CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr));
}

void BeginInput(const char* reader, long long index, const std::string& bytes, bool timed) {
  EnterCriticalSection(&g_lock);
  g_current.reader = reader;
  g_current.index = index;
  g_current.bytes = bytes.data();
  g_current.size = static_cast<unsigned long>(bytes.size());
  g_current.timed = timed;
  g_current.started_ms = GetTickCount();
  g_active = 1;
  LeaveCriticalSection(&g_lock);
}

void EndInput() {
  EnterCriticalSection(&g_lock);
  g_active = 0;
  LeaveCriticalSection(&g_lock);
}

}  // namespace talo::fuzz

// Counting the handles, private memory, windows and GDI objects of a process.
#include "tests/support/process_resources.h"

namespace talo::test {
namespace {

// Handle values are multiples of 4 and handed out lowest free first, so the table is dense: a
// long run of values that are no handle means the end.
constexpr int kHandleGapAtTheEnd = 1024;
// GDI handles carry their table index in the low word.
constexpr unsigned kGdiIndexLimit = 0x10000;

struct WindowCount {
  DWORD process_id;
  int count;
};

BOOL CALLBACK CountChild(HWND window, LPARAM param) {
  auto* tally = reinterpret_cast<WindowCount*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == tally->process_id) ++tally->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param) {
  CountChild(window, param);
  EnumChildWindows(window, CountChild, param);
  return TRUE;
}

}  // namespace

int CountHandles(HANDLE process) {
  int count = 0;
  int misses = 0;
  for (UINT_PTR value = 4; misses < kHandleGapAtTheEnd; value += 4) {
    HANDLE copy = nullptr;
    if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0,
                        FALSE, DUPLICATE_SAME_ACCESS)) {
      CloseHandle(copy);
      ++count;
      misses = 0;
    } else {
      ++misses;
    }
  }
  return count;
}

std::size_t CommittedPrivateBytes(HANDLE process) {
  std::size_t total = 0;
  MEMORY_BASIC_INFORMATION region;
  const char* address = nullptr;
  while (VirtualQueryEx(process, address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    address = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
  }
  return total;
}

int CountWindows(DWORD process_id) {
  WindowCount tally{process_id, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&tally));
  for (HWND window = nullptr;
       (window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;)
    CountTopLevel(window, reinterpret_cast<LPARAM>(&tally));
  return tally.count;
}

// Wine's GetObjectType also takes the bare table index of a live object (Windows wants the whole
// handle), so trying every index finds each object once.
int CountOwnGdiObjects() {
  int count = 0;
  for (unsigned index = 1; index < kGdiIndexLimit; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(index)))) ++count;
  return count;
}

}  // namespace talo::test

// keyboard_proc_bench.exe: the cost of KeyboardProc for a key without an assignment, against the
// bare opening, mapping, unmapping and closing of the three blocks it reads, measured in the same
// run; and the size and imports of Talospur.dll.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "data/mapped_view.h"
#include "data/sys_data.h"
#include "data/user_data.h"
#include "hook/comm_block.h"

namespace {

using talo::TMappedView;

constexpr int kCallsPerRound = 2000;
constexpr int kRounds = 15;

std::string InstallFolder() {
  std::string path = std::string("Z:") + TALO_INSTALL_DIR_UNIX + "\\";
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// What any reader of the three blocks must pay at least.
void BareOpenAndClose() {
  const struct {
    const char* name;
  } blocks[] = {{talo::kCommBlockName}, {talo::kSystemDataViewName}, {talo::kUserDataViewName}};
  for (const auto& block : blocks) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, block.name);
    void* view = MapViewOfFileEx(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0, nullptr);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
  }
}

template <typename Work>
double MicrosecondsPerCall(Work work) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kCallsPerRound; ++i) work();
  QueryPerformanceCounter(&end);
  return Seconds(start, end) * 1e6 / kCallsPerRound;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void PrintImports(HMODULE module) {
  auto* base = reinterpret_cast<const unsigned char*>(module);
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  std::printf("imports:");
  for (auto* entry =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
       directory.VirtualAddress && entry->Name; ++entry)
    std::printf(" %s", reinterpret_cast<const char*>(base + entry->Name));
  std::printf("\n");
}

}  // namespace

int main() {
  const std::string library_path = InstallFolder() + talo::kHookLibraryName;
  HMODULE library = LoadLibraryA(library_path.c_str());
  auto procedure =
      library ? reinterpret_cast<HOOKPROC>(GetProcAddress(library, "KeyboardProc")) : nullptr;
  if (!procedure) {
    std::fprintf(stderr, "cannot load %s\n", library_path.c_str());
    return 1;
  }

  TMappedView comm, system_data, user_data;
  if (!comm.Create(talo::kCommBlockName, talo::kCommBlockSize) ||
      !system_data.Create(talo::kSystemDataViewName, talo::kSystemDataViewSize) ||
      !user_data.Create(talo::kUserDataViewName, talo::kUserDataViewSize)) {
    std::fprintf(stderr, "the blocks exist already: is Talowick.exe running?\n");
    return 1;
  }
  const std::uint32_t some_hook = 0x00C0FFEE;
  std::memcpy(comm.View() + talo::kHookHandleOffset, &some_hook, 4);
  std::strcpy(reinterpret_cast<char*>(comm.View()) + talo::kUserDirOffset, "C:\\Nowhere\\");
  // 'Q' alone is available but has no assignment: the hook reads everything and passes it on.
  system_data.View()[1024 + 'Q'] = 0x20;

  std::vector<double> bare, hook;
  for (int round = 0; round < kRounds; ++round) {
    bare.push_back(MicrosecondsPerCall(BareOpenAndClose));
    hook.push_back(MicrosecondsPerCall([&] { procedure(HC_ACTION, 'Q', 1); }));
  }
  const double bare_us = Median(bare), hook_us = Median(hook);
  std::printf("bare open/map/unmap/close of the three blocks: %.2f us\n", bare_us);
  std::printf("KeyboardProc, key without assignment:          %.2f us\n", hook_us);
  std::printf("ratio: %.2f (budget 1.50)\n", hook_us / bare_us);

  WIN32_FILE_ATTRIBUTE_DATA attributes = {};
  GetFileAttributesExA(library_path.c_str(), GetFileExInfoStandard, &attributes);
  std::printf("Talospur.dll: %lu bytes (budget 65536)\n", attributes.nFileSizeLow);
  PrintImports(library);
  return 0;
}

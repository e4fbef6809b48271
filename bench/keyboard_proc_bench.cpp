// keyboard_proc_bench.exe: the cost of KeyboardProc for three kinds of key event, each against the
// bare opening, mapping, unmapping and closing of the three blocks it reads, measured in the same
// run; the server calls besides the blocks that the hook may make; and the size and imports of
// Talospur.dll.
//
//   plain letter         Q alone, a combination the system data marks unavailable (goal 0.80)
//   free combination     Ctrl+Alt+F7, available, no assignment (goal 1.20)
//   assigned key-up      Ctrl+Alt+F5 with an enabled text, the swallowed release (goal 1.20)
//
//   keyboard_proc_bench.exe [OTHER_TALOSPUR.DLL]
//
// With another build of the library (an earlier one, say) the three events are timed for it too,
// in the same rounds, against the same floor.
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

constexpr int kCallsPerRound = 500;
constexpr int kRounds = 15;

unsigned bytes_read = 0;

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

// What any reader of the three blocks must pay at least; with `read`, one byte is read from each
// as the hook does. On a virtual machine the first touch of a freshly mapped page, and the
// unmapping of a touched page, can cost as much as the mapping itself.
void BareOpenAndClose(bool read) {
  const char* names[] = {talo::kCommBlockName, talo::kSystemDataViewName, talo::kUserDataViewName};
  for (const char* name : names) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name);
    void* view = MapViewOfFileEx(mapping, FILE_MAP_READ, 0, 0, 0, nullptr);
    if (read && view) bytes_read += static_cast<volatile unsigned char*>(view)[1024];
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

// Each round's ratio, so that a slower stretch of a shared machine weighs on both sides alike.
std::vector<double> Ratios(const std::vector<double>& values, const std::vector<double>& floor) {
  std::vector<double> ratios;
  for (size_t i = 0; i < values.size(); ++i) ratios.push_back(values[i] / floor[i]);
  return ratios;
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

HOOKPROC LoadProcedure(const std::string& path, HMODULE& library) {
  library = LoadLibraryA(path.c_str());
  auto procedure =
      library ? reinterpret_cast<HOOKPROC>(GetProcAddress(library, "KeyboardProc")) : nullptr;
  if (!procedure) std::fprintf(stderr, "cannot load %s\n", path.c_str());
  return procedure;
}

// The three events through one library, each round.
struct Timings {
  std::vector<double> letter, free, assigned;
};

int main(int argc, char** argv) {
  const std::string library_path = InstallFolder() + talo::kHookLibraryName;
  HMODULE library = nullptr, other_library = nullptr;
  const HOOKPROC procedure = LoadProcedure(library_path, library);
  const HOOKPROC other = argc > 1 ? LoadProcedure(argv[1], other_library) : nullptr;
  if (!procedure || (argc > 1 && !other)) return 1;

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
  constexpr int kCtrlAltF5 = 0x674, kCtrlAltF7 = 0x676;
  constexpr LPARAM kKeyDown = 1, kKeyUp = static_cast<LPARAM>(0xC0000001u);
  system_data.View()[1024 + kCtrlAltF5] = 0x20;
  system_data.View()[1024 + kCtrlAltF7] = 0x20;
  user_data.View()[1024 + kCtrlAltF5] = 0x18;  // an enabled text; the key-up never runs it

  // The hook asks this thread's key state, as it does in the application it runs in.
  BYTE nothing_held[256] = {}, ctrl_alt_held[256] = {};
  ctrl_alt_held[VK_CONTROL] = ctrl_alt_held[VK_MENU] = 0x80;
  auto time_events = [&](HOOKPROC hook, Timings& timings) {
    SetKeyboardState(nothing_held);
    timings.letter.push_back(MicrosecondsPerCall([&] { hook(HC_ACTION, 'Q', kKeyDown); }));
    SetKeyboardState(ctrl_alt_held);
    timings.free.push_back(MicrosecondsPerCall([&] { hook(HC_ACTION, VK_F7, kKeyDown); }));
    timings.assigned.push_back(MicrosecondsPerCall([&] { hook(HC_ACTION, VK_F5, kKeyUp); }));
  };
  volatile SHORT state = 0;
  BYTE keys[256];

  std::vector<double> bare, bare_read, key_state, keyboard_state, next_hook;
  Timings built, earlier;
  for (int round = 0; round < kRounds; ++round) {
    bare.push_back(MicrosecondsPerCall([] { BareOpenAndClose(false); }));
    bare_read.push_back(MicrosecondsPerCall([] { BareOpenAndClose(true); }));
    time_events(procedure, built);
    if (other) time_events(other, earlier);
    key_state.push_back(MicrosecondsPerCall([&] { state = GetKeyState(VK_SHIFT); }));
    keyboard_state.push_back(MicrosecondsPerCall([&] { GetKeyboardState(keys); }));
    next_hook.push_back(MicrosecondsPerCall(
        [&] { CallNextHookEx(reinterpret_cast<HHOOK>(0x00C0FFEE), HC_ACTION, 'Q', kKeyDown); }));
  }

  std::printf("bare open/map/unmap/close of the three blocks: %8.2f us\n", Median(bare));
  std::printf("the same, one byte read from each block:       %8.2f us  ratio %.2f\n",
              Median(bare_read), Median(Ratios(bare_read, bare)));
  auto print = [&](const char* which, const Timings& timings) {
    const struct {
      const char* what;
      const std::vector<double>& us;
      double goal;
    } rows[] = {{"KeyboardProc, plain letter (unavailable):     ", timings.letter, 0.80},
                {"KeyboardProc, available, no assignment:       ", timings.free, 1.20},
                {"KeyboardProc, assigned text, key-up:          ", timings.assigned, 1.20}};
    std::printf("%s\n", which);
    // The second ratio is to the floor that reads what the hook must read.
    for (const auto& row : rows)
      std::printf("%s%8.2f us  ratio %.2f (goal %.2f), with reading %.2f\n", row.what,
                  Median(row.us), Median(Ratios(row.us, bare)), row.goal,
                  Median(Ratios(row.us, bare_read)));
  };
  print(library_path.c_str(), built);
  if (other) print(argv[1], earlier);
  std::printf("GetKeyState, one key:                         %8.2f us\n", Median(key_state));
  std::printf("GetKeyboardState, all keys:                   %8.2f us\n", Median(keyboard_state));
  std::printf("CallNextHookEx:                               %8.2f us\n", Median(next_hook));

  WIN32_FILE_ATTRIBUTE_DATA attributes = {};
  GetFileAttributesExA(library_path.c_str(), GetFileExInfoStandard, &attributes);
  std::printf("Talospur.dll: %lu bytes (budget 65536)\n", attributes.nFileSizeLow);
  PrintImports(library);
  return 0;
}

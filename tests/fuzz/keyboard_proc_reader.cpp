// The hook library's KeyboardProc, called as Windows calls it, over blocks whose contents come
// from the input.
//
// An input is an event (hook code, virtual key, key flags, the held modifiers), then the
// communications block, then the user data's status table. KeyboardProc finds its blocks by name
// in views the system maps by whole pages, so no guard page can follow a block's last byte here:
// a read past a block's size meets the rest of its page (zeros), which the fuzz run cannot see.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/text.h"
#include "data/combination.h"
#include "data/sys_data.h"
#include "data/user_data.h"
#include "hook/comm_block.h"
#include "tests/fuzz/fuzz_reader.h"
#include "tests/support/win_driver.h"

namespace talo::fuzz {
namespace {

constexpr std::size_t kEventSize = 16;
constexpr std::size_t kStatusTableSize = kCombinationCount;

struct Event {
  std::int32_t hook_code;
  std::uint32_t key;
  std::uint32_t flags;
  std::uint8_t modifiers;  // bits: Shift, Ctrl, Alt, left Windows, right Windows, Applications
  std::uint8_t reserved[3];
};
static_assert(sizeof(Event) == kEventSize, "the event heads the input");

class KeyboardProcReader : public FuzzReader {
 public:
  ~KeyboardProcReader() override {
    if (library_) FreeLibrary(library_);
    BYTE keys[256] = {};
    SetKeyboardState(keys);
  }

  bool MakeSeeds(std::vector<std::string>& seeds) override {
    const std::string library_path = test::InstallFolder() + kHookLibraryName;
    library_ = LoadLibraryA(library_path.c_str());
    procedure_ =
        library_ ? reinterpret_cast<HOOKPROC>(GetProcAddress(library_, "KeyboardProc")) : nullptr;
    if (!procedure_ || !comm_.Create(kCommBlockName, kCommBlockSize) || !system_.CreateView() ||
        !user_.CreateView() || !system_.LoadFile(test::InstallFolder().c_str())) {
      std::fprintf(stderr, "cannot prepare: Talospur.dll, the blocks or System.dat\n");
      return false;
    }
    // Two available Ctrl+Alt combinations get a text and an object to paste.
    const std::string folder = ScratchFolder() + "keys\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    int codes[2] = {};
    int found = 0;
    for (int key = 'A'; key <= 'Z' && found < 2; ++key) {
      bool available = false;
      if (IsAvailable(system_, key | kCtrlBit | kAltBit, available) && available)
        codes[found++] = key | kCtrlBit | kAltBit;
    }
    if (found < 2) {
      std::fprintf(stderr, "cannot prepare: no available Ctrl+Alt combinations\n");
      return false;
    }
    char name[kPathCapacity];
    FormatCombinationFileName(name, sizeof name, folder.c_str(), codes[0], ".txt");
    WriteInputFile(name, "pasted by the hook");
    FormatCombinationFileName(name, sizeof name, folder.c_str(), codes[1], ".obj");
    WriteInputFile(name, std::string("\x01\0\0\0\x05\0\0\0text\0", 13));

    std::string comm(kCommBlockSize, '\0');
    const std::uint32_t hook = 0x00C0FFEE;
    std::memcpy(&comm[kHookHandleOffset], &hook, sizeof hook);
    std::memcpy(&comm[kUserDirOffset], folder.data(), folder.size());
    std::string table(kStatusTableSize, '\0');
    table[codes[0]] = static_cast<char>(kStatusEnabled | 8);
    table[codes[1]] = static_cast<char>(kStatusEnabled | 12);
    for (int code : {codes[0], codes[1], int('Q')})
      for (std::uint32_t flags : {0x00000001u, 0xC0000001u}) {
        const Event event = {HC_ACTION,
                             static_cast<std::uint32_t>(code & 0xFF),
                             flags,
                             static_cast<std::uint8_t>(code >> 8),
                             {}};
        seeds.push_back(std::string(reinterpret_cast<const char*>(&event), sizeof event) + comm +
                        table);
      }
    return true;
  }

  bool Read(const std::string& input) override {
    Event event = {};
    std::memcpy(&event, input.data(), std::min(input.size(), sizeof event));
    std::memset(comm_.View(), 0, kCommBlockSize);
    if (input.size() > kEventSize)
      std::memcpy(comm_.View(), input.data() + kEventSize,
                  std::min<std::size_t>(input.size() - kEventSize, kCommBlockSize));
    std::memset(user_.View() + kStatusTableOffset, 0, kStatusTableSize);
    const std::size_t table_at = kEventSize + kCommBlockSize;
    if (input.size() > table_at)
      std::memcpy(user_.View() + kStatusTableOffset, input.data() + table_at,
                  std::min(input.size() - table_at, kStatusTableSize));
    BYTE keys[256] = {};
    const int modifier_keys[] = {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN, VK_APPS};
    for (int i = 0; i < 6; ++i)
      if (event.modifiers & (1 << i)) keys[modifier_keys[i]] = 0x80;
    SetKeyboardState(keys);
    return procedure_(event.hook_code, event.key, static_cast<LPARAM>(event.flags)) == 1;
  }

  std::size_t MaxSize() const override { return kEventSize + kCommBlockSize + kStatusTableSize; }

 private:
  HMODULE library_ = nullptr;
  HOOKPROC procedure_ = nullptr;
  TMappedView comm_;
  TTaloSysData system_;
  TTaloUserData user_;
};

}  // namespace

std::unique_ptr<FuzzReader> MakeKeyboardProcReader() {
  return std::make_unique<KeyboardProcReader>();
}

}  // namespace talo::fuzz

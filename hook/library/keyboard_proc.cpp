// KeyboardProc: the system-wide keyboard hook procedure, run inside every process that reads keys.
//
// The procedure keeps nothing between calls: each call opens the communications block and, as far
// as the event needs them, the two data views by name, reads a handle, two status bytes and, for
// an assignment it carries out, the folder, and closes them again.
//
// Under Wine every one of these calls is a round trip to the server, and the cost of an event is
// nearly the number of round trips it makes: opening a block costs several, asking the key state
// one. So the key state is asked once for all six keys, and the user data view is opened only for
// a combination that may be assigned at all; plain typing opens two blocks, not three.
#include <windows.h>

#include <cstdint>

#include "base/text.h"
#include "data/combination.h"
#include "data/folder_path.h"
#include "data/mapped_view.h"
#include "data/sys_data.h"
#include "data/user_data.h"
#include "hook/comm_block.h"
#include "hook/library/assignment_execution.h"

namespace talo {
namespace {

// A folder being rewritten is read again after a moment, twice at most.
constexpr int kFolderReadAttempts = 3;

enum class Verdict {
  kNoHook,   // no block, or the program has not installed the hook: the result is 0
  kPassOn,   // the next hook gets the event
  kSwallow,  // the assignment's key: the application never sees it
};

// The hook handle; false when the block is missing or holds no hook.
bool ReadHookHandle(TMappedView& comm, HHOOK& hook) {
  if (!comm.Open(kCommBlockName, kCommBlockSize) || !comm.IsOpenWithSize(kCommBlockSize))
    return false;
  const std::uint32_t handle =
      *reinterpret_cast<const volatile std::uint32_t*>(comm.View() + kHookHandleOffset);
  if (handle == 0) return false;
  hook = reinterpret_cast<HHOOK>(static_cast<std::uintptr_t>(handle));
  return true;
}

// One snapshot of this thread's key state, the same state GetKeyState reports key by key.
class KeyState {
 public:
  bool Read() { return GetKeyboardState(keys_) != FALSE; }
  bool IsDown(int virtual_key) const { return (keys_[virtual_key] & 0x80) != 0; }

 private:
  BYTE keys_[256];
};

bool UserStatus(const TMappedView& user_data, int code, unsigned char& status) {
  status = 0;
  if (!user_data.IsOpenWithSize(kUserDataViewSize) || !IsCombinationCode(code)) return false;
  status = user_data.View()[kStatusTableOffset + code];
  return true;
}

// The user data folder as the program last published it whole: read between two equal even counts
// of its rewrites, ending in a separator and absolute (a relative folder would name files in the
// current folder of whichever application the user is typing in).
bool ReadUserFolder(const TMappedView& comm, char (&folder)[kPathCapacity]) {
  const auto* version =
      reinterpret_cast<const volatile std::uint32_t*>(comm.View() + kUserDirVersionOffset);
  const auto* field = reinterpret_cast<const char*>(comm.View() + kUserDirOffset);
  for (int attempt = 0; attempt < kFolderReadAttempts; ++attempt) {
    if (attempt > 0) Sleep(1);  // the program is rewriting it: a moment is enough
    const std::uint32_t before = *version;
    MemoryBarrier();
    // The field may lack its terminator: the copy never reads past the field, nor past the buffer.
    const int length = CopyText(folder, kPathCapacity, field, kUserDirFieldSize - 1);
    MemoryBarrier();
    if ((before & 1) != 0 || *version != before) continue;
    return length > 0 && folder[length - 1] == '\\' && IsAbsoluteFolder(folder);
  }
  return false;
}

// Carries the assignment out; false when the key goes back to the application after all. A run
// that failed is still the assignment's key; one refused because its file is larger than the
// editor writes or is a broken shortcut says so with the error beep; one that faulted inside a
// shell or clipboard call did not happen, and the application sees its key.
bool Execute(const TMappedView& comm, int combination, unsigned char status, Paste paste) {
  char folder[kPathCapacity];
  if (!ReadUserFolder(comm, folder)) return true;
  switch (CarryOutAssignment(folder, combination, status, paste)) {
    case Execution::kRefused:
      MessageBeep(MB_ICONHAND);
      return true;
    case Execution::kFaulted:
      return false;
    default:
      return true;
  }
}

// Decides the event. The views are declared so that those opened close in the order user data,
// system data, communications block when the function returns, on every path.
Verdict Judge(int code, WPARAM key, LPARAM flags, HHOOK& hook) {
  TMappedView comm;
  TMappedView system_data;
  TMappedView user_data;

  if (!ReadHookHandle(comm, hook)) return Verdict::kNoHook;
  if (code != HC_ACTION || key > 0xFF || IsPasteKey(flags)) return Verdict::kPassOn;
  KeyState keys;
  if (!keys.Read()) return Verdict::kPassOn;
  // Windows-key and Applications-key combinations belong to the system.
  if (keys.IsDown(VK_LWIN) || keys.IsDown(VK_RWIN) || keys.IsDown(VK_APPS)) return Verdict::kPassOn;

  int combination = static_cast<int>(key);
  if (keys.IsDown(VK_SHIFT)) combination |= kShiftBit;
  if (keys.IsDown(VK_CONTROL)) combination |= kCtrlBit;
  if (keys.IsDown(VK_MENU)) combination |= kAltBit;

  // Whatever the user data holds, an unavailable combination is passed on: its view decides
  // nothing then and is not opened.
  bool available = false;
  if (!system_data.Open(kSystemDataViewName, kSystemDataViewSize)) return Verdict::kPassOn;
  if (!IsAvailable(system_data, combination, available) || !available) return Verdict::kPassOn;
  unsigned char status = 0;
  if (!user_data.Open(kUserDataViewName, kUserDataViewSize)) return Verdict::kPassOn;
  if (!UserStatus(user_data, combination, status) || !IsActiveStatus(status))
    return Verdict::kPassOn;

  // Bit 31 set: the key is going up. An auto-repeated key-down runs the assignment again; the
  // result of a run does not matter, the key is the assignment's either way. Only a run that
  // faulted gives the key back: the assignment did not happen, the application sees the key.
  // Bit 30 set on a key-down: an auto-repeat, the user holds the whole combination down, and its
  // paste waits for no release.
  const bool key_down = (static_cast<DWORD>(flags) & 0x80000000u) == 0;
  const Paste paste = (flags & 0x40000000) ? Paste::kAtOnce : Paste::kAfterRelease;
  if (key_down && !Execute(comm, combination, status, paste)) return Verdict::kPassOn;
  return Verdict::kSwallow;
}

}  // namespace
}  // namespace talo

extern "C" LRESULT CALLBACK KeyboardProc(int code, WPARAM wparam, LPARAM lparam) {
  HHOOK hook = nullptr;
  switch (talo::Judge(code, wparam, lparam, hook)) {
    case talo::Verdict::kSwallow:
      return 1;
    case talo::Verdict::kPassOn:
      return CallNextHookEx(hook, code, wparam, lparam);
    case talo::Verdict::kNoHook:
    default:
      return 0;
  }
}

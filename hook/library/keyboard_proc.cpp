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

#include "base/guarded_call.h"
#include "base/text.h"
#include "data/combination.h"
#include "data/mapped_view.h"
#include "data/sys_data.h"
#include "data/user_data.h"
#include "hook/comm_block.h"
#include "hook/library/assignment_execution.h"

namespace talo {
namespace {

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

void Execute(const TMappedView& comm, int combination, unsigned char status) {
  // The field may lack its terminator: the copy never reads past the field, nor past the buffer.
  char folder[kPathCapacity] = {};
  CopyText(folder, kPathCapacity, reinterpret_cast<const char*>(comm.View() + kUserDirOffset),
           kUserDirFieldSize - 1);
  ExecuteAssignment(folder, combination, status, true);
}

struct Execution {
  const TMappedView& comm;
  int combination;
  unsigned char status;
};

// A run that failed is still a run: only a fault makes the guard give false.
bool ExecuteStep(void* context) {
  const auto& execution = *static_cast<const Execution*>(context);
  Execute(execution.comm, execution.combination, execution.status);
  return true;
}

// Runs the assignment so that a fault inside a shell or clipboard call (a broken shell extension,
// a clipboard owner that crashes on WM_DESTROYCLIPBOARD) ends the run, not the application it
// runs in; false after such a fault. The library is built without unwinding, so nothing inside
// the run was cleaned up: a clipboard it had opened is still open and is closed here (a shortcut's
// run opens none).
bool ExecuteGuarded(const TMappedView& comm, int combination, unsigned char status) {
  Execution execution{comm, combination, status};
  if (GuardedCall(ExecuteStep, &execution)) return true;
  if (!IsShortcutKind(KindOfStatus(status))) CloseClipboard();
  return false;
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
  const bool key_down = (static_cast<DWORD>(flags) & 0x80000000u) == 0;
  if (key_down && !ExecuteGuarded(comm, combination, status)) return Verdict::kPassOn;
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

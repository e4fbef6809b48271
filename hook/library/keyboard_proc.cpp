// KeyboardProc: the system-wide keyboard hook procedure, run inside every process that reads keys.
//
// The procedure keeps nothing between calls: each call opens the communications block and the two
// data views by name, reads a handle, a folder and two status bytes, and closes them again.
#include <windows.h>

#include <cstdint>

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

bool IsDown(int virtual_key) { return GetKeyState(virtual_key) < 0; }

// The hook handle and the user data folder; false when the block is missing or holds no hook.
bool ReadCommBlock(TMappedView& comm, HHOOK& hook, char (&folder)[kPathCapacity]) {
  if (!comm.Open(kCommBlockName, kCommBlockSize) || !comm.IsOpenWithSize(kCommBlockSize))
    return false;
  const unsigned char* block = comm.View();
  const std::uint32_t handle =
      *reinterpret_cast<const volatile std::uint32_t*>(block + kHookHandleOffset);
  if (handle == 0) return false;
  hook = reinterpret_cast<HHOOK>(static_cast<std::uintptr_t>(handle));
  // The field may lack its terminator: the copy never reads past the field, nor past the buffer.
  CopyText(folder, kPathCapacity, reinterpret_cast<const char*>(block + kUserDirOffset),
           kUserDirFieldSize - 1);
  return true;
}

bool UserStatus(const TMappedView& user_data, int code, unsigned char& status) {
  status = 0;
  if (!user_data.IsOpenWithSize(kUserDataViewSize) || !IsCombinationCode(code)) return false;
  status = user_data.View()[kStatusTableOffset + code];
  return true;
}

// Decides the event. The views are declared so that they close in the order user data, system
// data, communications block when the function returns, on every path.
Verdict Judge(int code, WPARAM key, LPARAM flags, HHOOK& hook) {
  TMappedView comm;
  TMappedView system_data;
  TMappedView user_data;
  char folder[kPathCapacity] = {};

  if (!ReadCommBlock(comm, hook, folder)) return Verdict::kNoHook;
  if (code != HC_ACTION) return Verdict::kPassOn;
  // Windows-key and Applications-key combinations belong to the system.
  if (IsDown(VK_LWIN) || IsDown(VK_RWIN) || IsDown(VK_APPS)) return Verdict::kPassOn;
  if (key > 0xFF) return Verdict::kPassOn;
  if (!system_data.Open(kSystemDataViewName, kSystemDataViewSize)) return Verdict::kPassOn;
  if (!user_data.Open(kUserDataViewName, kUserDataViewSize)) return Verdict::kPassOn;

  int combination = static_cast<int>(key);
  if (IsDown(VK_SHIFT)) combination |= kShiftBit;
  if (IsDown(VK_CONTROL)) combination |= kCtrlBit;
  if (IsDown(VK_MENU)) combination |= kAltBit;

  bool available = false;
  unsigned char status = 0;
  if (!IsAvailable(system_data, combination, available) || !available) return Verdict::kPassOn;
  if (!UserStatus(user_data, combination, status) || !IsActiveStatus(status))
    return Verdict::kPassOn;

  // Bit 31 set: the key is going up. An auto-repeated key-down runs the assignment again; the
  // result of a run does not matter, the key is the assignment's either way.
  const bool key_down = (static_cast<DWORD>(flags) & 0x80000000u) == 0;
  if (key_down) ExecuteAssignment(folder, combination, status, true);
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

// SimulatePaste: the key events it injects, as a low-level keyboard hook sees them.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hook/library/assignment_execution.h"

namespace talo {
namespace {

// "Alt up", "Ctrl down", "V down"...: left and right modifier keys are told as one.
std::string Describe(DWORD key, bool up) {
  std::string name;
  switch (key) {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
      name = "Shift";
      break;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
      name = "Ctrl";
      break;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
      name = "Alt";
      break;
    default:
      name = key >= 'A' && key <= 'Z' ? std::string(1, char(key)) : std::to_string(key);
  }
  return name + (up ? " up" : " down");
}

// Records every key event of the desktop with a WH_KEYBOARD_LL hook. The hook is called on the
// thread that installed it, which must be pumping messages while keys are injected; so it gets a
// thread of its own.
class KeyRecorder {
 public:
  KeyRecorder() {
    thread_ = std::thread([this] {
      instance_ = this;
      HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, Record, GetModuleHandleA(nullptr), 0);
      thread_id_ = GetCurrentThreadId();
      hooked_ = hook != nullptr;
      ready_ = true;
      MSG msg;
      while (hook && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
      if (hook) UnhookWindowsHookEx(hook);
    });
    while (!ready_) Sleep(5);
  }
  ~KeyRecorder() {
    PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
    instance_ = nullptr;
  }
  bool Hooked() const { return hooked_; }

  // The events from `first` on, once `count` of them have arrived or two seconds have passed.
  std::vector<std::string> Events(size_t first, size_t count) {
    for (int i = 0; i < 200 && Size() < first + count; ++i) Sleep(10);
    Sleep(50);  // anything beyond the expected count shows as a difference too
    std::lock_guard<std::mutex> lock(mutex_);
    return std::vector<std::string>(events_.begin() + std::min(first, events_.size()),
                                    events_.end());
  }
  size_t Size() {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_.size();
  }

 private:
  static LRESULT CALLBACK Record(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && instance_) {
      const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
      std::lock_guard<std::mutex> lock(instance_->mutex_);
      instance_->events_.push_back(Describe(event->vkCode, event->flags & LLKHF_UP));
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }

  static inline KeyRecorder* instance_ = nullptr;
  std::thread thread_;
  std::atomic<bool> ready_{false}, hooked_{false};
  DWORD thread_id_ = 0;
  std::mutex mutex_;
  std::vector<std::string> events_;
};

void Key(BYTE key, bool up) { keybd_event(key, 0, up ? KEYEVENTF_KEYUP : 0, 0); }

struct PasteCase {
  const char* what;
  std::vector<BYTE> held;  // pressed before the paste, as the user's fingers would
  int modifiers;
  std::vector<std::string> expected;
};

TEST(SimulatePaste, TypesCtrlVAroundTheHeldModifiersAndLeavesThemAsHeld) {
  const PasteCase cases[] = {
      {"no modifier", {}, 0, {"Ctrl down", "V down", "V up", "Ctrl up"}},
      {"Alt + key",
       {VK_MENU},
       4,
       {"Alt up", "Ctrl down", "V down", "V up", "Ctrl up", "Alt down", "Alt up", "Alt down"}},
      {"Ctrl + Shift + key",
       {VK_CONTROL, VK_SHIFT},
       3,
       {"Shift up", "V down", "V up", "Shift down"}},
      {"Shift + key",
       {VK_SHIFT},
       1,
       {"Shift up", "Ctrl down", "V down", "V up", "Ctrl up", "Shift down"}},
      {"Ctrl + Alt + key", {VK_CONTROL, VK_MENU}, 6, {"Alt up", "V down", "V up", "Alt down"}},
      {"Ctrl + key", {VK_CONTROL}, 2, {"V down", "V up"}},
      {"Shift + Ctrl + Alt + key",
       {VK_SHIFT, VK_CONTROL, VK_MENU},
       7,
       {"Shift up", "Alt up", "V down", "V up", "Alt down", "Shift down"}},
      // The user let go of Alt before the paste came: it is neither released nor pressed again.
      {"Alt + key, Alt released already", {}, 4, {"Ctrl down", "V down", "V up", "Ctrl up"}},
      {"Ctrl + Alt + key, Ctrl released already",
       {VK_MENU},
       6,
       {"Alt up", "Ctrl down", "V down", "V up", "Ctrl up", "Alt down", "Alt up", "Alt down"}},
  };
  KeyRecorder recorder;
  ASSERT_TRUE(recorder.Hooked());
  for (const PasteCase& c : cases) {
    SCOPED_TRACE(c.what);
    for (BYTE key : c.held) Key(key, false);
    recorder.Events(0, c.held.size());
    const size_t first = recorder.Size();
    SimulatePaste(c.modifiers, true);
    EXPECT_EQ(recorder.Events(first, c.expected.size()), c.expected);
    for (BYTE key : c.held) Key(key, true);
    recorder.Events(first + c.expected.size(), c.held.size());
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, int('V')})
      EXPECT_GE(GetAsyncKeyState(key), 0) << Describe(key, false) << " is left down";
  }
}

}  // namespace
}  // namespace talo

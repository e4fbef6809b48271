// KeyboardProc of the built Talospur.dll, called directly with blocks prepared in this process.
//
// The modifiers are set in this thread's keyboard state, which is what the hook asks; a text
// assignment shows its execution as the clipboard text.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

#include "base/unique.h"
#include "data/mapped_view.h"
#include "data/sys_data.h"
#include "data/user_data.h"
#include "hook/comm_block.h"
#include "tests/support/saved_registry.h"
#include "tests/support/temp_folder.h"
#include "tests/support/win_driver.h"

namespace talo {
namespace {

using test::ReadClipboardText;
using test::WriteClipboardText;

constexpr std::uint32_t kSomeHook = 0x00C0FFEE;
constexpr LPARAM kKeyDown = 0x00000001;
constexpr LPARAM kRepeatedKeyDown = 0x40000001;
constexpr LPARAM kKeyUp = static_cast<LPARAM>(0xC0000001u);
constexpr char kSentinel[] = "clipboard before the key";

// Ctrl + Alt + F5, with a text assignment unless a case says otherwise.
constexpr int kCtrlAltF5 = 0x674;
constexpr unsigned char kAvailable = 0x20;
constexpr unsigned char kEnabledText = 0x18;
constexpr unsigned char kEnabledInternetShortcut = 0x13;

void HoldKeys(std::initializer_list<int> keys) {
  BYTE state[256] = {};
  for (int key : keys) state[key] = 0x80;
  SetKeyboardState(state);
}

// The highest of many fresh handles: every handle leaked in between takes a slot below it and
// pushes it up.
HANDLE HandleHighWater() {
  HANDLE events[1000];
  HANDLE highest = nullptr;
  for (HANDLE& event : events) {
    event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (event > highest) highest = event;
  }
  for (HANDLE event : events) CloseHandle(event);
  return highest;
}

// While it lives, faulting_extension.dll (beside this program) is the shell's context menu
// handler of Internet shortcuts: opening one faults inside ShellExecute, in this thread. Its keys
// go again afterwards, also when a run that died before left them in place.
class FaultingShellExtension {
 public:
  FaultingShellExtension() {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string library = program;
    library.replace(library.rfind('\\') + 1, std::string::npos, "faulting_extension.dll");
    HKEY shell_extensions = nullptr;
    had_shell_extensions_ = RegOpenKeyExA(HKEY_CLASSES_ROOT, kShellExtensionsKey, 0, KEY_READ,
                                          &shell_extensions) == ERROR_SUCCESS;
    RegKey closed_on_return(shell_extensions);
    registered_ =
        test::WriteRegistryText(HKEY_CLASSES_ROOT, kServerKey, "", library) &&
        test::WriteRegistryText(HKEY_CLASSES_ROOT, kServerKey, "ThreadingModel", "Both") &&
        test::WriteRegistryText(HKEY_CLASSES_ROOT, kHandlerKey, "", "");
  }
  ~FaultingShellExtension() {
    test::DeleteRegistryTree(HKEY_CLASSES_ROOT, kClassKey);
    test::DeleteRegistryTree(HKEY_CLASSES_ROOT,
                             had_shell_extensions_ ? kHandlerKey : kShellExtensionsKey);
  }
  FaultingShellExtension(const FaultingShellExtension&) = delete;
  FaultingShellExtension& operator=(const FaultingShellExtension&) = delete;

  bool Registered() const { return registered_; }

 private:
  static constexpr char kClassKey[] = "CLSID\\{6A1C0F5E-3B2D-4E8F-9A7C-1D2E3F4A5B6C}";
  static constexpr char kServerKey[] =
      "CLSID\\{6A1C0F5E-3B2D-4E8F-9A7C-1D2E3F4A5B6C}\\InprocServer32";
  static constexpr char kShellExtensionsKey[] = "InternetShortcut\\shellex";
  static constexpr char kHandlerKey[] =
      "InternetShortcut\\shellex\\ContextMenuHandlers\\{6A1C0F5E-3B2D-4E8F-9A7C-1D2E3F4A5B6C}";
  bool had_shell_extensions_ = false;
  bool registered_ = false;
};

class HookProcedure : public ::testing::Test {
 protected:
  void SetUp() override {
    library_.reset(LoadLibraryA((test::InstallFolder() + "Talospur.dll").c_str()));
    ASSERT_TRUE(library_);
    procedure_ = reinterpret_cast<HOOKPROC>(GetProcAddress(library_.get(), "KeyboardProc"));
    ASSERT_NE(procedure_, nullptr);
    ASSERT_TRUE(comm_.Create(kCommBlockName, kCommBlockSize));
    ASSERT_TRUE(system_.Create(kSystemDataViewName, kSystemDataViewSize));
    ASSERT_TRUE(user_.Create(kUserDataViewName, kUserDataViewSize));
    SetHookWord(kSomeHook);
    std::strcpy(reinterpret_cast<char*>(comm_.View()) + kUserDirOffset, folder_.Path().c_str());
    Assign(kCtrlAltF5, kAvailable, kEnabledText, "pasted text");
    ASSERT_TRUE(WriteClipboardText(kSentinel));
    HoldKeys({});
  }
  void TearDown() override { HoldKeys({}); }

  void SetHookWord(std::uint32_t word) { std::memcpy(comm_.View() + kHookHandleOffset, &word, 4); }

  void Assign(int code, unsigned char system_status, unsigned char user_status,
              const std::string& text) {
    system_.View()[1024 + code] = system_status;
    user_.View()[1024 + code] = user_status;
    char name[16];
    wsprintfA(name, "%04X.txt", code);
    ASSERT_TRUE(test::WriteFileBytes(folder_.File(name), text));
  }

  LRESULT Call(int code, WPARAM key, LPARAM flags) { return procedure_(code, key, flags); }

  Library library_;
  HOOKPROC procedure_ = nullptr;
  test::TempFolder folder_;
  TMappedView comm_, system_, user_;
};

struct KeyCase {
  const char* what;
  int code;
  std::initializer_list<int> held;
  LPARAM flags;
  LRESULT result;
  const char* clipboard_after;
};

TEST_F(HookProcedure, DecidesEachEventByCodeModifiersAndDirection) {
  const KeyCase cases[] = {
      {"key-down of the assigned combination runs it and is swallowed",
       HC_ACTION,
       {VK_CONTROL, VK_MENU},
       kKeyDown,
       1,
       "pasted text"},
      {"an auto-repeated key-down runs it again",
       HC_ACTION,
       {VK_CONTROL, VK_MENU},
       kRepeatedKeyDown,
       1,
       "pasted text"},
      {"the key-up is swallowed without running it",
       HC_ACTION,
       {VK_CONTROL, VK_MENU},
       kKeyUp,
       1,
       kSentinel},
      {"HC_NOREMOVE is passed on", HC_NOREMOVE, {VK_CONTROL, VK_MENU}, kKeyDown, 0, kSentinel},
      {"left Windows key held", HC_ACTION, {VK_CONTROL, VK_MENU, VK_LWIN}, kKeyDown, 0, kSentinel},
      {"right Windows key held", HC_ACTION, {VK_CONTROL, VK_MENU, VK_RWIN}, kKeyDown, 0, kSentinel},
      {"Applications key held", HC_ACTION, {VK_CONTROL, VK_MENU, VK_APPS}, kKeyDown, 0, kSentinel},
      {"other modifiers make an unassigned combination",
       HC_ACTION,
       {VK_CONTROL},
       kKeyDown,
       0,
       kSentinel},
      {"a further modifier makes another combination",
       HC_ACTION,
       {VK_CONTROL, VK_MENU, VK_SHIFT},
       kKeyDown,
       0,
       kSentinel},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteClipboardText(kSentinel));
    HoldKeys(c.held);
    EXPECT_EQ(Call(c.code, VK_F5, c.flags), c.result);
    EXPECT_EQ(ReadClipboardText(), c.clipboard_after);
  }
}

TEST_F(HookProcedure, PassesOnUnlessTheCombinationIsAvailableAndItsAssignmentActive) {
  struct StatusCase {
    unsigned char system_status, user_status;
    LRESULT result;
  } cases[] = {
      {0x20, 0x18, 1}, {0x12, 0x18, 1}, {0x02, 0x18, 1}, {0x21, 0x18, 1},
      {0x11, 0x18, 0}, {0x10, 0x18, 0}, {0x01, 0x18, 0}, {0x00, 0x18, 0},
      {0x20, 0x10, 0}, {0x20, 0x08, 0}, {0x20, 0x00, 0}, {0x20, 0x11, 1},
  };
  HoldKeys({VK_CONTROL, VK_MENU});
  for (const StatusCase& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "system " << int(c.system_status) << " user " << int(c.user_status));
    system_.View()[1024 + kCtrlAltF5] = c.system_status;
    user_.View()[1024 + kCtrlAltF5] = c.user_status;
    EXPECT_EQ(Call(HC_ACTION, VK_F5, kKeyUp), c.result);
  }
}

TEST_F(HookProcedure, GivesZeroWithoutTheBlockOrItsHookHandle) {
  HoldKeys({VK_CONTROL, VK_MENU});
  SetHookWord(0);
  EXPECT_EQ(Call(HC_ACTION, VK_F5, kKeyDown), 0);
  EXPECT_EQ(ReadClipboardText(), kSentinel);

  SetHookWord(kSomeHook);
  comm_.Close();
  EXPECT_EQ(Call(HC_ACTION, VK_F5, kKeyDown), 0);
  EXPECT_EQ(ReadClipboardText(), kSentinel);
}

TEST_F(HookProcedure, PassesOnWhenADataViewIsMissingOrTooSmall) {
  HoldKeys({VK_CONTROL, VK_MENU});
  user_.Close();
  EXPECT_EQ(Call(HC_ACTION, VK_F5, kKeyDown), 0);
  // A block of that name but a fraction of the size: never read beyond it.
  ASSERT_TRUE(user_.Create(kUserDataViewName, 100));
  EXPECT_EQ(Call(HC_ACTION, VK_F5, kKeyDown), 0);

  ASSERT_TRUE(user_.Create(kUserDataViewName, kUserDataViewSize));
  user_.View()[1024 + kCtrlAltF5] = kEnabledText;
  system_.Close();
  EXPECT_EQ(Call(HC_ACTION, VK_F5, kKeyDown), 0);
  // Smaller than the view by more than a page: refused. Within the last page: the bytes past the
  // block read as zero, an unavailable combination.
  for (int size : {4096, 5000}) {
    ASSERT_TRUE(system_.Create(kSystemDataViewName, size));
    EXPECT_EQ(Call(HC_ACTION, VK_F5, kKeyDown), 0);
  }
  EXPECT_EQ(ReadClipboardText(), kSentinel);
}

TEST_F(HookProcedure, AFailedExecutionStillSwallowsTheKey) {
  HoldKeys({VK_CONTROL, VK_MENU});
  ASSERT_TRUE(DeleteFileA(folder_.File("0674.txt").c_str()));
  EXPECT_EQ(Call(HC_ACTION, VK_F5, kKeyDown), 1);
  EXPECT_EQ(ReadClipboardText(), kSentinel);
}

TEST_F(HookProcedure, AFaultInsideAnAssignmentPassesTheKeyOnAndLeavesNothingOpen) {
  FaultingShellExtension extension;
  ASSERT_TRUE(extension.Registered());
  user_.View()[1024 + kCtrlAltF5] = kEnabledInternetShortcut;
  ASSERT_TRUE(test::WriteFileBytes(folder_.File("0674.url"),
                                   "[InternetShortcut]\r\nURL=http://example.invalid/\r\n"));
  HoldKeys({VK_CONTROL, VK_MENU});
  EXPECT_EQ(Call(HC_ACTION, VK_F5, kKeyDown), 0);

  EXPECT_FALSE(CloseClipboard()) << "the clipboard was left open";
  // Once this process's own views are closed, a block that the hook still held would stay
  // open under its name.
  comm_.Close();
  system_.Close();
  user_.Close();
  for (const char* name : {kCommBlockName, kSystemDataViewName, kUserDataViewName}) {
    Handle left(OpenFileMappingA(FILE_MAP_READ, FALSE, name));
    EXPECT_FALSE(left) << name;
  }
}

TEST_F(HookProcedure, AFolderFieldWithoutTerminatorIsReadNoFurtherThanTheField) {
  // 800 bytes of text and no NUL up to the end of the block: the hook must neither read past the
  // block nor find a file there.
  std::memset(comm_.View() + kUserDirOffset, 'A', kUserDirFieldSize);
  HoldKeys({VK_CONTROL, VK_MENU});
  EXPECT_EQ(Call(HC_ACTION, VK_F5, kKeyDown), 1);
  EXPECT_EQ(ReadClipboardText(), kSentinel);
}

TEST_F(HookProcedure, TakesOnlyAWholeFolderThatNamesOnePlace) {
  HoldKeys({VK_CONTROL, VK_MENU});
  char* field = reinterpret_cast<char*>(comm_.View()) + kUserDirOffset;
  const std::string folder = folder_.Path();
  const std::string cases[][2] = {
      {folder, "odd: the program is rewriting it"},
      {folder.substr(0, folder.size() - 1), "no separator at its end"},
      {folder.substr(folder.find('\\') + 1), "relative"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c[1]);
    std::memset(field, 0, kUserDirFieldSize);
    std::strcpy(field, c[0].c_str());
    comm_.View()[kUserDirVersionOffset] = c[0] == folder ? 1 : 2;
    EXPECT_EQ(Call(HC_ACTION, VK_F5, kKeyDown), 1) << "the key is the assignment's all the same";
    EXPECT_EQ(ReadClipboardText(), kSentinel);
  }
}

TEST_F(HookProcedure, KeysBeyondTheVirtualKeyRangePassOn) {
  // 0x174 without modifiers would look like Shift + F5 if the high bits were taken as modifiers.
  Assign(0x174, kAvailable, kEnabledText, "shifted");
  EXPECT_EQ(Call(HC_ACTION, 0x174, kKeyDown), 0);
  EXPECT_EQ(ReadClipboardText(), kSentinel);
  HoldKeys({VK_SHIFT});
  EXPECT_EQ(Call(HC_ACTION, VK_F5, kKeyDown), 1);
  EXPECT_EQ(ReadClipboardText(), "shifted");
}

TEST_F(HookProcedure, KeepsNoHeapBlockAndNoHandleAcrossCalls) {
  auto busy_blocks = [] {
    int count = 0;
    PROCESS_HEAP_ENTRY entry = {};
    HANDLE heap = GetProcessHeap();
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++count;
    HeapUnlock(heap);
    return count;
  };
  HoldKeys({VK_SHIFT});
  Call(HC_ACTION, 'Q', kKeyDown);  // the first call may load what the system caches
  HoldKeys({VK_CONTROL, VK_MENU});
  Call(HC_ACTION, VK_F5, kKeyDown);
  const int blocks_before = busy_blocks();
  const HANDLE handles_before = HandleHighWater();
  ASSERT_GT(blocks_before, 0) << "the heap walk must see the heap";
  // Shift + Q is unavailable, the event that leaves the user data view unopened; Ctrl + Alt + F5
  // opens all three blocks and runs its assignment.
  for (int i = 0; i < 100; ++i) {
    HoldKeys({VK_SHIFT});
    Call(HC_ACTION, 'Q', i % 2 ? kKeyUp : kKeyDown);
    HoldKeys({VK_CONTROL, VK_MENU});
    Call(HC_ACTION, VK_F5, kKeyDown);  // runs the text assignment
  }
  EXPECT_EQ(busy_blocks(), blocks_before);
  EXPECT_EQ(HandleHighWater(), handles_before);
}

}  // namespace
}  // namespace talo

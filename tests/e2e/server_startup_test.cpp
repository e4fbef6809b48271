// The built Talowick.exe and its communications server: what a start publishes for the hook
// library, and the fatal error without the library.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "tests/support/installation.h"

namespace talo::test {
namespace {

constexpr DWORD kTimeout = 20000;
constexpr char kBlockName[] = "TALLOWICK";
constexpr size_t kBlockSize = 1024;

std::uint32_t HookWord(const std::string& block) {
  std::uint32_t word = 0;
  if (block.size() == kBlockSize) std::memcpy(&word, &block[64], 4);
  return word;
}

std::string Folder(const std::string& block) {
  return block.size() == kBlockSize ? std::string(block.c_str() + 224) : "";
}

// The block as it stands once start-up is through (the tray icon is its last step, and the main
// window exists from the first).
std::string BlockOfRunningInstance(const Process& program) {
  if (!WaitForWindow("TFormMain", "Quintavel Tallowick", kTimeout, program.Id())) return "";
  if (!WaitForSharedMemory(kBlockName, kTimeout)) return "";
  return ReadSharedMemory(kBlockName, kBlockSize);
}

class ServerStartup : public ::testing::Test {
 protected:
  void SetUp() override { EndRunningInstances(); }
  void TearDown() override { EndRunningInstances(); }
};

TEST_F(ServerStartup, SilentStartInstallsTheHookAndPublishesTheUserFolder) {
  TestInstallation installation;
  Process program = installation.Start("/s");
  std::string block = BlockOfRunningInstance(program);
  ASSERT_EQ(block.size(), kBlockSize);
  // The handle is written right after the block is created; poll for it.
  for (int i = 0; i < 200 && HookWord(block) == 0; ++i) {
    Sleep(25);
    block = ReadSharedMemory(kBlockName, kBlockSize);
  }
  EXPECT_NE(HookWord(block), 0u);
  EXPECT_EQ(Folder(block), installation.UserBaseDir() + "Default\\");

  Process terminator = installation.Start("/t");
  ASSERT_TRUE(terminator.WaitForExit(kTimeout));
  ASSERT_TRUE(program.WaitForExit(kTimeout));
  EXPECT_FALSE(SharedMemoryExists(kBlockName));
}

TEST_F(ServerStartup, TheHookStaysOffWhenDisabledOrStartedWithTheWindow) {
  TestInstallation installation;
  for (const char* arguments : {"/s", ""}) {
    SCOPED_TRACE(arguments);
    const bool silent = arguments[0] != '\0';
    WriteRegistryDword(HKEY_CURRENT_USER, kSettingsKey, "Enabled", silent ? 0 : 1);
    Process program = installation.Start(arguments);
    std::string block = BlockOfRunningInstance(program);
    ASSERT_EQ(block.size(), kBlockSize);
    // Until the shown window is active the hook is rightly on (a window in the background
    // leaves the keys to the other programs); on a slow machine that takes a moment.
    if (!silent) {
      ASSERT_TRUE(WaitForForeground(FindWindowA("TFormMain", "Quintavel Tallowick"), kTimeout));
    }
    Sleep(Stretched(500));  // give a wrongly installed hook the time to show in the block
    EXPECT_EQ(HookWord(ReadSharedMemory(kBlockName, kBlockSize)), 0u);
    EndRunningInstances();
    ASSERT_TRUE(program.WaitForExit(kTimeout));
  }
}

TEST_F(ServerStartup, WithoutTheHookLibraryTheStartEndsWithTheServerError) {
  TestInstallation installation;
  ASSERT_TRUE(DeleteFileA((installation.InstallDir() + "Talospur.dll").c_str()));
  Process program = installation.Start("/s");
  HWND box = WaitForWindow("#32770", "Fatal error.", kTimeout, program.Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ReadMessageBox(box).text,
            "An internal communications server error has occurred within Tallowick, "
            "'TALOWICK.EXE'.");
  ASSERT_TRUE(PressDialogButton(box, IDOK));
  ASSERT_TRUE(program.WaitForExit(kTimeout));
  EXPECT_FALSE(SharedMemoryExists(kBlockName));
  EXPECT_FALSE(SharedMemoryExists("TALLOWWICKUSERDATA"));
}

}  // namespace
}  // namespace talo::test

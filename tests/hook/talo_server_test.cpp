// TTaloServer and TTaloComm against the real Talospur.dll of the build and the real named block.
#include "hook/server/talo_server.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "hook/comm_block.h"
#include "tests/support/temp_folder.h"
#include "tests/support/win_driver.h"

namespace talo {
namespace {

using test::InstallFolder;
using test::ReadSharedMemory;
using test::SharedMemoryExists;

const char kUserFolder[] = "C:\\Users\\Somebody\\Tallowick\\Default\\";

std::string Block() { return ReadSharedMemory(kCommBlockName, kCommBlockSize); }

std::uint32_t PublishedHook(const std::string& block) {
  std::uint32_t value = 0xDEADBEEF;
  if (block.size() >= kHookHandleOffset + 4) std::memcpy(&value, &block[kHookHandleOffset], 4);
  return value;
}

std::uint32_t AsWord(HHOOK hook) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hook));
}

// Every byte outside the hook handle, the folder's count of rewrites (even: no rewrite under way)
// and the folder field is zero; the field holds `folder` and zeros after it.
void ExpectBlockHolds(const std::string& block, const std::string& folder, HHOOK hook) {
  ASSERT_EQ(block.size(), size_t(kCommBlockSize));
  std::string expected(kCommBlockSize, '\0');
  std::uint32_t word = AsWord(hook);
  std::memcpy(&expected[kHookHandleOffset], &word, 4);
  std::uint32_t rewrites = 0;
  std::memcpy(&rewrites, &block[kUserDirVersionOffset], 4);
  EXPECT_EQ(rewrites % 2, 0u) << "the folder is being rewritten";
  EXPECT_NE(rewrites, 0u) << "a published folder counts as a rewrite";
  std::memcpy(&expected[kUserDirVersionOffset], &rewrites, 4);
  expected.replace(kUserDirOffset, folder.size(), folder);
  EXPECT_EQ(block, expected);
}

class Server : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(SharedMemoryExists(kCommBlockName)); }
  void TearDown() override {
    server_.Stop();
    EXPECT_FALSE(SharedMemoryExists(kCommBlockName));
  }
  TTaloServer server_;
};

TEST_F(Server, StartPublishesTheFolderInAnOtherwiseZeroBlock) {
  ASSERT_TRUE(server_.Start(InstallFolder().c_str(), kUserFolder));
  EXPECT_TRUE(server_.Started());
  EXPECT_EQ(server_.HookHandle(), nullptr);
  ExpectBlockHolds(Block(), kUserFolder, nullptr);
}

TEST_F(Server, TheBlockFollowsTheHookStateAndRepeatedRequestsChangeNothing) {
  ASSERT_TRUE(server_.Start(InstallFolder().c_str(), kUserFolder));

  ASSERT_TRUE(server_.EnableHook(true));
  HHOOK hook = server_.HookHandle();
  ASSERT_NE(hook, nullptr);
  ExpectBlockHolds(Block(), kUserFolder, hook);

  EXPECT_TRUE(server_.EnableHook(true));
  EXPECT_EQ(server_.HookHandle(), hook) << "a second request must not install another hook";
  EXPECT_EQ(PublishedHook(Block()), AsWord(hook));

  ASSERT_TRUE(server_.EnableHook(false));
  EXPECT_EQ(server_.HookHandle(), nullptr);
  ExpectBlockHolds(Block(), kUserFolder, nullptr);
  EXPECT_FALSE(UnhookWindowsHookEx(hook)) << "the hook must really be gone";

  EXPECT_TRUE(server_.EnableHook(false));
  EXPECT_EQ(PublishedHook(Block()), 0u);
}

TEST_F(Server, AFolderOf800CharactersIsCutTo799AndTerminated) {
  const std::string folder = "C:\\" + std::string(796, 'a') + "\\";
  ASSERT_EQ(folder.size(), 800u);
  ASSERT_TRUE(server_.Start(InstallFolder().c_str(), folder.c_str()));
  ExpectBlockHolds(Block(), folder.substr(0, 799), nullptr);

  // A shorter folder leaves no tail of the old one.
  ASSERT_TRUE(server_.PublishUserDir("D:\\Short\\"));
  ExpectBlockHolds(Block(), "D:\\Short\\", nullptr);
}

TEST_F(Server, EnableHookFailsBeforeStartAndAfterStop) {
  EXPECT_FALSE(server_.EnableHook(true));
  EXPECT_FALSE(server_.EnableHook(false));

  ASSERT_TRUE(server_.Start(InstallFolder().c_str(), kUserFolder));
  ASSERT_TRUE(server_.EnableHook(true));
  HHOOK hook = server_.HookHandle();
  EXPECT_TRUE(server_.Stop());
  EXPECT_FALSE(SharedMemoryExists(kCommBlockName));
  EXPECT_FALSE(UnhookWindowsHookEx(hook)) << "Stop removes the hook";
  EXPECT_FALSE(server_.EnableHook(true));
  EXPECT_FALSE(server_.EnableHook(false));
  EXPECT_TRUE(server_.Stop()) << "stopping twice is harmless";
}

TEST_F(Server, StartFailsLeavingNothingWhenTheLibraryIsMissingOrTheArgumentsAre) {
  test::TempFolder empty_install;
  EXPECT_FALSE(server_.Start(empty_install.Path().c_str(), kUserFolder));
  EXPECT_FALSE(server_.Start(nullptr, kUserFolder));
  EXPECT_FALSE(server_.Start(InstallFolder().c_str(), nullptr));
  const std::string too_long = "C:\\" + std::string(760, 'x') + "\\";
  EXPECT_FALSE(server_.Start(too_long.c_str(), kUserFolder));
  EXPECT_FALSE(server_.Started());
  EXPECT_FALSE(SharedMemoryExists(kCommBlockName));
}

TEST_F(Server, StartFailsWhenAnotherOwnerHoldsTheBlock) {
  TMappedView other;
  ASSERT_TRUE(other.Create(kCommBlockName, kCommBlockSize));
  other.View()[kUserDirOffset] = 'X';
  EXPECT_FALSE(server_.Start(InstallFolder().c_str(), kUserFolder));
  EXPECT_FALSE(server_.Started());
  EXPECT_EQ(Block()[kUserDirOffset], 'X') << "the other owner's block is left alone";
  other.Close();
}

TEST_F(Server, ARepeatedStartBeginsFromNothing) {
  ASSERT_TRUE(server_.Start(InstallFolder().c_str(), kUserFolder));
  ASSERT_TRUE(server_.EnableHook(true));
  HHOOK first_hook = server_.HookHandle();
  ASSERT_TRUE(server_.Start(InstallFolder().c_str(), "E:\\Other\\"));
  EXPECT_EQ(server_.HookHandle(), nullptr);
  EXPECT_FALSE(UnhookWindowsHookEx(first_hook));
  ExpectBlockHolds(Block(), "E:\\Other\\", nullptr);

  // A repeated start that fails, for a missing argument too, leaves nothing running.
  ASSERT_TRUE(server_.EnableHook(true));
  HHOOK second_hook = server_.HookHandle();
  EXPECT_FALSE(server_.Start(nullptr, kUserFolder));
  EXPECT_FALSE(server_.Started());
  EXPECT_FALSE(SharedMemoryExists(kCommBlockName));
  EXPECT_FALSE(UnhookWindowsHookEx(second_hook));
}

TEST_F(Server, DestroyingTheServerStopsIt) {
  {
    TTaloServer scoped;
    ASSERT_TRUE(scoped.Start(InstallFolder().c_str(), kUserFolder));
    ASSERT_TRUE(scoped.EnableHook(true));
    EXPECT_TRUE(SharedMemoryExists(kCommBlockName));
  }
  EXPECT_FALSE(SharedMemoryExists(kCommBlockName));
}

TEST(Comm, WritersRefuseABlockThatIsClosedOrOfAnotherSize) {
  TTaloComm comm;
  EXPECT_FALSE(comm.PublishUserDir("C:\\"));
  EXPECT_FALSE(comm.PublishHookHandle(reinterpret_cast<HHOOK>(0x1234)));

  const std::string name = kCommBlockName + std::string("_test_other_size");
  ASSERT_TRUE(comm.Create(name.c_str(), 512));
  EXPECT_FALSE(comm.PublishUserDir("C:\\"));
  EXPECT_FALSE(comm.PublishHookHandle(reinterpret_cast<HHOOK>(0x1234)));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(comm.View()), 512), std::string(512, '\0'));

  ASSERT_TRUE(comm.Create(name.c_str(), kCommBlockSize));
  EXPECT_FALSE(comm.PublishUserDir(nullptr));
  EXPECT_TRUE(comm.PublishHookHandle(reinterpret_cast<HHOOK>(0x12345678)));
  EXPECT_EQ(PublishedHook(ReadSharedMemory(name, kCommBlockSize)), 0x12345678u);
}

}  // namespace
}  // namespace talo

// The user folder's watch: another program's save reaches the window as one message, and a watch
// that stops or moves to another folder sends nothing more about the first.
#include "app/folder_watch.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_folder.h"

namespace talo {
namespace {

constexpr UINT kChanged = WM_APP + 7;

// The watch's messages that reach `window` within `ms` milliseconds.
int MessagesWithin(HWND window, DWORD ms) {
  int count = 0;
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < ms) {
    while (PeekMessageA(&message, window, kChanged, kChanged, PM_REMOVE)) ++count;
    Sleep(10);
  }
  return count;
}

TEST(FolderWatch, ASaveIsToldOnceAndAStoppedOrMovedWatchTellsNothing) {
  test::TempFolder first, second;
  HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  TFolderWatch watch;
  ASSERT_TRUE(watch.Follow(first.Path().c_str(), window, kChanged));
  // A save: the new file written beside the old, then moved over it.
  ASSERT_TRUE(test::WriteFileBytes(first.File("User.dat.new"), "new"));
  ASSERT_TRUE(MoveFileExA(first.File("User.dat.new").c_str(), first.File("User.dat").c_str(),
                          MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(MessagesWithin(window, 1000), 1);

  ASSERT_TRUE(watch.Follow(second.Path().c_str(), window, kChanged));
  ASSERT_TRUE(test::WriteFileBytes(first.File("0674.txt"), "elsewhere"));
  EXPECT_EQ(MessagesWithin(window, 500), 0);
  ASSERT_TRUE(test::WriteFileBytes(second.File("0674.txt"), "here"));
  EXPECT_EQ(MessagesWithin(window, 1000), 1);

  watch.Stop();
  ASSERT_TRUE(test::WriteFileBytes(second.File("0675.txt"), "after"));
  EXPECT_EQ(MessagesWithin(window, 500), 0);
  EXPECT_FALSE(watch.Follow(first.File("missing\\").c_str(), window, kChanged));
  DestroyWindow(window);
}

}  // namespace
}  // namespace talo

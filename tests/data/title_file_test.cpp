// Title files: one line, at most 255 characters, no file for an empty title.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "data/title_file.h"
#include "tests/support/temp_folder.h"

namespace talo {
namespace {

using test::FileExists;
using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

std::string Read(const std::string& path) {
  char title[kTitleCapacity];
  std::memset(title, 'x', sizeof title);
  int length = ReadTitleFile(path.c_str(), title);
  EXPECT_EQ(length, int(std::strlen(title)));
  return title;
}

TEST(TitleFile, LongTitleIsSavedCutTo255WithCrLfAndReadsBackCut) {
  TempFolder folder;
  std::string path = folder.File("0241.dat");
  std::string title(300, 'T');
  ASSERT_TRUE(WriteTitleFile(path.c_str(), title.c_str()));
  EXPECT_EQ(ReadFileBytes(path), std::string(255, 'T') + "\r\n");
  EXPECT_EQ(Read(path), std::string(255, 'T'));
}

TEST(TitleFile, ReadingStopsAtTheFirstLineFeedAndSkipsCarriageReturns) {
  TempFolder folder;
  std::string path = folder.File("0001.dat");
  const struct {
    const char* bytes;
    const char* title;
  } cases[] = {
      {"First\r\nSecond\r\n", "First"},
      {"No line end", "No line end"},
      {"a\rb\rc\n", "abc"},
      {"\r\nafter an empty line", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteFileBytes(path, c.bytes));
    EXPECT_EQ(Read(path), c.title) << c.bytes;
  }
  // A long first line of carriage returns still yields the text behind them.
  ASSERT_TRUE(WriteFileBytes(path, std::string(600, '\r') + "late\n"));
  EXPECT_EQ(Read(path), "late");
  ASSERT_TRUE(WriteFileBytes(path, std::string(1000, 'L')));
  EXPECT_EQ(Read(path), std::string(255, 'L'));
}

TEST(TitleFile, EmptyTitleDeletesTheFileAndMissingFileReadsEmpty) {
  TempFolder folder;
  std::string path = folder.File("0002.dat");
  ASSERT_TRUE(WriteTitleFile(path.c_str(), "Old"));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(WriteTitleFile(path.c_str(), ""));
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(Read(path), "");
  EXPECT_FALSE(WriteTitleFile(nullptr, "x"));
}

TEST(TitleFile, ReadOnlyTitleIsReplacedAndAFailedWriteLeavesNoFile) {
  TempFolder folder;
  std::string path = folder.File("0003.dat");
  ASSERT_TRUE(WriteTitleFile(path.c_str(), "Old"));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(WriteTitleFile(path.c_str(), "New"));
  EXPECT_EQ(Read(path), "New");

  // A title path that is a folder cannot be written: nothing is left behind.
  std::string blocked = folder.File("0004.dat");
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
  EXPECT_FALSE(WriteTitleFile(blocked.c_str(), "x"));
}

TEST(TitleFile, CombinationTitlesNeedTheSettings) {
  char title[kTitleCapacity] = "stale";
  EXPECT_EQ(ReadTitle(0x241, title), 0);
  EXPECT_STREQ(title, "");
  EXPECT_FALSE(WriteTitle(0x241, "x"));
}

}  // namespace
}  // namespace talo

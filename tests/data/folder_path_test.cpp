// Normalising of folder texts.
#include "data/folder_path.h"

#include <gtest/gtest.h>

#include <string>

namespace talo {
namespace {

struct NormaliseCase {
  const char* source;
  const char* expected;
};

TEST(FolderPath, NormalisedFoldersAreTrimmedAndEndInOneSeparator) {
  const NormaliseCase cases[] = {
      {"C:\\Tools", "C:\\Tools\\"},
      {" D:\\App\\ ", "D:\\App\\"},
      {"\t\r\nE:\\Data\x01\x1f", "E:\\Data\\"},
      {"\\\\server\\share/", "\\\\server\\share/"},
      {"F:\\With Space Inside", "F:\\With Space Inside\\"},
      {"", "\\"},
      {"   \t ", "\\"},
      {nullptr, "\\"},
  };
  for (const NormaliseCase& c : cases) {
    char folder[kPathCapacity] = "old";
    int length = NormaliseFolderPath(folder, sizeof folder, c.source);
    EXPECT_STREQ(c.expected, folder) << (c.source ? c.source : "(null)");
    EXPECT_EQ(static_cast<int>(std::string(c.expected).size()), length);
  }
}

TEST(FolderPath, AFolderThatCannotTakeItsBackslashIsRefusedNotCut) {
  std::string full(kPathCapacity - 1, 'a');  // fills the buffer, no room for the backslash
  char folder[kPathCapacity] = "old";
  EXPECT_EQ(0, NormaliseFolderPath(folder, sizeof folder, full.c_str()));
  EXPECT_STREQ("", folder);

  std::string fits(kPathCapacity - 2, 'a');
  EXPECT_EQ(kPathCapacity - 1, NormaliseFolderPath(folder, sizeof folder, fits.c_str()));
  EXPECT_EQ(fits + "\\", folder);

  std::string ends_in_separator = std::string(kPathCapacity - 2, 'a') + "\\";
  EXPECT_EQ(kPathCapacity - 1,
            NormaliseFolderPath(folder, sizeof folder, ends_in_separator.c_str()));
}

TEST(FolderPath, OnlyADriveFolderOrAShareNamesOnePlace) {
  for (const char* absolute : {"C:\\", "c:/Data/", "\\\\server\\share\\", "//server/share/x/"})
    EXPECT_TRUE(IsAbsoluteFolder(absolute)) << absolute;
  for (const char* relative : {"Tallowick\\", "C:Data\\", "\\Data\\", "\\\\server\\",
                               "\\\\\\share\\", "1:\\", ""})
    EXPECT_FALSE(IsAbsoluteFolder(relative)) << relative;
}

}  // namespace
}  // namespace talo

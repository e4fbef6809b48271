// Content file names in the user data folder of the settings.
#include "data/combination_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/text.h"
#include "tests/support/test_settings.h"

namespace talo {
namespace {

TEST(CombinationFiles, NamesLieInTheUserDataFolderOfTheSettings) {
  test::TestSettings settings;
  char path[kPathCapacity];
  EXPECT_EQ(CombinationFileName(path, 0x674, ".txt"), int(settings.UserFile("0674.txt").size()));
  EXPECT_EQ(std::string(path), settings.UserFile("0674.txt"));
  CombinationFileName(path, 0x7FF, ".obj");
  EXPECT_EQ(std::string(path), settings.UserFile("07FF.obj"));
  CombinationFileName(path, 0x0A, ".lnk");
  EXPECT_EQ(std::string(path), settings.UserFile("000A.lnk"));
  // The working copy carries this program's tag: eight hexadecimal digits, the same all along.
  EXPECT_EQ(WorkingFileName(path, ".obj"), int(settings.WorkingFile(".obj").size()));
  EXPECT_EQ(std::string(path), settings.WorkingFile(".obj"));
  const std::string tag = WorkingFileTag();
  EXPECT_EQ(tag.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(tag.size(), 8u);
  // Without an extension: the base name that every content file of the combination extends.
  CombinationFileName(path, 0x674, "");
  EXPECT_EQ(std::string(path), settings.UserFile("0674"));

  EXPECT_EQ(CombinationFileName(path, 0x800, ".txt"), 0);
  EXPECT_EQ(std::string(path), "");
  EXPECT_EQ(CombinationFileName(path, 0x674, nullptr), 0);
  EXPECT_EQ(std::string(path), "");
}

TEST(CombinationFiles, WithoutSettingsThereIsNoName) {
  ASSERT_EQ(TaloSettings, nullptr);
  char path[kPathCapacity] = "old";
  EXPECT_EQ(CombinationFileName(path, 0x674, ".txt"), 0);
  EXPECT_EQ(std::string(path), "");
  std::strcpy(path, "old");
  EXPECT_EQ(WorkingFileName(path, ".obj"), 0);
  EXPECT_EQ(std::string(path), "");
}

}  // namespace
}  // namespace talo

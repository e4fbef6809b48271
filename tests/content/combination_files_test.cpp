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
  EXPECT_EQ(WorkingFileName(path, ".obj"), int(settings.UserFile("Temp.obj").size()));
  EXPECT_EQ(std::string(path), settings.UserFile("Temp.obj"));
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

// The base folder the program chooses when the user has chosen none, on real folders: the
// install folder where it serves, else the application data of the user or of all users.
#include "data/user_base_folder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "tests/support/temp_folder.h"

namespace talo {
namespace {

using test::TempFolder;

constexpr char kUserName[] = "talo_base_choice_user";

BOOL WINAPI FakeUserName(LPSTR buffer, LPDWORD size) {
  if (sizeof kUserName > *size) return FALSE;
  CopyMemory(buffer, kUserName, sizeof kUserName);
  *size = sizeof kUserName;
  return TRUE;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string AppData(bool all_users) {
  char folder[kPathCapacity] = {};
  EXPECT_GT(AppDataBaseFolder(folder, all_users), 0);
  return folder;
}

enum class Install { kWritable, kNotWritable, kHoldsUserFolder };
enum class Place { kNone, kInstall, kUserAppData, kAllUsersAppData };

struct Case {
  const char* name;
  Install install;
  Place stored;            // the base an earlier start chose
  bool stored_has_folder;  // whether the user folder exists below it already
  bool use_default_user;
  Place expected;
};

// The plain choices (install folder, the user's or all users' application data, and switching to
// "Default") are walked by the settings tests; here the folders that keep their place.
const Case kCases[] = {
    {"OldDataInTheInstallFolderStays", Install::kHoldsUserFolder, Place::kUserAppData, false, false,
     Place::kInstall},
    {"DataInTheAppDataStaysThereWhenTheInstallFolderBecomesWritable", Install::kWritable,
     Place::kUserAppData, true, false, Place::kUserAppData},
};

class UserBaseFolder : public ::testing::TestWithParam<Case> {
 protected:
  // The user folders this test makes below the application data go again; "Default" only when
  // the test made it.
  void TearDown() override {
    RemoveDirectoryA((AppData(false) + "_" + kUserName + "\\").c_str());
    if (!shared_default_existed_) RemoveDirectoryA((AppData(true) + "Default\\").c_str());
  }
  bool shared_default_existed_ = IsFolder(AppData(true) + "Default\\");
};

TEST_P(UserBaseFolder, ChoosesAndCreates) {
  const Case& c = GetParam();
  TempFolder temp;
  // A folder whose parent is missing cannot be made, as a folder the user may not write.
  const std::string install =
      c.install == Install::kNotWritable ? temp.Path() + "missing\\Tallowick\\" : temp.Path();
  const std::string folder_name =
      c.use_default_user ? "Default\\" : std::string("_") + kUserName + "\\";
  if (c.install == Install::kHoldsUserFolder) {
    ASSERT_TRUE(CreateDirectoryA((install + "_" + kUserName).c_str(), nullptr));
  }
  auto place = [&](Place p) {
    return p == Place::kInstall           ? install
           : p == Place::kUserAppData     ? AppData(false)
           : p == Place::kAllUsersAppData ? AppData(true)
                                          : std::string();
  };
  const std::string stored = place(c.stored);
  if (c.stored_has_folder) {
    CreateDirectoryA(stored.c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA((stored + "_" + kUserName).c_str(), nullptr));
  }

  char base[kPathCapacity] = "old";
  char folder[kPathCapacity] = "old";
  bool use_default_user = c.use_default_user;
  const int length = ResolveAutomaticUserFolder(base, folder, &use_default_user, stored.c_str(),
                                                install.c_str(), true, FakeUserName);
  const std::string expected = place(c.expected);
  EXPECT_EQ(std::string(base), expected);
  EXPECT_EQ(std::string(folder), expected + folder_name);
  EXPECT_EQ(length, int((expected + folder_name).size()));
  EXPECT_EQ(use_default_user, c.use_default_user);
  EXPECT_TRUE(IsFolder(folder));
  EXPECT_TRUE(IsAutomaticBaseFolder(base, install.c_str()));
}

INSTANTIATE_TEST_SUITE_P(Cases, UserBaseFolder, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// What an earlier 32-bit version wrote into the install folder on a standard account, Windows
// kept in the user's "VirtualStore": those assignments stay in use where they are.
TEST(UserBaseFolderChoice, AssignmentsInTheVirtualStoreStayInUse) {
  TempFolder temp;
  const std::string install = temp.Path() + "Tallowick\\";
  char local_app_data[MAX_PATH] = {};
  ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local_app_data));
  const std::string store = std::string(local_app_data) + "\\VirtualStore\\" + install.substr(3);
  ASSERT_EQ(0, SHCreateDirectoryExA(nullptr, (store + "_" + kUserName).c_str(), nullptr));

  char base[kPathCapacity] = {}, folder[kPathCapacity] = {};
  bool use_default_user = false;
  EXPECT_GT(ResolveAutomaticUserFolder(base, folder, &use_default_user, install.c_str(),
                                       install.c_str(), true, FakeUserName),
            0);
  EXPECT_EQ(store, base);
  EXPECT_TRUE(IsAutomaticBaseFolder(base, install.c_str()));
  test::RemoveTree(std::string(local_app_data) + "\\VirtualStore\\" +
                   temp.Path().substr(3, temp.Path().find('\\', 3) - 2));
}

TEST(UserBaseFolderChoice, AFolderTheUserChoseIsNotTheProgramsToMove) {
  TempFolder temp;
  EXPECT_FALSE(IsAutomaticBaseFolder(temp.Path().c_str(), "C:\\Program Files\\Tallowick\\"));
  EXPECT_TRUE(
      IsAutomaticBaseFolder("c:\\program files\\tallowick\\", "C:\\Program Files\\Tallowick\\"));
}

}  // namespace
}  // namespace talo

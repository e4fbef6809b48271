// Moving the user data to another folder while the program runs: when a later step fails, the
// setting, the data in the shared view and the hook library's folder are all as they were.
#include "app/user_folder_change.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/globals.h"
#include "base/error.h"
#include "data/user_data.h"
#include "hook/comm_block.h"
#include "hook/server/talo_server.h"
#include "tests/support/dialog_answerer.h"
#include "tests/support/installation.h"
#include "tests/support/saved_registry.h"
#include "tests/support/settings_fixture.h"

namespace talo {
namespace {

constexpr int kCode = 0x241;
constexpr unsigned char kActiveText = 0x18;

// The text a change raised, or "(nothing)" when it went through.
std::string Raised(const std::function<void()>& change) {
  try {
    change();
  } catch (const ErrorText& error) {
    return error.Text();
  }
  return "(nothing)";
}

class UserFolderChange : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(user_data_.CreateView());
    TaloUserData = &user_data_;
    TaloServer = &server_;
    old_base_ = TaloSettings->UserBaseDir();
    old_folder_ = settings_.UserDir();
    // Only in the view, not on disk: a reload from the old folder would lose it, a copy keeps it.
    user_data_.SetStatus(kActiveText, kCode);
  }
  void TearDown() override {
    TaloUserData = nullptr;
    TaloServer = nullptr;
  }

  void ExpectOldFolderInForce() {
    unsigned char status = 0;
    user_data_.GetStatus(status, kCode);
    EXPECT_EQ(status, kActiveText);
    EXPECT_EQ(TaloSettings->UserDir(), old_folder_);
    EXPECT_EQ(TaloSettings->UserBaseDir(), old_base_);
    EXPECT_TRUE(TaloSettings->UseDefaultUser());
    EXPECT_EQ(test::ReadRegistryText(HKEY_CURRENT_USER, test::kSettingsKey, "UserDir"), old_base_);
    DWORD use_default_user = 0;
    EXPECT_TRUE(test::ReadRegistryDword(HKEY_CURRENT_USER, test::kSettingsKey, "UseDefaultUser",
                                        &use_default_user));
    EXPECT_EQ(use_default_user, 1u);
    EXPECT_FALSE(test::FileExists(old_folder_ + "User.dat"));
  }

  test::ScopedSettings settings_;
  TTaloUserData user_data_;
  TTaloServer server_;
  test::TempFolder new_base_;
  std::string old_base_, old_folder_;
};

TEST_F(UserFolderChange, DataThatCannotBeCreatedInTheNewFolderLeavesTheOldDataAndFolder) {
  ASSERT_TRUE(server_.Create(kCommBlockName, kCommBlockSize));
  ASSERT_TRUE(server_.PublishUserDir(old_folder_.c_str()));
  // A folder in the way of "User.dat": nothing to load, and the empty table cannot be saved.
  ASSERT_TRUE(CreateDirectoryA(new_base_.File("Default").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(new_base_.File("Default\\User.dat").c_str(), nullptr));

  test::DialogAnswerer answerer;
  EXPECT_EQ(Raised([&] { ChangeUserBaseDir(new_base_.Path().c_str()); }), "");
  auto boxes = answerer.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "User data file error.");
  EXPECT_EQ(boxes[0].text, "Unable to access Tallowick user data file, 'USER.DAT'.");
  ExpectOldFolderInForce();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(server_.View()) + kUserDirOffset),
            old_folder_);
}

TEST_F(UserFolderChange, WhenTheHookLibraryCannotBeToldTheChangeIsTakenBack) {
  // The block is not open: the new folder's data opens, but the folder cannot be published.
  test::DialogAnswerer answerer;
  EXPECT_EQ(Raised([] { ChangeUseDefaultUser(false); }),
            "An internal communications server error has occurred within Tallowick, "
            "'TALOWICK.EXE'.");
  EXPECT_TRUE(answerer.Boxes().empty());
  ExpectOldFolderInForce();
}

TEST_F(UserFolderChange, ASettingThatCannotBeWrittenChangesNothing) {
  ASSERT_TRUE(server_.Create(kCommBlockName, kCommBlockSize));
  test::DeniedKeyWrites denied(HKEY_CURRENT_USER, test::kSettingsKey);
  ASSERT_TRUE(denied.Active());
  EXPECT_EQ(Raised([&] { ChangeUserBaseDir(new_base_.Path().c_str()); }),
            "An internal registry write error has occurred within Tallowick, 'TALOWICK.EXE'.");
  ExpectOldFolderInForce();
}

}  // namespace
}  // namespace talo

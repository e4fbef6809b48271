// TTaloRegistry against the real registry of the test prefix; every key and value it touches is
// put back afterwards.
#include "data/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "data/user_base_folder.h"
#include "tests/support/saved_registry.h"
#include "tests/support/temp_folder.h"

namespace talo {
namespace {

using test::ReadRegistryText;
using test::RegistryValueExists;
using test::TempFolder;
using test::WriteRegistryDword;
using test::WriteRegistryText;

const char kVendorKey[] = "Software\\Quintavel Software";
const char kProductKey[] = "Software\\Quintavel Software\\Tallowick";
const char kSettingsKey[] = "Software\\Quintavel Software\\Tallowick\\CurrentVersion";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string WindowsUserName() {
  char name[2048] = {};
  DWORD size = sizeof name - 1;
  return GetUserNameA(name, &size) ? name : "";
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD StoredDword(const char* name) {
  DWORD value = 0xDEAD;
  test::ReadRegistryDword(HKEY_CURRENT_USER, kSettingsKey, name, &value);
  return value;
}

// Starts every test from an empty settings key, no autostart entry and an install folder in a
// temporary folder, so that the user data folders land there too.
class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::DeleteRegistryTree(HKEY_CURRENT_USER, kProductKey));
    test::DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, "Tallowick");
    ASSERT_TRUE(WriteRegistryText(HKEY_LOCAL_MACHINE, kSettingsKey, "InstallDir", install_.Path()));
  }

  std::string UserFolderIn(const std::string& base) { return base + "_" + WindowsUserName() + "\\"; }

  test::SavedRegistryKey saved_vendor_{HKEY_CURRENT_USER, kVendorKey};
  test::SavedRegistryValue saved_install_{HKEY_LOCAL_MACHINE, kSettingsKey, "InstallDir"};
  test::SavedRegistryValue saved_run_{HKEY_CURRENT_USER, kRunKey, "Tallowick"};
  TempFolder install_;
  TempFolder elsewhere_;
};

TEST_F(Settings, AFirstStartWritesTheDefaultsAndResolvesTheUserFolderUnderTheInstallFolder) {
  TTaloRegistry settings;

  EXPECT_EQ(1u, StoredDword("Enabled"));
  EXPECT_EQ(1u, StoredDword("ShowWarnings"));
  EXPECT_EQ(0u, StoredDword("UseDefaultUser"));
  EXPECT_EQ(install_.Path(), ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir"));

  EXPECT_TRUE(settings.Enabled());
  EXPECT_TRUE(settings.ShowWarnings());
  EXPECT_FALSE(settings.UseDefaultUser());
  EXPECT_EQ(install_.Path(), settings.InstallDir());
  EXPECT_EQ(install_.File("Talowick.hlp"), settings.HelpFile());
  EXPECT_EQ(install_.Path(), settings.UserBaseDir());
  EXPECT_EQ(UserFolderIn(install_.Path()), settings.UserDir());
  EXPECT_TRUE(IsFolder(settings.UserDir()));

  EXPECT_FALSE(settings.RunAtStartup());
  EXPECT_FALSE(RegistryValueExists(HKEY_CURRENT_USER, kRunKey, "Tallowick"));
}

TEST_F(Settings, StoredFlagsCountAsOneWhenNonZeroAndAreNotRewritten) {
  ASSERT_TRUE(WriteRegistryDword(HKEY_CURRENT_USER, kSettingsKey, "Enabled", 5));
  ASSERT_TRUE(WriteRegistryDword(HKEY_CURRENT_USER, kSettingsKey, "ShowWarnings", 0));
  ASSERT_TRUE(WriteRegistryDword(HKEY_CURRENT_USER, kSettingsKey, "UseDefaultUser", 7));
  ASSERT_TRUE(WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir", elsewhere_.Path()));

  TTaloRegistry settings;
  EXPECT_TRUE(settings.Enabled());
  EXPECT_FALSE(settings.ShowWarnings());
  EXPECT_TRUE(settings.UseDefaultUser());
  EXPECT_EQ(elsewhere_.Path(), settings.UserBaseDir());
  EXPECT_EQ(elsewhere_.Path() + "Default\\", settings.UserDir());
  EXPECT_EQ(5u, StoredDword("Enabled"));
  EXPECT_EQ(7u, StoredDword("UseDefaultUser"));
}

// A flag of another type than DWORD means the number it holds, and is left as the user wrote it.
TEST_F(Settings, AFlagOfAnotherTypeMeansTheNumberItHoldsAndIsNeverOverwritten) {
  const struct {
    DWORD type;
    std::string bytes;
    bool enabled;  // Enabled defaults to 1
  } cases[] = {{REG_SZ, std::string("0", 2), false},      {REG_SZ, std::string(" 12 ", 5), true},
               {REG_SZ, std::string("on", 3), true},      {REG_BINARY, std::string(1, '\0'), false},
               {REG_BINARY, std::string("\0\x01", 2), true}, {REG_EXPAND_SZ, std::string("0", 2), false}};
  for (const auto& stored : cases) {
    SCOPED_TRACE(stored.bytes);
    ASSERT_TRUE(test::WriteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, "Enabled", stored.type,
                                         stored.bytes));
    TTaloRegistry settings;
    EXPECT_EQ(stored.enabled, settings.Enabled());
    DWORD type = REG_NONE;
    EXPECT_EQ(stored.bytes, test::ReadRegistryBytes(HKEY_CURRENT_USER, kSettingsKey, "Enabled", &type));
    EXPECT_EQ(stored.type, type);
  }
}

TEST_F(Settings, FoldersAreNormalisedToEndInABackslash) {
  std::string install_bare = install_.Path().substr(0, install_.Path().size() - 1);
  std::string elsewhere_bare = elsewhere_.Path().substr(0, elsewhere_.Path().size() - 1);
  struct Case {
    std::string stored_install, stored_user_dir;
    std::string install, user_base;
  };
  const Case cases[] = {
      {install_bare, elsewhere_bare, install_.Path(), elsewhere_.Path()},
      {"  " + install_.Path() + " \t", " " + elsewhere_.Path() + " ", install_.Path(),
       elsewhere_.Path()},
      {"", elsewhere_.Path(), "\\", elsewhere_.Path()},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteRegistryText(HKEY_LOCAL_MACHINE, kSettingsKey, "InstallDir", c.stored_install));
    ASSERT_TRUE(WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir", c.stored_user_dir));
    TTaloRegistry settings;
    EXPECT_EQ(c.install, settings.InstallDir()) << c.stored_install;
    EXPECT_EQ(c.install + "Talowick.hlp", settings.HelpFile()) << c.stored_install;
    EXPECT_EQ(c.user_base, settings.UserBaseDir()) << c.stored_user_dir;
    EXPECT_EQ(UserFolderIn(c.user_base), settings.UserDir()) << c.stored_user_dir;
    // A present setting is kept as the user wrote it.
    EXPECT_EQ(c.stored_user_dir, ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir"));
  }
}

// A standard account may not write the install folder: its data goes below the application
// data, the user's own or, for the shared "Default", that of all users; the setting names it.
TEST_F(Settings, WhereTheInstallFolderCannotBeWrittenTheDataGoesBelowTheApplicationData) {
  char own[kPathCapacity] = {}, shared[kPathCapacity] = {};
  ASSERT_TRUE(AppDataBaseFolder(own, false) && AppDataBaseFolder(shared, true));
  const std::string own_folder = UserFolderIn(own);
  const std::string shared_folder = std::string(shared) + "Default\\";
  const bool own_existed = IsFolder(own_folder), shared_existed = IsFolder(shared_folder);
  ASSERT_TRUE(WriteRegistryText(HKEY_LOCAL_MACHINE, kSettingsKey, "InstallDir",
                                elsewhere_.File("Missing\\Tallowick\\")));
  {
    TTaloRegistry settings;
    EXPECT_EQ(std::string(own), settings.UserBaseDir());
    EXPECT_EQ(own_folder, settings.UserDir());
    EXPECT_EQ(own, ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir"));

    ASSERT_TRUE(settings.SetUseDefaultUser(true));
    EXPECT_EQ(std::string(shared), settings.UserBaseDir());
    EXPECT_EQ(shared_folder, settings.UserDir());
    EXPECT_EQ(shared, ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir"));
    ASSERT_TRUE(settings.SetUseDefaultUser(false));
    EXPECT_EQ(own_folder, settings.UserDir());
  }
  TTaloRegistry next_start;
  EXPECT_EQ(own_folder, next_start.UserDir());
  if (!own_existed) RemoveDirectoryA(own_folder.c_str());
  if (!shared_existed) RemoveDirectoryA(shared_folder.c_str());
}

TEST_F(Settings, WithoutInstallDirTheInstallFolderIsTheRoot) {
  ASSERT_TRUE(test::DeleteRegistryValue(HKEY_LOCAL_MACHINE, kSettingsKey, "InstallDir"));
  ASSERT_TRUE(WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir", elsewhere_.Path()));
  TTaloRegistry settings;
  EXPECT_STREQ("\\", settings.InstallDir());
  EXPECT_STREQ("\\Talowick.hlp", settings.HelpFile());
}

TEST_F(Settings, AMissingBaseFolderIsCreatedAtStartUp) {
  std::string base = elsewhere_.File("Data\\");
  ASSERT_TRUE(WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir", base));
  TTaloRegistry settings;
  EXPECT_TRUE(IsFolder(base));
  EXPECT_EQ(UserFolderIn(base), settings.UserDir());
}

TEST_F(Settings, AnUnusableBaseFolderLeavesTheUserFolderEmpty) {
  std::string base = elsewhere_.File("Missing\\Deeper\\");
  ASSERT_TRUE(WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir", base));
  ASSERT_TRUE(WriteRegistryDword(HKEY_CURRENT_USER, kSettingsKey, "UseDefaultUser", 1));
  TTaloRegistry settings;
  EXPECT_EQ(base, settings.UserBaseDir());
  EXPECT_STREQ("", settings.UserDir());
  EXPECT_FALSE(settings.UseDefaultUser());
  EXPECT_EQ(1u, StoredDword("UseDefaultUser"));
}

TEST_F(Settings, AnAutostartEntryIsRewrittenForTheCurrentInstallFolder) {
  ASSERT_TRUE(WriteRegistryText(HKEY_CURRENT_USER, kRunKey, "Tallowick",
                                "\"C:\\Old Place\\Talowick.exe\" /s"));
  TTaloRegistry settings;
  EXPECT_TRUE(settings.RunAtStartup());
  EXPECT_EQ("\"" + install_.Path() + "Talowick.exe\" /s",
            ReadRegistryText(HKEY_CURRENT_USER, kRunKey, "Tallowick"));
}

TEST_F(Settings, RunAtStartupWritesAndRemovesTheAutostartEntry) {
  TTaloRegistry settings;
  EXPECT_TRUE(settings.SetRunAtStartup(false));  // already off
  EXPECT_FALSE(settings.RunAtStartup());

  ASSERT_TRUE(settings.SetRunAtStartup(true));
  EXPECT_TRUE(settings.RunAtStartup());
  EXPECT_EQ("\"" + install_.Path() + "Talowick.exe\" /s",
            ReadRegistryText(HKEY_CURRENT_USER, kRunKey, "Tallowick"));

  ASSERT_TRUE(settings.SetRunAtStartup(false));
  EXPECT_FALSE(settings.RunAtStartup());
  EXPECT_FALSE(RegistryValueExists(HKEY_CURRENT_USER, kRunKey, "Tallowick"));
  EXPECT_TRUE(settings.SetRunAtStartup(false));
}

TEST_F(Settings, FlagSettersWriteTheRegistryAndTheObject) {
  TTaloRegistry settings;
  ASSERT_TRUE(settings.SetEnabled(false));
  EXPECT_FALSE(settings.Enabled());
  EXPECT_EQ(0u, StoredDword("Enabled"));
  ASSERT_TRUE(settings.SetShowWarnings(false));
  EXPECT_FALSE(settings.ShowWarnings());
  EXPECT_EQ(0u, StoredDword("ShowWarnings"));
  ASSERT_TRUE(settings.SetEnabled(true));
  EXPECT_TRUE(settings.Enabled());
  EXPECT_EQ(1u, StoredDword("Enabled"));

  TTaloRegistry reloaded;
  EXPECT_TRUE(reloaded.Enabled());
  EXPECT_FALSE(reloaded.ShowWarnings());
}

TEST_F(Settings, SwitchingToTheDefaultUserMovesTheUserFolder) {
  TTaloRegistry settings;
  ASSERT_TRUE(settings.SetUseDefaultUser(true));
  EXPECT_TRUE(settings.UseDefaultUser());
  EXPECT_EQ(install_.Path() + "Default\\", settings.UserDir());
  EXPECT_TRUE(IsFolder(settings.UserDir()));
  EXPECT_EQ(1u, StoredDword("UseDefaultUser"));

  ASSERT_TRUE(settings.SetUseDefaultUser(false));
  EXPECT_FALSE(settings.UseDefaultUser());
  EXPECT_EQ(UserFolderIn(install_.Path()), settings.UserDir());
  EXPECT_EQ(0u, StoredDword("UseDefaultUser"));
}

TEST_F(Settings, ANewBaseFolderMovesTheUserFolder) {
  TTaloRegistry settings;
  ASSERT_TRUE(settings.SetUserDir(elsewhere_.Path().c_str()));
  EXPECT_EQ(elsewhere_.Path(), settings.UserBaseDir());
  EXPECT_EQ(UserFolderIn(elsewhere_.Path()), settings.UserDir());
  EXPECT_TRUE(IsFolder(settings.UserDir()));
  EXPECT_EQ(elsewhere_.Path(), ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir"));
}

TEST_F(Settings, AFolderThatCannotBeResolvedChangesNothing) {
  TTaloRegistry settings;
  const std::string user_dir = settings.UserDir();
  std::string unusable = elsewhere_.File("Missing\\Deeper\\");

  EXPECT_FALSE(settings.SetUserDir(unusable.c_str()));
  EXPECT_EQ(install_.Path(), settings.UserBaseDir());
  EXPECT_EQ(user_dir, settings.UserDir());
  EXPECT_EQ(install_.Path(), ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir"));

  // A base folder the user chose: the program does not look for another place.
  ASSERT_TRUE(settings.SetUserDir(elsewhere_.Path().c_str()));
  const std::string chosen_user_dir = settings.UserDir();
  ASSERT_TRUE(test::WriteFileBytes(elsewhere_.File("Default"), "a file, not a folder"));
  EXPECT_FALSE(settings.SetUseDefaultUser(true));
  EXPECT_FALSE(settings.UseDefaultUser());
  EXPECT_EQ(chosen_user_dir, settings.UserDir());
  EXPECT_EQ(0u, StoredDword("UseDefaultUser"));
}

TEST_F(Settings, SettersLeaveTheObjectAloneWhenTheRegistryWriteFails) {
  TTaloRegistry settings;
  const std::string user_dir = settings.UserDir();
  test::DeniedKeyWrites denied(HKEY_CURRENT_USER, kSettingsKey);
  ASSERT_TRUE(denied.Active());

  EXPECT_FALSE(settings.SetEnabled(false));
  EXPECT_TRUE(settings.Enabled());
  EXPECT_FALSE(settings.SetShowWarnings(false));
  EXPECT_TRUE(settings.ShowWarnings());
  EXPECT_FALSE(settings.SetUseDefaultUser(true));
  EXPECT_FALSE(settings.UseDefaultUser());
  EXPECT_EQ(user_dir, settings.UserDir());
  EXPECT_FALSE(settings.SetUserDir(elsewhere_.Path().c_str()));
  EXPECT_EQ(install_.Path(), settings.UserBaseDir());
  EXPECT_EQ(user_dir, settings.UserDir());
  EXPECT_EQ(1u, StoredDword("Enabled"));
  EXPECT_EQ(install_.Path(), ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir"));
}

TEST_F(Settings, TheAutostartFlagStaysWhenTheRunKeyCannotBeChanged) {
  TTaloRegistry settings;
  {
    test::DeniedKeyWrites denied(HKEY_CURRENT_USER, kRunKey);
    ASSERT_TRUE(denied.Active());
    EXPECT_FALSE(settings.SetRunAtStartup(true));
    EXPECT_FALSE(settings.RunAtStartup());
    EXPECT_FALSE(RegistryValueExists(HKEY_CURRENT_USER, kRunKey, "Tallowick"));
    // Off while already off and absent still succeeds: there is nothing to remove.
    EXPECT_TRUE(settings.SetRunAtStartup(false));
  }
  ASSERT_TRUE(settings.SetRunAtStartup(true));
  test::DeniedKeyWrites denied(HKEY_CURRENT_USER, kRunKey);
  ASSERT_TRUE(denied.Active());
  EXPECT_FALSE(settings.SetRunAtStartup(false));
  EXPECT_TRUE(settings.RunAtStartup());
  EXPECT_TRUE(RegistryValueExists(HKEY_CURRENT_USER, kRunKey, "Tallowick"));
}

TEST(RunCommand, TheCommandQuotesTheProgramAndRefusesToBeCut) {
  char command[64];
  EXPECT_EQ(36, FormatRunCommand(command, sizeof command, "C:\\Program Files\\T\\"));
  EXPECT_STREQ("\"C:\\Program Files\\T\\Talowick.exe\" /s", command);

  char small[20] = "old";
  EXPECT_EQ(0, FormatRunCommand(small, sizeof small, "C:\\Program Files\\T\\"));
  EXPECT_STREQ("", small);

  std::string longest_install(kPathCapacity - 1, 'x');
  char full[kRunCommandBufferSize];
  EXPECT_EQ(kPathCapacity - 1 + 17, FormatRunCommand(full, sizeof full, longest_install.c_str()));
}

}  // namespace
}  // namespace talo

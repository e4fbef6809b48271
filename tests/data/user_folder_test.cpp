// User data folders below a base folder, and the shared path test, on real folders.
#include "data/user_folder.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_folder.h"

namespace talo {
namespace {

using test::FileExists;
using test::TempFolder;
using test::WriteFileBytes;

// A user-name query the tests control: it answers with `fake_user_name`, or fails when that is
// null, and counts its calls.
const char* fake_user_name = nullptr;
int user_name_queries = 0;

BOOL WINAPI FakeUserName(LPSTR buffer, LPDWORD size) {
  ++user_name_queries;
  if (!fake_user_name) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  std::string name(fake_user_name);
  if (name.size() + 1 > *size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  name.copy(buffer, name.size());
  buffer[name.size()] = '\0';
  *size = static_cast<DWORD>(name.size() + 1);
  return TRUE;
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class UserFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_user_name = "jdoe";
    user_name_queries = 0;
  }

  // Resolves with the fake query; returns the folder text.
  std::string Resolve(const std::string& base, bool* use_default_user, bool tolerant,
                      int* length = nullptr) {
    char folder[kPathCapacity] = "old";
    int result = ResolveUserFolder(folder, use_default_user, base.c_str(), tolerant, FakeUserName);
    if (length) *length = result;
    EXPECT_EQ(static_cast<int>(std::string(folder).size()), result);
    return folder;
  }

  TempFolder temp_;
};

TEST_F(UserFolder, EachUserGetsAnUnderscoreFolderCreatedBelowTheBase) {
  bool use_default_user = false;
  EXPECT_EQ(temp_.Path() + "_jdoe\\", Resolve(temp_.Path(), &use_default_user, false));
  EXPECT_FALSE(use_default_user);
  EXPECT_TRUE(IsFolder(temp_.Path() + "_jdoe"));

  fake_user_name = "asmith";
  EXPECT_EQ(temp_.Path() + "_asmith\\", Resolve(temp_.Path(), &use_default_user, true));
  EXPECT_TRUE(IsFolder(temp_.Path() + "_asmith"));
  EXPECT_TRUE(IsFolder(temp_.Path() + "_jdoe"));
}

TEST_F(UserFolder, TheDefaultUserSharesOneFolderAndNoNameIsAskedFor) {
  for (bool tolerant : {false, true}) {
    bool use_default_user = true;
    EXPECT_EQ(temp_.Path() + "Default\\", Resolve(temp_.Path(), &use_default_user, tolerant));
    EXPECT_TRUE(use_default_user);
  }
  EXPECT_EQ(0, user_name_queries);
  EXPECT_TRUE(IsFolder(temp_.Path() + "Default"));
}

TEST_F(UserFolder, AnExistingFolderIsTakenAsItIs) {
  ASSERT_TRUE(CreateDirectoryA((temp_.Path() + "_jdoe").c_str(), nullptr));
  ASSERT_TRUE(WriteFileBytes(temp_.File("_jdoe\\User.dat"), "kept"));
  bool use_default_user = false;
  EXPECT_EQ(temp_.Path() + "_jdoe\\", Resolve(temp_.Path(), &use_default_user, false));
  EXPECT_EQ("kept", test::ReadFileBytes(temp_.File("_jdoe\\User.dat")));
}

TEST_F(UserFolder, WithoutAUserNameStrictFailsAndTolerantSwitchesToTheDefaultUser) {
  fake_user_name = nullptr;
  bool use_default_user = false;
  EXPECT_EQ("", Resolve(temp_.Path(), &use_default_user, false));
  EXPECT_FALSE(use_default_user);
  EXPECT_FALSE(FileExists(temp_.File("Default")));

  EXPECT_EQ(temp_.Path() + "Default\\", Resolve(temp_.Path(), &use_default_user, true));
  EXPECT_TRUE(use_default_user);
  EXPECT_TRUE(IsFolder(temp_.Path() + "Default"));
}

TEST_F(UserFolder, AFolderThatCannotBeMadeFailsAndClearsTheDefaultUserFlag) {
  ASSERT_TRUE(WriteFileBytes(temp_.File("Default"), "a file, not a folder"));
  ASSERT_TRUE(WriteFileBytes(temp_.File("Base"), "a file, not a folder"));
  struct Case {
    std::string base;
    bool use_default_user;
  };
  const Case cases[] = {
      {temp_.Path(), true},               // the user folder's name is taken by a file
      {temp_.File("Base") + "\\", true},  // the base folder is a file
      {temp_.File("Base") + "\\", false},
      {temp_.File("Missing\\Deeper") + "\\", false},  // only one level is created
  };
  for (const Case& c : cases) {
    bool use_default_user = c.use_default_user;
    EXPECT_EQ("", Resolve(c.base, &use_default_user, true)) << c.base;
    EXPECT_FALSE(use_default_user) << c.base;
  }
  EXPECT_EQ("a file, not a folder", test::ReadFileBytes(temp_.File("Default")));
  EXPECT_FALSE(FileExists(temp_.File("Missing")));
}

TEST_F(UserFolder, ALongUserNameIsCutTo251Characters) {
  // A short base keeps the 253-character folder name within what Windows can create.
  std::string name;
  for (int i = 0; i < 251; ++i) name += static_cast<char>('a' + i % 26);
  std::string expected_folder = "C:\\_" + name + "\\";
  name += std::string(49, 'Z');
  fake_user_name = name.c_str();

  bool use_default_user = false;
  int length = 0;
  EXPECT_EQ(expected_folder, Resolve("C:\\", &use_default_user, false, &length));
  EXPECT_EQ(3 + 1 + 251 + 1, length);
  EXPECT_TRUE(IsFolder(expected_folder));
  RemoveDirectoryA(expected_folder.c_str());
}

TEST_F(UserFolder, AFolderLongerThanAPathBufferIsRefusedNotCut) {
  std::string base = "C:\\" + std::string(kPathCapacity - 10, 'b') + "\\";
  bool use_default_user = true;
  EXPECT_EQ("", Resolve(base, &use_default_user, true));
  EXPECT_FALSE(use_default_user);
}

TEST_F(UserFolder, MissingArgumentsFail) {
  char folder[kPathCapacity];
  bool use_default_user = true;
  EXPECT_EQ(0, ResolveUserFolder(folder, nullptr, temp_.Path().c_str(), true, FakeUserName));
  EXPECT_EQ(0, ResolveUserFolder(folder, &use_default_user, nullptr, true, FakeUserName));
  EXPECT_EQ(
      0, ResolveUserFolder(nullptr, &use_default_user, temp_.Path().c_str(), true, FakeUserName));
}

TEST_F(UserFolder, TheWindowsUserNameIsUsedByDefault) {
  char name[2048] = {};
  DWORD size = sizeof name - 1;
  ASSERT_TRUE(GetUserNameA(name, &size));
  char folder[kPathCapacity];
  bool use_default_user = false;
  ASSERT_NE(0, ResolveUserFolder(folder, &use_default_user, temp_.Path().c_str(), false));
  EXPECT_EQ(temp_.Path() + "_" + name + "\\", folder);
}

class PathExistsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirectoryA(temp_.File("Folder").c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(temp_.File("File.dat"), "x"));
  }
  TempFolder temp_;
};

TEST_F(PathExistsTest, FoldersAndFilesAreToldApart) {
  struct Case {
    std::string path;
    bool folder_wanted;
    bool expected;
  };
  const Case cases[] = {
      {temp_.File("Folder"), true, true},
      {temp_.File("Folder\\"), true, true},
      {temp_.File("Folder/"), true, true},
      {"  " + temp_.File("Folder\\") + " \t", true, true},
      {temp_.File("Folder"), false, false},
      {temp_.File("File.dat"), false, true},
      {" " + temp_.File("File.dat") + "\r\n", false, true},
      {temp_.File("File.dat"), true, false},
      {temp_.File("Missing"), true, false},
      {temp_.File("Missing"), false, false},
      {temp_.File("Fold?r"), true, false},  // wildcards would match other entries
      {temp_.File("*"), false, false},
      {"", true, false},
      {" \\ ", true, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, PathExists(c.path.c_str(), c.folder_wanted, false)) << c.path;
  EXPECT_FALSE(PathExists(nullptr, true, false));
}

TEST_F(PathExistsTest, CreatingMakesOneMissingFolderLevelOnly) {
  EXPECT_TRUE(PathExists(temp_.File("New\\").c_str(), true, true));
  EXPECT_TRUE(IsFolder(temp_.File("New")));

  EXPECT_FALSE(PathExists(temp_.File("Missing\\Deeper\\").c_str(), true, true));
  EXPECT_FALSE(FileExists(temp_.File("Missing")));

  // A file of that name is no folder, and creation over it fails.
  EXPECT_FALSE(PathExists(temp_.File("File.dat").c_str(), true, true));
  EXPECT_EQ("x", test::ReadFileBytes(temp_.File("File.dat")));

  // Asking for a file never creates anything.
  EXPECT_FALSE(PathExists(temp_.File("NotAFile").c_str(), false, true));
  EXPECT_FALSE(FileExists(temp_.File("NotAFile")));
}

TEST(FolderPathText, NamesThatNoFolderCanHaveAreRefused) {
  const struct {
    const char* path;
    bool valid;
  } cases[] = {
      {"C:\\Data\\", true},  {"d:/Shared/Tallowick/", true}, {"\\\\server\\share\\", true},
      {"C:\\a<b\\", false},  {"C:\\a>b\\", false},           {"C:\\a|b\\", false},
      {"C:\\a\"b\\", false}, {"C:\\a?b\\", false},           {"C:\\a*b\\", false},
      {"C:\\a\tb\\", false}, {"C:\\a:b\\", false},           {"1:\\Data\\", false},
  };
  for (const auto& c : cases) EXPECT_EQ(FolderPathCharactersValid(c.path), c.valid) << c.path;
}

TEST(FolderPathText, TheRootOfADriveIsAFolderThatExists) {
  EXPECT_TRUE(RootFolderExists("C:\\"));
  EXPECT_TRUE(RootFolderExists(" c:/ "));
  EXPECT_TRUE(RootFolderExists("\\"));  // the current drive's root
  EXPECT_FALSE(RootFolderExists("C:"));
  EXPECT_FALSE(RootFolderExists("C:\\windows\\"));
}

}  // namespace
}  // namespace talo

// Opening and committing the user data of the user data folder, with the messages a user sees.
#include <gtest/gtest.h>

#include <string>

#include "app/globals.h"
#include "app/user_data_ops.h"
#include "data/user_data.h"
#include "tests/support/dialog_answerer.h"
#include "tests/support/settings_fixture.h"

namespace talo {
namespace {

using test::DialogAnswerer;
using test::FileExists;
using test::ReadFileBytes;
using test::WriteFileBytes;

constexpr char kUnrecognized[] =
    "Tallowick user data file, 'USER.DAT', contains an unrecognized data format.";

class UserDataOps : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(user_data_.CreateView());
    TaloUserData = &user_data_;
    folder_ = settings_.UserDir();
  }
  void TearDown() override { TaloUserData = nullptr; }

  std::string File(const char* name) const { return folder_ + name; }
  // A file as the program writes it, with one status byte set.
  std::string SavedFile(unsigned char status, int code) {
    user_data_.SetStatus(status, code);
    std::string bytes(reinterpret_cast<const char*>(user_data_.View()), kUserDataViewSize);
    user_data_.SetStatus(0, code);
    return bytes;
  }

  test::ScopedSettings settings_;
  TTaloUserData user_data_;
  std::string folder_;
};

TEST_F(UserDataOps, MissingFileIsCreatedWithEveryStatusZeroAndNoBackup) {
  user_data_.SetStatus(0x18, 5);  // left over from an earlier folder
  DialogAnswerer answerer;
  ASSERT_TRUE(OpenUserData(false));
  std::string bytes = ReadFileBytes(File("User.dat"));
  ASSERT_EQ(bytes.size(), size_t(kUserDataViewSize));
  EXPECT_EQ(bytes.substr(1024), std::string(2048, '\0'));
  EXPECT_EQ(bytes.substr(0, 8), std::string("QVDF\0\0\0\0", 8));
  EXPECT_FALSE(FileExists(File("User.bak")));
  EXPECT_TRUE(answerer.Boxes().empty());
}

TEST_F(UserDataOps, FileOfAnotherProductVersionLoadsAndKeepsItsHeader) {
  std::string bytes = SavedFile(0x18, 0x241);
  bytes[24] = 9;  // another major version
  ASSERT_TRUE(WriteFileBytes(File("User.dat"), bytes));
  ASSERT_TRUE(OpenUserData(false));
  unsigned char status = 0;
  EXPECT_TRUE(user_data_.GetStatus(status, 0x241));
  EXPECT_EQ(status, 0x18);
  EXPECT_EQ(user_data_.View()[24], 9);
}

TEST_F(UserDataOps, DamagedFilesAreRefusedAsUnrecognizedWithTheOperationsCaption) {
  const std::string good = SavedFile(0x18, 1);
  std::string foreign = good;
  foreign[8] = 'X';
  const std::string cases[] = {good.substr(0, 3071), foreign, std::string(3072, '\xFF'), ""};
  for (const std::string& bytes : cases) {
    ASSERT_TRUE(WriteFileBytes(File("User.dat"), bytes));
    DialogAnswerer answerer;
    EXPECT_FALSE(OpenUserData(false));
    auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 1u) << bytes.size();
    EXPECT_EQ(boxes[0].text, kUnrecognized);
    EXPECT_EQ(boxes[0].caption, "User data file error.");
    EXPECT_EQ(ReadFileBytes(File("User.dat")), bytes) << "a refused file is never overwritten";
  }
}

TEST_F(UserDataOps, AtStartUpTheFailureIsFatal) {
  ASSERT_TRUE(WriteFileBytes(File("User.dat"), "short"));
  DialogAnswerer answerer;
  EXPECT_FALSE(OpenUserData(true));
  auto boxes = answerer.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Fatal error.");
  EXPECT_TRUE(boxes[0].error_icon);
}

TEST_F(UserDataOps, UnwritableFolderCannotBeAccessed) {
  // "User.dat" exists as a folder: it cannot be loaded, is not a file, and cannot be created.
  ASSERT_TRUE(CreateDirectoryA(File("User.dat").c_str(), nullptr));
  DialogAnswerer answerer;
  EXPECT_FALSE(OpenUserData(false));
  auto boxes = answerer.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Unable to access Tallowick user data file, 'USER.DAT'.");
}

TEST_F(UserDataOps, DamagedFileStartsFromTheBackupAndNeverReplacesIt) {
  const std::string backup = SavedFile(0x18, 0x241);
  ASSERT_TRUE(WriteFileBytes(File("User.bak"), backup));
  ASSERT_TRUE(WriteFileBytes(File("User.dat"), backup.substr(0, 1500)));  // cut by a crash
  DialogAnswerer answerer;
  ASSERT_TRUE(OpenUserData(true));
  auto boxes = answerer.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "Tallowick user data file, 'USER.DAT', could not be read. The assignments were "
            "restored from its backup, 'USER.BAK'.");
  EXPECT_EQ(boxes[0].caption, "User data file error.");
  unsigned char status = 0;
  user_data_.GetStatus(status, 0x241);
  EXPECT_EQ(status, 0x18);
  EXPECT_EQ(ReadFileBytes(File("User.dat")), backup) << "the next start reads User.dat again";
  EXPECT_EQ(ReadFileBytes(File("User.bak")), backup);

  // A save over a damaged file keeps the backup: it is the last good copy.
  ASSERT_TRUE(WriteFileBytes(File("User.dat"), "damaged"));
  user_data_.SetStatus(0x0C, 9);
  ASSERT_TRUE(CommitUserData());
  EXPECT_EQ(ReadFileBytes(File("User.bak")), backup);
  EXPECT_EQ(static_cast<unsigned char>(ReadFileBytes(File("User.dat"))[1024 + 9]), 0x0C);
}

// Another program on the same folder saves between this program's load and its save.
TEST_F(UserDataOps, SaveKeepsWhatAnotherProgramSavedAndShowsItToTheHook) {
  ASSERT_TRUE(OpenUserData(false));
  std::string theirs = ReadFileBytes(File("User.dat"));
  theirs[1024 + 2] = 0x18;
  theirs[1024 + 3] = 0x08;
  ASSERT_TRUE(WriteFileBytes(File("User.dat"), theirs));
  SetFileAttributesA(File("User.dat").c_str(), FILE_ATTRIBUTE_READONLY);  // replaced all the same

  user_data_.SetStatus(0x1C, 3);  // both changed the 3rd: this save is the later one
  user_data_.SetStatus(0x18, 4);
  ASSERT_TRUE(CommitUserData());
  const std::string stored = ReadFileBytes(File("User.dat"));
  EXPECT_EQ(stored.substr(1024 + 2, 3), std::string("\x18\x1C\x18"));
  EXPECT_EQ(ReadFileBytes(File("User.bak")), theirs);
  unsigned char status = 0;
  user_data_.GetStatus(status, 2);
  EXPECT_EQ(status, 0x18) << "their change is in the view that the hook reads";

  // A byte changed back to what was stored counts as unchanged.
  theirs = stored;
  theirs[1024 + 4] = 0x0D;
  ASSERT_TRUE(WriteFileBytes(File("User.dat"), theirs));
  user_data_.SetStatus(0x00, 4);
  user_data_.SetStatus(0x18, 4);
  ASSERT_TRUE(CommitUserData());
  EXPECT_EQ(static_cast<unsigned char>(ReadFileBytes(File("User.dat"))[1024 + 4]), 0x0D);

  // Without a save of its own the program takes their next save in; its unsaved change stays.
  theirs = ReadFileBytes(File("User.dat"));
  theirs[1024 + 5] = 0x1A;
  ASSERT_TRUE(WriteFileBytes(File("User.dat"), theirs));
  user_data_.SetStatus(0x11, 6);
  EXPECT_TRUE(user_data_.Refresh(folder_.c_str()));
  user_data_.GetStatus(status, 5);
  EXPECT_EQ(status, 0x1A);
  user_data_.GetStatus(status, 6);
  EXPECT_EQ(status, 0x11);
  EXPECT_FALSE(user_data_.Refresh(folder_.c_str())) << "nothing new";
}

DWORD WINAPI CloseAfterAMoment(void* file) {
  Sleep(500);
  return CloseHandle(file);
}

TEST_F(UserDataOps, FileHeldAtStartUpIsWaitedForAndNeverReplaced) {
  const std::string stored = SavedFile(0x18, 1);
  ASSERT_TRUE(WriteFileBytes(File("User.dat"), stored));
  HANDLE holder = CreateFileA(File("User.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  {
    DialogAnswerer answerer;
    EXPECT_FALSE(OpenUserData(true));
    auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Unable to access Tallowick user data file, 'USER.DAT'.");
  }
  // Let go of a moment later: the start waits for it.
  HANDLE releaser = CreateThread(nullptr, 0, CloseAfterAMoment, holder, 0, nullptr);
  EXPECT_TRUE(OpenUserData(true));
  WaitForSingleObject(releaser, INFINITE);
  CloseHandle(releaser);
  EXPECT_EQ(ReadFileBytes(File("User.dat")), stored);
  unsigned char status = 0;
  user_data_.GetStatus(status, 1);
  EXPECT_EQ(status, 0x18);
}

TEST_F(UserDataOps, FailedSaveIsReportedAndTheViewKeepsTheChange) {
  ASSERT_TRUE(OpenUserData(false));
  user_data_.SetStatus(0x18, 7);
  // Held open without sharing by someone else: the save cannot replace it.
  HANDLE holder = CreateFileA(File("User.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  DialogAnswerer answerer;
  EXPECT_FALSE(CommitUserData());
  CloseHandle(holder);
  auto boxes = answerer.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Unable to write Tallowick user data file, 'USER.DAT'.");
  EXPECT_EQ(boxes[0].caption, "Save settings error.");
  unsigned char status = 0;
  user_data_.GetStatus(status, 7);
  EXPECT_EQ(status, 0x18);
}

}  // namespace
}  // namespace talo

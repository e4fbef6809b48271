// The editor's working object file: capture, restore and commitment to a combination's file.
#include "content/working_object.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/object_records.h"
#include "tests/support/test_settings.h"
#include "tests/support/win_driver.h"

namespace talo {
namespace {

using test::FileExists;
using test::ReadFileBytes;
using test::WriteFileBytes;

class WorkingObject : public ::testing::Test {
 protected:
  std::string Working() const { return settings_.WorkingFile(".obj"); }
  std::string Committed() const { return settings_.UserFile("0674.obj"); }
  test::TestSettings settings_;
};

TEST_F(WorkingObject, CaptureAndRestoreGoThroughTheWorkingFile) {
  ASSERT_TRUE(test::WriteClipboardText("captured"));
  ASSERT_TRUE(CaptureWorkingObject());
  ASSERT_TRUE(FileExists(Working()));
  EXPECT_EQ(test::ParseObjectFile(ReadFileBytes(Working()))[0].format, unsigned(CF_TEXT));

  ASSERT_TRUE(test::WriteClipboardText("other"));
  EXPECT_FALSE(RestoreWorkingObject(false));
  EXPECT_EQ(test::ReadClipboardText(), "other");
  EXPECT_TRUE(RestoreWorkingObject(true));
  EXPECT_EQ(test::ReadClipboardText(), "captured");
}

TEST_F(WorkingObject, CommitCopiesTheWorkingFileOverAReadOnlyCombinationFile) {
  ASSERT_TRUE(WriteFileBytes(Working(), "working object"));
  ASSERT_TRUE(WriteFileBytes(Committed(), "older object"));
  ASSERT_TRUE(SetFileAttributesA(Committed().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(CommitObject(0x674, true));
  EXPECT_EQ(ReadFileBytes(Committed()), "working object");
  EXPECT_EQ(GetFileAttributesA(Committed().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_TRUE(FileExists(Working())) << "editing goes on with the working copy";
}

TEST_F(WorkingObject, CommitWithoutKeepingDeletesTheCombinationFile) {
  ASSERT_TRUE(WriteFileBytes(Committed(), "older object"));
  ASSERT_TRUE(SetFileAttributesA(Committed().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(CommitObject(0x674, false));
  EXPECT_FALSE(FileExists(Committed()));
  EXPECT_TRUE(CommitObject(0x674, false)) << "nothing to delete is no failure";
}

TEST_F(WorkingObject, AFailedCopyKeepsTheStoredObject) {
  ASSERT_TRUE(WriteFileBytes(Committed(), "older object"));
  EXPECT_FALSE(CommitObject(0x674, true)) << "there is no working file";
  EXPECT_EQ(ReadFileBytes(Committed()), "older object");
  EXPECT_FALSE(FileExists(Committed() + ".new"));
  EXPECT_FALSE(CommitObject(0x800, true));
}

TEST(WorkingObjectWithoutSettings, EveryOperationFails) {
  ASSERT_EQ(TaloSettings, nullptr);
  EXPECT_FALSE(CaptureWorkingObject());
  EXPECT_FALSE(RestoreWorkingObject(true));
  EXPECT_FALSE(CommitObject(0x674, true));
  EXPECT_FALSE(CommitObject(0x674, false));
}

}  // namespace
}  // namespace talo

// Capturing the real clipboard into object files and restoring it from them.
#include "content/clipboard_object.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/object_records.h"
#include "tests/support/temp_folder.h"
#include "tests/support/win_driver.h"

namespace talo {
namespace {

using test::ClipboardBytes;
using test::ClipboardFormats;
using test::ObjectFileBytes;
using test::ObjectRecord;
using test::ParseObjectFile;
using test::PutOnClipboard;
using test::ReadFileBytes;
using test::WriteFileBytes;

const UINT kFormatA = RegisterClipboardFormatA("Talo Test Format A");
const UINT kFormatB = RegisterClipboardFormatA("Talo Test Format B");
const UINT kFormatC = RegisterClipboardFormatA("Talo Test Format C");

bool OnClipboard(unsigned format) {
  bool present = false;
  ClipboardBytes(format, &present);
  return present;
}

class ClipboardObject : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test::WriteClipboardText("before")); }
  std::string File(const char* name = "0674.obj") const { return folder_.File(name); }
  test::TempFolder folder_;
};

TEST_F(ClipboardObject, CapturedTextBecomesOneRecordPerListedStorableFormat) {
  ASSERT_TRUE(test::WriteClipboardText("Hello, clipboard"));
  ASSERT_TRUE(HasStorableClipboard());
  ASSERT_TRUE(CaptureClipboard(File().c_str()));

  std::vector<ObjectRecord> records = ParseObjectFile(ReadFileBytes(File()));
  std::vector<unsigned> expected_formats;
  for (unsigned format : ClipboardFormats())
    if (IsStorableFormat(format)) expected_formats.push_back(format);
  ASSERT_EQ(records.size(), expected_formats.size());
  EXPECT_EQ(ObjectFileBytes(records), ReadFileBytes(File())) << "nothing after the records";
  for (size_t i = 0; i < records.size(); ++i) {
    SCOPED_TRACE(records[i].format);
    EXPECT_EQ(records[i].format, expected_formats[i]);
    EXPECT_EQ(records[i].data, ClipboardBytes(records[i].format)) << "all GlobalSize bytes";
  }
  EXPECT_EQ(records[0].format, unsigned(CF_TEXT));
  EXPECT_EQ(std::string(records[0].data.c_str()), "Hello, clipboard");

  ASSERT_TRUE(test::WriteClipboardText("something else"));
  ASSERT_TRUE(RestoreClipboard(File().c_str()));
  EXPECT_EQ(test::ReadClipboardText(), "Hello, clipboard");
}

TEST_F(ClipboardObject, DibAndEnhancedMetafileSurviveTheRoundTrip) {
  const std::string dib = test::SampleDib(3, 2, 24, 0x7F);
  const std::string metafile = test::SampleEnhMetafileBits();
  const std::string registered = std::string("registered\0bytes", 16);
  ASSERT_TRUE(PutOnClipboard({{CF_DIB, dib}, {CF_ENHMETAFILE, metafile}, {kFormatA, registered}}));
  ASSERT_TRUE(CaptureClipboard(File().c_str()));

  std::vector<ObjectRecord> records = ParseObjectFile(ReadFileBytes(File()));
  auto record_of = [&](unsigned format) {
    auto found = std::find_if(records.begin(), records.end(),
                              [&](const ObjectRecord& r) { return r.format == format; });
    return found == records.end() ? std::string("missing") : found->data;
  };
  EXPECT_EQ(record_of(CF_DIB), dib);
  EXPECT_EQ(record_of(CF_ENHMETAFILE), metafile);
  EXPECT_EQ(record_of(kFormatA), registered);
  EXPECT_EQ(record_of(CF_BITMAP), "missing") << "a bitmap handle is never stored";

  ASSERT_TRUE(PutOnClipboard({{kFormatB, "other"}}));
  ASSERT_TRUE(RestoreClipboard(File().c_str()));
  EXPECT_EQ(ClipboardBytes(CF_DIB), dib);
  EXPECT_EQ(ClipboardBytes(CF_ENHMETAFILE), metafile);
  EXPECT_EQ(ClipboardBytes(kFormatA), registered);
  EXPECT_FALSE(OnClipboard(kFormatB)) << "restoring empties the clipboard first";
}

TEST_F(ClipboardObject, NothingStorableMeansNoCaptureAndNoFile) {
  const UINT data_object = RegisterClipboardFormatA("DataObject");
  ASSERT_TRUE(PutOnClipboard({{CF_DSPTEXT, "shown"}, {0x200, "private"}, {data_object, "ole"}}));
  EXPECT_FALSE(HasStorableClipboard());
  ASSERT_TRUE(WriteFileBytes(File(), "an older object"));
  EXPECT_FALSE(CaptureClipboard(File().c_str()));
  EXPECT_FALSE(test::FileExists(File()));

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(HasStorableClipboard());
  EXPECT_FALSE(CaptureClipboard(File().c_str()));
  EXPECT_FALSE(test::FileExists(File()));
}

TEST_F(ClipboardObject, CaptureReplacesAReadOnlyFile) {
  ASSERT_TRUE(WriteFileBytes(File(), std::string(5000, 'x')));
  ASSERT_TRUE(SetFileAttributesA(File().c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(PutOnClipboard({{kFormatA, "new"}}));
  ASSERT_TRUE(CaptureClipboard(File().c_str()));
  EXPECT_EQ(ParseObjectFile(ReadFileBytes(File())), (std::vector<ObjectRecord>{{kFormatA, "new"}}));
}

TEST_F(ClipboardObject, RestoreStopsAtTheFirstNonStorableRecordAndKeepsTheOthers) {
  ASSERT_TRUE(WriteFileBytes(File(), ObjectFileBytes({{kFormatA, "first"},
                                                      {kFormatB, "second"},
                                                      {CF_DSPTEXT, "display text"},
                                                      {kFormatC, "after the stop"}})));
  EXPECT_TRUE(RestoreClipboard(File().c_str()));
  EXPECT_EQ(ClipboardBytes(kFormatA), "first");
  EXPECT_EQ(ClipboardBytes(kFormatB), "second");
  EXPECT_FALSE(OnClipboard(CF_DSPTEXT));
  EXPECT_FALSE(OnClipboard(kFormatC));
}

TEST_F(ClipboardObject, RestoreStopsAtARecordCutShortAndKeepsTheOnesBefore) {
  std::string bytes = ObjectFileBytes({{kFormatA, "whole"}, {kFormatB, std::string(100, 'b')}});
  bytes.resize(bytes.size() - 90);
  ASSERT_TRUE(WriteFileBytes(File(), bytes));
  EXPECT_TRUE(RestoreClipboard(File().c_str()));
  EXPECT_EQ(ClipboardBytes(kFormatA), "whole");
  EXPECT_FALSE(OnClipboard(kFormatB));
}

TEST_F(ClipboardObject, RestoreOfNothingUsableLeavesTheClipboardEmpty) {
  for (const std::string& bytes :
       {std::string(), ObjectFileBytes({{CF_BITMAP, "handle"}}), std::string("\x01\0\0", 3),
        ObjectFileBytes({{CF_TEXT, ""}, {kFormatA, "after a zero count"}})}) {
    SCOPED_TRACE(bytes.size());
    ASSERT_TRUE(test::WriteClipboardText("before"));
    ASSERT_TRUE(WriteFileBytes(File(), bytes));
    EXPECT_FALSE(RestoreClipboard(File().c_str()));
    EXPECT_TRUE(ClipboardFormats().empty());
  }
}

TEST_F(ClipboardObject, RestoreOfAMissingFileLeavesTheClipboardAlone) {
  EXPECT_FALSE(RestoreClipboard(File("missing.obj").c_str()));
  EXPECT_EQ(test::ReadClipboardText(), "before");
}

}  // namespace
}  // namespace talo

// The object box's preview: which format of an object file it draws, the placeholder when none
// can be drawn, and the working copy that editing goes on with.
#include "forms/object_preview.h"

#include <gtest/gtest.h>

#include <string>

#include "content/metafile_picture.h"
#include "content/shortcut_file.h"
#include "tests/support/object_records.h"
#include "tests/support/test_settings.h"
#include "tests/support/win_driver.h"
#include "ui/application.h"
#include "ui/form.h"

namespace talo {
namespace {

using test::ObjectFileBytes;
using test::ObjectRecord;

constexpr int kCode = 0x674;

class ObjectPreview : public ::testing::Test {
 protected:
  ObjectPreview() : form_(Design()) {
    application_.Initialize();
    picture_.Create(form_, {0, 0, 0, 0}).AutoSize(true);
    placeholder_.Create(form_, {0, 0, 136, 30}, "No image is available for this object.");
  }
  static ui::FormDesign Design() {
    ui::FormDesign design;
    design.class_name = "TObjectPreviewTestForm";
    return design;
  }
  // Writes the combination's object file and previews it.
  bool Show(const std::vector<ObjectRecord>& records) {
    EXPECT_TRUE(test::WriteFileBytes(settings_.UserFile("0674.obj"), ObjectFileBytes(records)));
    return ShowObjectPreview(picture_, placeholder_, kCode);
  }
  SIZE PictureSize() const {
    BITMAP info = {};
    if (picture_.Bitmap()) GetObjectA(picture_.Bitmap(), sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
  }

  test::TestSettings settings_;
  ui::TApplication application_;
  ui::TForm form_;
  ui::TImage picture_;
  ui::TLabel placeholder_;
};

TEST_F(ObjectPreview, DrawsTheBitmapFirstThenTheMetafileThenTheFileListThenTheText) {
  const ObjectRecord text = {CF_TEXT, std::string("first line\r\nsecond line", 24)};
  const ObjectRecord files = {CF_HDROP, test::FileListBytes({"C:\\docs\\letter.txt"})};
  const ObjectRecord metafile = {CF_ENHMETAFILE, test::SampleEnhMetafileBits()};
  const ObjectRecord bitmap = {CF_DIB, test::SampleDib(30, 20, 24)};

  ASSERT_TRUE(Show({text, files, metafile, bitmap}));
  EXPECT_EQ(PictureSize().cx, 30) << "the bitmap wins wherever it stands";
  EXPECT_FALSE(picture_.Transparent()) << "a bitmap is shown as it is";
  EXPECT_TRUE(picture_.Visible());
  EXPECT_FALSE(placeholder_.Visible());

  ASSERT_TRUE(Show({text, files, metafile}));
  SIZE frame = {};
  HENHMETAFILE played = SetEnhMetaFileBits(UINT(metafile.data.size()),
                                           reinterpret_cast<const BYTE*>(metafile.data.data()));
  ASSERT_TRUE(MetafilePictureSize(played, frame));
  DeleteEnhMetaFile(played);
  EXPECT_EQ(PictureSize().cx, frame.cx) << "then the metafile, at its frame's size";

  for (const auto& records : {std::vector<ObjectRecord>{text, files}, {text}}) {
    ASSERT_TRUE(Show(records));
    EXPECT_EQ(PictureSize().cx, 194) << "a file list or a text is drawn as lines";
    // Drawn on white, which lets the box's colour show around the lines.
    EXPECT_TRUE(picture_.Transparent());
    EXPECT_EQ(picture_.TransparentColor(), RGB(255, 255, 255));
    EXPECT_TRUE(picture_.Visible());
  }
}

TEST_F(ObjectPreview, AnObjectWithNothingToDrawShowsThePlaceholderAndStillIsTheWorkingObject) {
  const std::string sound = ObjectFileBytes({{CF_WAVE, std::string(64, '\x11')}});
  ASSERT_TRUE(test::WriteFileBytes(settings_.UserFile("0674.obj"), sound));
  ASSERT_TRUE(ShowObjectPreview(picture_, placeholder_, kCode));
  EXPECT_TRUE(placeholder_.Visible());
  EXPECT_FALSE(picture_.Visible());
  EXPECT_EQ(test::ReadFileBytes(settings_.WorkingFile(".obj")), sound)
      << "editing goes on with a copy of the combination's object";
  EXPECT_TRUE(ShowObjectPreview(picture_, placeholder_, kWorkingCopy));
}

TEST_F(ObjectPreview, ADamagedMetafileIsNotDrawnAndNoFileIsNoObject) {
  std::string damaged = test::SampleEnhMetafileBits();
  damaged.resize(damaged.size() - 20);  // the end-of-file record cut off
  ASSERT_TRUE(Show({{CF_ENHMETAFILE, damaged}}));
  EXPECT_TRUE(placeholder_.Visible()) << "the cut metafile must not reach the system's playback";

  DeleteFileA(settings_.UserFile("0674.obj").c_str());
  EXPECT_FALSE(ShowObjectPreview(picture_, placeholder_, kCode));
  EXPECT_FALSE(picture_.Visible());
  EXPECT_FALSE(placeholder_.Visible());
  EXPECT_TRUE(picture_.Empty());
}

TEST(MetafilePicture, AHugeFrameIsScaledDownToTheLargestSideKeepingItsShape) {
  HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  Rectangle(recorder, 0, 0, 10, 10);
  HENHMETAFILE small = CloseEnhMetaFile(recorder);
  const RECT huge_frame = {0, 0, 2540 * 1000, 2540 * 500};  // 96,000 x 48,000 pixels
  recorder = CreateEnhMetaFileA(nullptr, nullptr, &huge_frame, nullptr);
  Rectangle(recorder, 0, 0, 10, 10);
  HENHMETAFILE huge = CloseEnhMetaFile(recorder);

  SIZE size = {};
  ASSERT_TRUE(MetafilePictureSize(huge, size));
  EXPECT_EQ(size.cx, kMetafilePictureMaxSide);
  EXPECT_EQ(size.cy, kMetafilePictureMaxSide / 2);
  ASSERT_TRUE(MetafilePictureSize(small, size));
  EXPECT_GE(size.cx, 1);
  EXPECT_LE(size.cx, 64);
  EXPECT_FALSE(MetafilePictureSize(nullptr, size));
  DeleteEnhMetaFile(small);
  DeleteEnhMetaFile(huge);
}

}  // namespace
}  // namespace talo

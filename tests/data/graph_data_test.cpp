// Picture slots of the graphics data: which records give a bitmap, their bitmap information and
// the colours of the decoded pictures.
#include "data/graph_data.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "tests/support/bitmap_pixels.h"
#include "tests/support/unique_name.h"

namespace talo {
namespace {

constexpr int kViewSize = 100196;

struct Record {
  std::int32_t size;
  std::int32_t width;
  std::int32_t height;
  std::uint16_t bits;
};

// A 31 x 31 picture at 4 bits per pixel: rows of 16 bytes.
constexpr Record kPlainKey = {496, 31, 31, 4};
constexpr int kPlainKeyOffset = 4096;

class PictureSlots : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenView(data_, kViewSize)); }

  static bool OpenView(TGraphicsData& data, int size) {
    DataHeaderTemplate header;
    FillHeaderTemplate(header, kGraphicsDataKind, "0.1.0.0", "");
    return data.CreateWithHeader(test::UniqueName("graphics").c_str(), size, &header);
  }

  static void PutInt32(TGraphicsData& data, int at, std::int32_t value) {
    std::memcpy(data.View() + at, &value, sizeof value);
  }
  static void PutOffset(TGraphicsData& data, int slot, std::int32_t offset) {
    PutInt32(data, 1024 + 4 * slot, offset);
  }
  static void PutRecord(TGraphicsData& data, int slot, int offset, const Record& record) {
    PutOffset(data, slot, offset);
    PutInt32(data, offset, record.size);
    PutInt32(data, offset + 4, record.width);
    PutInt32(data, offset + 8, record.height);
    std::memcpy(data.View() + offset + 12, &record.bits, sizeof record.bits);
  }
  void PutRecord(int slot, int offset, const Record& record) {
    PutRecord(data_, slot, offset, record);
  }
  void PutPixels(int offset, const std::string& bytes) {
    std::memcpy(data_.View() + offset + 16, bytes.data(), bytes.size());
  }

  // The bitmap of the slot, or a 0 x 0 picture when there is none.
  test::BitmapPixels Decode(int slot) {
    HBITMAP bitmap = data_.CreatePictureBitmap(slot, screen_.get());
    test::BitmapPixels pixels = test::ReadBitmapPixels(bitmap);
    if (bitmap) DeleteObject(bitmap);
    return pixels;
  }

  // No bitmap, and bitmap information of 0 bytes with the output zeroed.
  void ExpectRefused(int slot) {
    PictureBitmapInfo info;
    std::memset(&info, 0xAB, sizeof info);
    EXPECT_EQ(data_.PictureInfo(info, slot), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&info), sizeof info),
              std::string(sizeof info, '\0'));
    HBITMAP bitmap = data_.CreatePictureBitmap(slot, screen_.get());
    EXPECT_EQ(bitmap, nullptr);
    if (bitmap) DeleteObject(bitmap);
  }

  TGraphicsData data_;
  test::ScreenDC screen_;
};

TEST_F(PictureSlots, SlotsOutsideTheTableHaveNoPicture) {
  PutRecord(0, kPlainKeyOffset, kPlainKey);
  PutRecord(255, kPlainKeyOffset, kPlainKey);
  EXPECT_EQ(Decode(0).width, 31);
  EXPECT_EQ(Decode(255).width, 31);
  for (int slot : {-1, 256, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(slot);
    int offset = -7;
    EXPECT_FALSE(data_.PictureOffset(offset, slot));
    EXPECT_EQ(offset, 0);
    ExpectRefused(slot);
  }
}

TEST_F(PictureSlots, OffsetsMustLeaveRoomForARecordInsideTheView) {
  struct Case {
    std::int32_t offset;
    bool usable;
  };
  const Case cases[] = {{0, false},       {-1, false},     {1024, false},   {2047, false},
                        {2048, true},     {100179, true},  {100180, false}, {100196, false},
                        {INT_MAX, false}, {INT_MIN, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    PutOffset(data_, 65, c.offset);
    int offset = -7;
    EXPECT_EQ(data_.PictureOffset(offset, 65), c.usable);
    EXPECT_EQ(offset, c.usable ? c.offset : 0);
    if (!c.usable) ExpectRefused(65);
  }
}

TEST_F(PictureSlots, ARecordAtTheVeryEndOfTheViewDecodes) {
  PutRecord(65, kViewSize - 16 - 496, kPlainKey);
  EXPECT_EQ(Decode(65).height, 31);
  // One pixel of one bit still needs a padded row of 4 bytes.
  PutRecord(66, 100176, {4, 1, 1, 1});
  EXPECT_EQ(Decode(66).width, 1);
  PutRecord(67, 100179, {1, 1, 1, 1});
  ExpectRefused(67);
}

TEST_F(PictureSlots, RecordsWithBadFieldsGiveNoBitmapAndLeaveOtherSlotsAlone) {
  const int room = kViewSize - kPlainKeyOffset - 16;
  struct Case {
    const char* what;
    Record record;
  };
  const Case cases[] = {
      {"no data", {0, 31, 31, 4}},
      {"negative data size", {-1, 31, 31, 4}},
      {"data running past the view", {room + 1, 31, 31, 4}},
      {"width 0", {496, 0, 31, 4}},
      {"negative width", {496, -31, 31, 4}},
      {"width 65536", {room, 65536, 1, 1}},
      {"height 0", {496, 31, 0, 4}},
      {"top-down rows", {496, 31, -31, 4}},
      {"height 65536", {room, 1, 65536, 1}},
      {"0 bits per pixel", {496, 31, 31, 0}},
      {"2 bits per pixel", {496, 31, 31, 2}},
      {"8 bits per pixel", {992, 31, 31, 8}},
      {"16 bits per pixel", {2000, 31, 31, 16}},
      {"32 bits per pixel", {4000, 31, 31, 32}},
      {"rows one byte longer than the data", {495, 31, 31, 4}},
      {"rows far beyond the view", {room, 1000, 1000, 24}},
      // 196608 bytes a row: the row total wraps to a negative signed 32-bit number...
      {"65535 x 65535 at 24 bits", {room, 65535, 65535, 24}},
      // ... and here to 65536 in unsigned 32-bit arithmetic, less than the data.
      {"65535 x 43691 at 24 bits", {room, 65535, 43691, 24}},
  };
  PutRecord(66, 2048, kPlainKey);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PutRecord(65, kPlainKeyOffset, c.record);
    int offset = 0;
    EXPECT_TRUE(data_.PictureOffset(offset, 65));
    ExpectRefused(65);
    EXPECT_EQ(Decode(66).width, 31);
  }
}

TEST_F(PictureSlots, TheLargestAllowedSidesDecodeWhenTheirRowsFit) {
  // 65535 pixels of one bit: a row of 8192 bytes.
  PutRecord(65, kPlainKeyOffset, {8192, 65535, 1, 1});
  test::BitmapPixels wide = Decode(65);
  EXPECT_EQ(wide.width, 65535);
  EXPECT_EQ(wide.height, 1);
  PutRecord(66, 20000, {4 * 20000, 1, 20000, 4});
  EXPECT_EQ(Decode(66).height, 20000);
}

TEST_F(PictureSlots, ViewsTooSmallForTableAndRecordHaveNoPictures) {
  for (int size : {2064, 2065}) {
    SCOPED_TRACE(size);
    TGraphicsData small;
    ASSERT_TRUE(OpenView(small, size));
    PutOffset(small, 65, 2048);
    int offset = 0;
    EXPECT_EQ(small.PictureOffset(offset, 65), size == 2065);
  }
  TGraphicsData closed;
  int offset = 0;
  EXPECT_FALSE(closed.PictureOffset(offset, 65));
  PictureBitmapInfo info;
  EXPECT_EQ(closed.PictureInfo(info, 65), 0);
  EXPECT_EQ(closed.CreatePictureBitmap(65, screen_.get()), nullptr);
}

TEST_F(PictureSlots, BitmapInformationFollowsTheRecordWithTheFixedColourTable) {
  struct RGB3 {
    int red, green, blue;
  };
  const RGB3 sixteen[16] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                            {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  const RGB3 two[2] = {{0, 0, 0}, {255, 255, 255}};
  struct Case {
    Record record;
    int filled;
    const RGB3* colors;
    int color_count;
  };
  const Case cases[] = {{{124, 31, 31, 1}, 48, two, 2},
                        {{500, 31, 31, 4}, 104, sixteen, 16},
                        {{2976, 31, 31, 24}, 40, nullptr, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record.bits);
    PutRecord(65, kPlainKeyOffset, c.record);
    PictureBitmapInfo info;
    std::memset(&info, 0xAB, sizeof info);
    ASSERT_EQ(data_.PictureInfo(info, 65), c.filled);
    EXPECT_EQ(info.header.biSize, 40u);
    EXPECT_EQ(info.header.biWidth, 31);
    EXPECT_EQ(info.header.biHeight, 31);
    EXPECT_EQ(info.header.biPlanes, 1);
    EXPECT_EQ(info.header.biBitCount, c.record.bits);
    EXPECT_EQ(info.header.biCompression, 0u);
    EXPECT_EQ(info.header.biSizeImage, static_cast<DWORD>(c.record.size));
    EXPECT_EQ(info.header.biXPelsPerMeter, 3780);
    EXPECT_EQ(info.header.biYPelsPerMeter, 3780);
    EXPECT_EQ(info.header.biClrUsed, 0u);
    EXPECT_EQ(info.header.biClrImportant, 0u);
    for (int i = 0; i < c.color_count; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(info.colors[i].rgbRed, c.colors[i].red);
      EXPECT_EQ(info.colors[i].rgbGreen, c.colors[i].green);
      EXPECT_EQ(info.colors[i].rgbBlue, c.colors[i].blue);
      EXPECT_EQ(info.colors[i].rgbReserved, 0);
    }
  }
}

TEST_F(PictureSlots, DecodedPicturesShowTheirColoursBottomRowFirst) {
  // 4 bits: bottom row silver (7) and red (9), top row blue (12) and white (15).
  PutRecord(65, kPlainKeyOffset, {8, 2, 2, 4});
  PutPixels(kPlainKeyOffset, std::string("\x79\0\0\0\xCF\0\0\0", 8));
  // 1 bit: black then white.
  PutRecord(66, 8192, {4, 2, 1, 1});
  PutPixels(8192, std::string("\x40\0\0\0", 4));
  // 24 bits: blue, green, red bytes.
  PutRecord(67, 12288, {4, 1, 1, 24});
  PutPixels(12288, std::string("\x11\x22\x33\0", 4));

  test::BitmapPixels four = Decode(65);
  ASSERT_EQ(four.width, 2);
  ASSERT_EQ(four.height, 2);
  EXPECT_EQ(four.At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(four.At(1, 0), RGB(255, 255, 255));
  EXPECT_EQ(four.At(0, 1), RGB(192, 192, 192));
  EXPECT_EQ(four.At(1, 1), RGB(255, 0, 0));

  test::BitmapPixels one = Decode(66);
  ASSERT_EQ(one.width, 2);
  EXPECT_EQ(one.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(one.At(1, 0), RGB(255, 255, 255));

  test::BitmapPixels true_colour = Decode(67);
  ASSERT_EQ(true_colour.width, 1);
  EXPECT_EQ(true_colour.At(0, 0), RGB(0x33, 0x22, 0x11));
}

}  // namespace
}  // namespace talo

// The shipped "Graphics.dat" of the build: a picture for every image the forms show, at the size
// of the image, and nothing in the slots no form uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "data/graph_data.h"
#include "tests/support/bitmap_pixels.h"
#include "tests/support/win_driver.h"

namespace talo {
namespace {

struct Size {
  int width;
  int height;
};

// Every picture slot the forms use with the size of its images, from the form layouts: the
// keyboard of the main window and the key picture and content boxes of the assignment editor.
std::map<int, Size> ExpectedPictures() {
  std::map<int, Size> pictures;
  const int plain_keys[] = {19,  27,  33,  34,  35,  36,  37,  38,  39,  40,  44,  45,  46,
                            97,  98,  99,  100, 101, 102, 103, 104, 105, 106, 109, 110, 111,
                            144, 145, 186, 187, 188, 189, 190, 191, 192, 219, 221, 222};
  for (int slot : plain_keys) pictures[slot] = {31, 31};
  for (int slot = 48; slot <= 57; ++slot) pictures[slot] = {31, 31};
  for (int slot = 65; slot <= 90; ++slot) pictures[slot] = {31, 31};
  for (int slot = 112; slot <= 123; ++slot) pictures[slot] = {31, 31};
  const std::pair<int, Size> special_keys[] = {
      {8, {63, 31}},  {9, {47, 31}},  {13, {71, 31}}, {14, {31, 63}},  {15, {87, 31}},
      {16, {71, 31}}, {17, {39, 31}}, {18, {39, 31}}, {20, {55, 31}},  {32, {199, 31}},
      {91, {39, 31}}, {93, {39, 31}}, {96, {63, 31}}, {107, {31, 63}}, {220, {47, 31}}};
  for (const auto& [slot, size] : special_keys) pictures[slot] = size;
  const std::pair<int, Size> frames[] = {{160, {18, 243}}, {161, {735, 243}}, {162, {18, 243}},
                                         {163, {18, 67}},  {164, {351, 67}},  {165, {18, 67}},
                                         {166, {196, 196}}};
  for (const auto& [slot, size] : frames) pictures[slot] = size;
  return pictures;
}

bool IsKey(int slot) { return slot < 160; }

class ShippedGraphics : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(data_.CreateView());
    ASSERT_TRUE(data_.LoadFile(test::InstallFolder().c_str()))
        << "the build writes Graphics.dat into " << test::InstallFolder();
  }

  test::BitmapPixels Decode(int slot) {
    HBITMAP bitmap = data_.CreatePictureBitmap(slot, screen_.get());
    test::BitmapPixels pixels = test::ReadBitmapPixels(bitmap);
    if (bitmap) DeleteObject(bitmap);
    return pixels;
  }

  TTaloGraphData data_;
  test::ScreenDC screen_;
};

TEST_F(ShippedGraphics, EverySlotAFormUsesDecodesAtItsImagesSizeAndNoOtherSlotHasAPicture) {
  const std::map<int, Size> expected = ExpectedPictures();
  ASSERT_EQ(expected.size(), 108u);  // 101 keys, 3 keyboard frame pieces, 3 editor pieces, focus
  for (int slot = 0; slot < 256; ++slot) {
    SCOPED_TRACE(slot);
    test::BitmapPixels picture = Decode(slot);
    auto wanted = expected.find(slot);
    if (wanted == expected.end()) {
      EXPECT_EQ(picture.width, 0);
      continue;
    }
    EXPECT_EQ(picture.width, wanted->second.width);
    EXPECT_EQ(picture.height, wanted->second.height);
  }
}

TEST_F(ShippedGraphics, RecordsLieSideBySideWithinTheFile) {
  std::vector<std::pair<int, int>> records;  // offset, end
  for (int slot = 0; slot < 256; ++slot) {
    int offset = 0;
    if (!data_.PictureOffset(offset, slot)) continue;
    std::int32_t size;
    std::memcpy(&size, data_.View() + offset, sizeof size);
    records.push_back({offset, offset + 16 + size});
  }
  ASSERT_FALSE(records.empty());
  std::sort(records.begin(), records.end());
  EXPECT_GE(records.front().first, 2048);
  for (size_t i = 1; i < records.size(); ++i) EXPECT_LE(records[i - 1].second, records[i].first);
  EXPECT_LE(records.back().second, 100196);
}

TEST_F(ShippedGraphics, KeyPicturesAreRaisedCapsWithABlackLabelOnASilverFace) {
  const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), grey = RGB(128, 128, 128),
                 silver = RGB(192, 192, 192);
  for (const auto& [slot, size] : ExpectedPictures()) {
    if (!IsKey(slot)) continue;
    SCOPED_TRACE(slot);
    test::BitmapPixels key = Decode(slot);
    ASSERT_EQ(key.width, size.width);
    const int middle_x = key.width / 2, middle_y = key.height / 2;
    EXPECT_EQ(key.At(middle_x, 0), black);
    EXPECT_EQ(key.At(0, middle_y), black);
    EXPECT_EQ(key.At(middle_x, 1), white);
    EXPECT_EQ(key.At(1, middle_y), white);
    EXPECT_EQ(key.At(middle_x, key.height - 2), grey);
    EXPECT_EQ(key.At(key.width - 2, middle_y), grey);
    EXPECT_EQ(key.At(3, 3), silver);
    int label_pixels = 0;
    for (int y = 2; y < key.height - 3; ++y)
      for (int x = 2; x < key.width - 2; ++x) label_pixels += key.At(x, y) == black;
    EXPECT_GE(label_pixels, 3);
  }
}

TEST_F(ShippedGraphics, KeysOfTheSameSizeLookDifferent) {
  std::map<std::vector<COLORREF>, int> seen;
  for (const auto& [slot, size] : ExpectedPictures()) {
    if (!IsKey(slot)) continue;
    auto [where, added] = seen.emplace(Decode(slot).pixels, slot);
    // Shift and right Shift, and Enter and keypad Enter, differ in size; nothing else is alike.
    EXPECT_TRUE(added) << "slot " << slot << " looks like slot " << where->second;
  }
}

}  // namespace
}  // namespace talo

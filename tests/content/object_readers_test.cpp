// Reading single formats of object files for previews, and the text picture.
#include "content/object_readers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/unique.h"
#include "base/wide_text.h"
#include "content/text_picture.h"
#include "tests/support/object_records.h"
#include "tests/support/temp_folder.h"

namespace talo {
namespace {

using test::ObjectFileBytes;
using test::ObjectRecord;
using test::SampleDib;
using test::WriteFileBytes;

const UINT kFormatA = RegisterClipboardFormatA("Talo Test Format A");

class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

struct BitmapShape {
  int width = 0, height = 0;
};
BitmapShape ShapeOf(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {};
  return {info.bmWidth, info.bmHeight};
}

class ObjectReaders : public ::testing::Test {
 protected:
  std::string Write(const std::vector<ObjectRecord>& records) {
    const std::string path = folder_.File("object.obj");
    EXPECT_TRUE(WriteFileBytes(path, ObjectFileBytes(records)));
    return path;
  }
  HBITMAP Bitmap(const std::string& dib) {
    bitmap_.reset(
        ReadObjectBitmap(Write({{kFormatA, "before"}, {CF_DIB, dib}}).c_str(), dc_.get()));
    return static_cast<HBITMAP>(bitmap_.get());
  }
  test::TempFolder folder_;
  ScreenDc dc_;
  GdiObject bitmap_;
};

TEST_F(ObjectReaders, BitmapReadsUncompressedDibsOf1To24Bits) {
  for (int bits : {1, 4, 8, 24}) {
    SCOPED_TRACE(bits);
    BitmapShape shape = ShapeOf(Bitmap(SampleDib(5, 3, bits)));
    EXPECT_EQ(shape.width, 5);
    EXPECT_EQ(shape.height, 3);
  }
  BitmapShape top_down = ShapeOf(Bitmap(SampleDib(4, -2, 24)));
  EXPECT_EQ(top_down.height, 2);
}

TEST_F(ObjectReaders, BitmapDrawsThePixelsOfTheDib) {
  HBITMAP bitmap = Bitmap(SampleDib(2, 2, 24, 0xFF));
  ASSERT_NE(bitmap, nullptr);
  HDC memory = CreateCompatibleDC(dc_.get());
  HGDIOBJ old = SelectObject(memory, bitmap);
  EXPECT_EQ(GetPixel(memory, 1, 1), RGB(255, 255, 255));
  SelectObject(memory, old);
  DeleteDC(memory);
}

TEST_F(ObjectReaders, BitmapRefusesOtherKindsAndDibsShorterThanTheirPixels) {
  auto with = [](std::string dib, auto change) {
    change(*reinterpret_cast<BITMAPINFOHEADER*>(&dib[0]));
    return dib;
  };
  const std::string dib24 = SampleDib(8, 8, 24);
  const std::string refused[] = {
      SampleDib(8, 8, 16),
      SampleDib(8, 8, 32),
      with(SampleDib(8, 8, 32), [](BITMAPINFOHEADER& h) { h.biCompression = BI_BITFIELDS; }),
      with(dib24, [](BITMAPINFOHEADER& h) { h.biPlanes = 2; }),
      with(dib24, [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }),
      with(dib24, [](BITMAPINFOHEADER& h) { h.biBitCount = 0; }),
      with(dib24, [](BITMAPINFOHEADER& h) { h.biSize = 124; }),
      with(dib24, [](BITMAPINFOHEADER& h) { h.biHeight = 9; }),
      with(dib24, [](BITMAPINFOHEADER& h) { h.biWidth = 9; }),
      with(dib24, [](BITMAPINFOHEADER& h) { h.biHeight = 0x7FFFFFFF; }),
      with(dib24, [](BITMAPINFOHEADER& h) { h.biHeight = LONG(0x80000000); }),
      with(dib24, [](BITMAPINFOHEADER& h) { h.biWidth = 0x7FFFFFFF; }),
      with(dib24, [](BITMAPINFOHEADER& h) { h.biWidth = -8; }),
      with(SampleDib(8, 8, 8), [](BITMAPINFOHEADER& h) { h.biHeight = 40; }),
      dib24.substr(0, 39),
      dib24.substr(0, dib24.size() - 1),
  };
  for (size_t i = 0; i < std::size(refused); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Bitmap(refused[i]), nullptr);
  }
}

TEST_F(ObjectReaders, MetafileReadsTheFirstEnhancedMetafile) {
  const std::string bits = test::SampleEnhMetafileBits();
  HENHMETAFILE metafile =
      ReadObjectMetafile(Write({{CF_TEXT, "x"}, {CF_ENHMETAFILE, bits}}).c_str());
  ASSERT_NE(metafile, nullptr);
  EXPECT_EQ(GetEnhMetaFileBits(metafile, 0, nullptr), bits.size());
  DeleteEnhMetaFile(metafile);

  std::string damaged = bits;
  damaged[40] ^= 0x55;  // the signature
  EXPECT_EQ(ReadObjectMetafile(Write({{CF_ENHMETAFILE, damaged}}).c_str()), nullptr);
  EXPECT_EQ(ReadObjectMetafile(Write({{CF_ENHMETAFILE, bits.substr(0, 60)}}).c_str()), nullptr);
  EXPECT_EQ(ReadObjectMetafile(Write({{CF_TEXT, "no metafile"}}).c_str()), nullptr);
}

TEST_F(ObjectReaders, TextReadsTheFirstTextCutToTheCapacity) {
  const std::string path = Write(
      {{kFormatA, "a"}, {CF_TEXT, std::string("first caf\xe9\0\0\0", 13)}, {CF_TEXT, "second"}});
  wchar_t text[64];
  EXPECT_EQ(ReadObjectText(text, path.c_str(), 64), 10);
  EXPECT_STREQ(text, L"first caf\u00e9");
  wchar_t small[6];
  EXPECT_EQ(ReadObjectText(small, path.c_str(), 6), 5);
  EXPECT_STREQ(small, L"first");
  EXPECT_EQ(ReadObjectText(text, folder_.File("missing.obj").c_str(), 64), 0);
  EXPECT_STREQ(text, L"");

  // A snapshot of a Unicode text: its own text, not the code page's stand-in made from it.
  const wchar_t greek[] = L"\u0391\u03b8\u03ae \U0001F600";
  const std::string unicode(reinterpret_cast<const char*>(greek), sizeof greek);
  EXPECT_EQ(
      ReadObjectText(text, Write({{CF_TEXT, "??? ??"}, {CF_UNICODETEXT, unicode}}).c_str(), 64), 6);
  EXPECT_STREQ(text, greek);
}

TEST_F(ObjectReaders, TheScanIsStrictAboutEveryRecordBeforeTheWantedOne) {
  wchar_t text[64] = L"old";
  const std::vector<std::vector<ObjectRecord>> broken = {
      {{CF_BITMAP, "handle"}, {CF_TEXT, "text"}},
      {{kFormatA, ""}, {CF_TEXT, "text"}},
      {{0, "zero"}, {CF_TEXT, "text"}},
      {{0x2FF, "private"}, {CF_TEXT, "text"}},
  };
  for (const auto& records : broken) {
    EXPECT_EQ(ReadObjectText(text, Write(records).c_str(), 64), 0);
    EXPECT_STREQ(text, L"");
  }
  // A count running past the end of the file, and one that would move the scan backwards if it
  // were taken as a signed distance.
  std::string bytes = ObjectFileBytes({{kFormatA, "abcd"}, {CF_TEXT, "text"}});
  for (std::uint32_t count : {5u, 0x7FFFFFFFu, 0xFFFFFFF4u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(count);
    std::memcpy(&bytes[4], &count, 4);
    ASSERT_TRUE(WriteFileBytes(folder_.File("bad.obj"), bytes));
    EXPECT_EQ(ReadObjectText(text, folder_.File("bad.obj").c_str(), 64), 0);
  }
}

TEST_F(ObjectReaders, FileListShowsTheFileNamePartsOneALine) {
  char list[256];
  const std::string path =
      Write({{CF_HDROP, test::FileListBytes({"C:\\Data\\report.doc", "D:\\  spaced name.txt  ",
                                             "E:\\Folder\\", "F:"})}});
  const std::string expected = "report.doc\nspaced name.txt\nE:\\Folder\\\nF:\n";
  EXPECT_EQ(ReadObjectFileList(list, path.c_str(), sizeof list), int(expected.size()));
  EXPECT_EQ(std::string(list), expected);

  const std::string wide = Write({{CF_HDROP, test::FileListBytes({"C:\\a\\wide.txt"}, true)}});
  EXPECT_EQ(ReadObjectFileList(list, wide.c_str(), sizeof list), 9);
  EXPECT_EQ(std::string(list), "wide.txt\n");
}

TEST_F(ObjectReaders, FileListStopsAtTheCapacityKeepingTheTerminator) {
  const std::string path = Write({{CF_HDROP, test::FileListBytes({"C:\\abcdef", "C:\\ghijkl"})}});
  char list[10];
  EXPECT_EQ(ReadObjectFileList(list, path.c_str(), sizeof list), 9);
  EXPECT_EQ(std::string(list), "abcdef\ngh");
}

TEST_F(ObjectReaders, FileListRefusesABlockWhoseListLiesOutsideIt) {
  std::string drop = test::FileListBytes({"C:\\file.txt"});
  char list[64] = "old";
  for (DWORD offset : {DWORD(0), DWORD(19), DWORD(drop.size()), DWORD(0x7FFFFFFF)}) {
    SCOPED_TRACE(offset);
    std::memcpy(&drop[0], &offset, 4);
    EXPECT_EQ(ReadObjectFileList(list, Write({{CF_HDROP, drop}}).c_str(), sizeof list), 0);
    EXPECT_STREQ(list, "");
  }
  // A list without its terminators ends at the end of the record.
  std::string unterminated = test::FileListBytes({"C:\\file.txt"});
  unterminated.resize(unterminated.size() - 2);
  EXPECT_EQ(ReadObjectFileList(list, Write({{CF_HDROP, unterminated}}).c_str(), sizeof list), 9);
  EXPECT_STREQ(list, "file.txt\n");
}

TEST(TextPicture, AListOf20FilesShows11NamesAndThenDots) {
  test::TempFolder folder;
  std::vector<std::string> paths;
  for (int i = 1; i <= 20; ++i) paths.push_back("C:\\Files\\name" + std::to_string(i) + ".txt");
  const std::string path = folder.File("list.obj");
  ASSERT_TRUE(WriteFileBytes(path, ObjectFileBytes({{CF_HDROP, test::FileListBytes(paths)}})));
  char list[4096];
  ASSERT_GT(ReadObjectFileList(list, path.c_str(), sizeof list), 0);

  TextPictureLines lines;
  const std::wstring wide_list = WidenAnsi(list);
  ASSERT_EQ(LayOutTextPicture(wide_list.c_str(), lines), 12);
  for (int i = 0; i < 11; ++i)
    EXPECT_EQ(std::wstring(lines.start[i], lines.length[i]),
              L"name" + std::to_wstring(i + 1) + L".txt");
  EXPECT_EQ(std::wstring(lines.start[11], lines.length[11]), L"...");
}

TEST(TextPicture, LinesSplitAtControlCharactersAndEmptyOnesVanish) {
  TextPictureLines lines;
  ASSERT_EQ(LayOutTextPicture(L"\r\none\r\n\r\ntwo\tthree\x01", lines), 3);
  EXPECT_EQ(std::wstring(lines.start[0], lines.length[0]), L"one");
  EXPECT_EQ(std::wstring(lines.start[1], lines.length[1]), L"two");
  EXPECT_EQ(std::wstring(lines.start[2], lines.length[2]), L"three");
  std::wstring twelve;
  for (int i = 0; i < 12; ++i) twelve += L"line\n";
  ASSERT_EQ(LayOutTextPicture(twelve.c_str(), lines), 12);
  EXPECT_EQ(std::wstring(lines.start[11], lines.length[11]), L"line") << "no dots without a 13th";
  EXPECT_EQ(LayOutTextPicture(L"\r\n\t", lines), 0);
  EXPECT_EQ(LayOutTextPicture(nullptr, lines), 0);
}

TEST(TextPicture, IsAWhite194PixelSquareWithTheLinesDrawnFromTheTop) {
  ScreenDc dc;
  EXPECT_EQ(CreateTextPicture(dc.get(), L"\r\n", nullptr), nullptr);
  GdiObject picture(CreateTextPicture(dc.get(), L"WWWW\nWWWW", nullptr));
  ASSERT_TRUE(picture);
  BitmapShape shape = ShapeOf(static_cast<HBITMAP>(picture.get()));
  EXPECT_EQ(shape.width, 194);
  EXPECT_EQ(shape.height, 194);

  HDC memory = CreateCompatibleDC(dc.get());
  HGDIOBJ old = SelectObject(memory, picture.get());
  auto dark_pixels_in_rows = [&](int top, int bottom) {
    int dark = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < 194; ++x)
        if (GetPixel(memory, x, y) != RGB(255, 255, 255)) ++dark;
    return dark;
  };
  EXPECT_GT(dark_pixels_in_rows(1, 17), 0);
  EXPECT_GT(dark_pixels_in_rows(17, 33), 0);
  EXPECT_EQ(dark_pixels_in_rows(40, 194), 0);
  SelectObject(memory, old);
  DeleteDC(memory);
}

}  // namespace
}  // namespace talo

// Damaged object files, generated from one sound file: cut at every byte, counts and format ids
// replaced, random bytes changed. Restoring and reading them must never crash or read past what
// the file holds, and must give exactly the results a stop at the damage gives.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "content/clipboard_object.h"
#include "content/object_readers.h"
#include "tests/support/object_records.h"
#include "tests/support/temp_folder.h"

namespace talo {
namespace {

using test::ClipboardBytes;
using test::ClipboardFormats;
using test::ObjectFileBytes;
using test::ObjectRecord;
using test::WriteFileBytes;

const UINT kFormatA = RegisterClipboardFormatA("Talo Test Format A");
const UINT kFormatB = RegisterClipboardFormatA("Talo Test Format B");

const std::vector<ObjectRecord>& SoundRecords() {
  static const std::vector<ObjectRecord> records = {
      {kFormatA, "alpha bytes"},
      {CF_TEXT, std::string("some text\0\0\0", 12)},
      {CF_DIB, test::SampleDib(3, 2, 24)},
      {CF_ENHMETAFILE, test::SampleEnhMetafileBits()},
      {CF_HDROP, test::FileListBytes({"C:\\x\\one.txt", "C:\\two.txt"})},
      {kFormatB, "omega"},
  };
  return records;
}

// Where each record starts in the sound file, and the file's size at the end.
std::vector<size_t> RecordOffsets() {
  std::vector<size_t> offsets = {0};
  for (const ObjectRecord& record : SoundRecords())
    offsets.push_back(offsets.back() + 8 + record.data.size());
  return offsets;
}

// A tiny deterministic generator, so that a failure can be repeated.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  std::uint32_t Below(std::uint32_t limit) { return Next() % limit; }

 private:
  std::uint32_t state_;
};

class DamagedObject : public ::testing::Test {
 protected:
  void SetUp() override { sound_ = ObjectFileBytes(SoundRecords()); }

  std::string Write(const std::string& bytes) {
    EXPECT_TRUE(WriteFileBytes(path_, bytes));
    return path_;
  }

  // After a restore that stopped at record `whole`: the records before it are on the clipboard
  // with their very bytes, none after it, and the result says whether anything was set.
  void ExpectRestoredUpTo(const std::string& bytes, size_t whole) {
    const bool restored = RestoreClipboard(Write(bytes).c_str());
    EXPECT_EQ(restored, whole > 0);
    for (size_t i = 0; i < SoundRecords().size(); ++i) {
      const ObjectRecord& record = SoundRecords()[i];
      bool present = false;
      const std::string data = ClipboardBytes(record.format, &present);
      EXPECT_EQ(present, i < whole) << "record " << i;
      if (present && i < whole) {
        EXPECT_EQ(data, record.data) << "record " << i;
      }
    }
  }

  // Runs every reader over the file with guard bytes after each output; what comes back must be
  // a terminated text inside its capacity, or a picture of the size its header gave.
  void ExpectReadersStayInBounds(const std::string& path) {
    constexpr int kCapacity = 64;
    char list[kCapacity + 16];
    std::memset(list, 0x5A, sizeof list);
    const int list_length = ReadObjectFileList(list, path.c_str(), kCapacity);
    EXPECT_TRUE(list_length >= 0 && list_length < kCapacity && list[list_length] == '\0');
    EXPECT_EQ(int(strnlen(list, kCapacity)), list_length);
    for (int i = kCapacity; i < int(sizeof list); ++i) ASSERT_EQ(list[i], 0x5A);
    wchar_t text[kCapacity + 16];
    std::wmemset(text, 0x5A5A, kCapacity + 16);
    const int text_length = ReadObjectText(text, path.c_str(), kCapacity);
    EXPECT_TRUE(text_length >= 0 && text_length < kCapacity && text[text_length] == L'\0');
    EXPECT_EQ(int(wcsnlen(text, kCapacity)), text_length);
    for (int i = kCapacity; i < kCapacity + 16; ++i) ASSERT_EQ(text[i], 0x5A5A);
    HDC screen = GetDC(nullptr);
    if (HBITMAP bitmap = ReadObjectBitmap(path.c_str(), screen)) {
      BITMAP info = {};
      GetObjectA(bitmap, sizeof info, &info);
      EXPECT_GT(info.bmWidth, 0);
      EXPECT_GT(info.bmHeight, 0);
      DeleteObject(bitmap);
    }
    ReleaseDC(nullptr, screen);
    if (HENHMETAFILE metafile = ReadObjectMetafile(path.c_str())) DeleteEnhMetaFile(metafile);
  }

  std::string sound_;
  test::TempFolder folder_;
  std::string path_ = folder_.File("damaged.obj");
};

TEST_F(DamagedObject, TheSoundFileRestoresWhole) {
  ExpectRestoredUpTo(sound_, SoundRecords().size());
}

TEST_F(DamagedObject, AFileCutAtAnyByteKeepsTheWholeRecordsBeforeTheCut) {
  const std::vector<size_t> offsets = RecordOffsets();
  for (size_t cut = 0; cut < sound_.size(); ++cut) {
    SCOPED_TRACE(testing::Message() << "cut at " << cut);
    size_t whole = 0;
    while (whole + 1 < offsets.size() && offsets[whole + 1] <= cut) ++whole;
    ExpectRestoredUpTo(sound_.substr(0, cut), whole);
    ExpectReadersStayInBounds(path_);
    if (HasFailure()) return;
  }
}

TEST_F(DamagedObject, ABadCountStopsTheRestoreAtItsRecord) {
  const std::vector<size_t> offsets = RecordOffsets();
  for (size_t i = 0; i < SoundRecords().size(); ++i) {
    const std::uint32_t beyond = std::uint32_t(sound_.size() - offsets[i] - 8 + 1);
    for (std::uint32_t count : {0u, 0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, beyond}) {
      SCOPED_TRACE(testing::Message() << "record " << i << " count " << count);
      std::string bytes = sound_;
      std::memcpy(&bytes[offsets[i] + 4], &count, 4);
      ExpectRestoredUpTo(bytes, i);
      ExpectReadersStayInBounds(path_);
    }
  }
}

TEST_F(DamagedObject, AForeignFormatIdStopsTheRestoreAtItsRecord) {
  const UINT data_object = RegisterClipboardFormatA("DATAOBJECT");
  const std::vector<size_t> offsets = RecordOffsets();
  for (size_t i = 0; i < SoundRecords().size(); ++i) {
    for (std::uint32_t format : {0u, 2u, 3u, 9u, 0x80u, 0x83u, 0x8Eu, 0x200u, 0x2FFu, 0x3FFu,
                                 std::uint32_t(data_object)}) {
      SCOPED_TRACE(testing::Message() << "record " << i << " format " << format);
      std::string bytes = sound_;
      std::memcpy(&bytes[offsets[i]], &format, 4);
      ExpectRestoredUpTo(bytes, i);
      ExpectReadersStayInBounds(path_);
    }
  }
}

TEST_F(DamagedObject, DamagedDibHeadersNeverGiveABitmapTheBytesCannotHold) {
  const size_t dib_at = RecordOffsets()[2] + 8;
  const size_t dib_size = SoundRecords()[2].data.size();
  Random random(20240601);
  HDC screen = GetDC(nullptr);
  for (int round = 0; round < 400; ++round) {
    std::string bytes = sound_;
    BITMAPINFOHEADER* header = reinterpret_cast<BITMAPINFOHEADER*>(&bytes[dib_at]);
    // Mostly plausible values, now and then wild ones.
    switch (random.Below(5)) {
      case 0:
        header->biWidth = LONG(random.Below(8)) - 1 + (random.Below(4) == 0 ? 0x10000 : 0);
        break;
      case 1:
        header->biHeight = LONG(random.Below(9)) - 4 + (random.Below(4) == 0 ? 0x7FFF0000 : 0);
        break;
      case 2:
        header->biBitCount =
            WORD(std::initializer_list<int>{0, 1, 4, 8, 16, 24, 32, 7}.begin()[random.Below(8)]);
        break;
      case 3:
        header->biCompression = random.Below(3) ? BI_RGB : random.Below(6);
        break;
      default:
        bytes[dib_at + random.Below(40)] = char(random.Below(256));
        break;
    }
    const BITMAPINFOHEADER damaged = *header;
    HBITMAP bitmap = ReadObjectBitmap(Write(bytes).c_str(), screen);
    if (!bitmap) continue;
    SCOPED_TRACE(testing::Message() << "round " << round);
    const std::uint64_t table = damaged.biBitCount <= 8 ? 4u << damaged.biBitCount : 0;
    const std::uint64_t stride =
        (std::uint64_t(damaged.biWidth) * damaged.biBitCount + 31) / 32 * 4;
    const std::uint64_t rows =
        damaged.biHeight < 0 ? -std::int64_t(damaged.biHeight) : damaged.biHeight;
    EXPECT_EQ(damaged.biPlanes, 1);
    EXPECT_EQ(damaged.biCompression, DWORD(BI_RGB));
    EXPECT_LE(40 + table + stride * rows, dib_size);
    DeleteObject(bitmap);
  }
  ReleaseDC(nullptr, screen);
}

TEST_F(DamagedObject, RandomDamageNeverCrashesAndTheResultTellsTheClipboard) {
  Random random(7);
  for (int round = 0; round < 500; ++round) {
    SCOPED_TRACE(testing::Message() << "round " << round);
    std::string bytes = sound_;
    const int changes = 1 + int(random.Below(4));
    for (int i = 0; i < changes; ++i)
      bytes[random.Below(std::uint32_t(bytes.size()))] = char(random.Next());
    if (random.Below(4) == 0) bytes.resize(random.Below(std::uint32_t(bytes.size())));
    const bool restored = RestoreClipboard(Write(bytes).c_str());
    EXPECT_EQ(restored, !ClipboardFormats().empty());
    ExpectReadersStayInBounds(path_);
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace talo

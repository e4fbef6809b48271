// The metafile record walk: metafiles GDI draws pass it and survive an object file; damaged copies
// of them reach neither the preview nor the clipboard.
#include "content/metafile_records.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "content/clipboard_object.h"
#include "content/metafile_picture.h"
#include "content/metafile_record_table.h"
#include "content/object_readers.h"
#include "tests/support/object_records.h"
#include "tests/support/temp_folder.h"

namespace talo {
namespace {

using test::ClipboardBytes;
using test::ObjectFileBytes;

const UINT kFormatA = RegisterClipboardFormatA("Talo Test Format A");
const UINT kFormatB = RegisterClipboardFormatA("Talo Test Format B");

// The metafile's 32-bit field at byte `at`; a field beyond the end throws, failing the test.
DWORD Get(const std::string& bits, size_t at) {
  DWORD value;
  bits.at(at + sizeof value - 1);
  std::memcpy(&value, &bits[at], sizeof value);
  return value;
}
void Put(std::string& bits, size_t at, DWORD value) {
  bits.at(at + sizeof value - 1);
  std::memcpy(&bits[at], &value, sizeof value);
}
void Add(std::string& bits, size_t at, DWORD delta) { Put(bits, at, Get(bits, at) + delta); }

// Where each record starts.
std::vector<size_t> RecordStarts(const std::string& bits) {
  std::vector<size_t> starts;
  for (size_t at = 0; at + 8 <= bits.size() && Get(bits, at + 4) >= 8; at += Get(bits, at + 4))
    starts.push_back(at);
  return starts;
}

// The first record of `type`; throws (failing the test) when there is none.
size_t Find(const std::string& bits, DWORD type) {
  for (size_t at : RecordStarts(bits))
    if (Get(bits, at) == type) return at;
  throw std::out_of_range("no record of type " + std::to_string(type));
}

// A record of zeros but for its type and size.
std::string Record(DWORD type, DWORD size) {
  std::string record(size, '\0');
  Put(record, 0, type);
  Put(record, 4, size);
  return record;
}

// Inserts or removes a whole record and keeps the header's byte and record counts true, so that
// only the damage the case is about remains.
void InsertAfterHeader(std::string& bits, const std::string& record) {
  bits.insert(Get(bits, 4), record);
  Add(bits, offsetof(ENHMETAHEADER, nBytes), DWORD(record.size()));
  Add(bits, offsetof(ENHMETAHEADER, nRecords), 1);
}
void Remove(std::string& bits, size_t at) {
  const DWORD size = Get(bits, at + 4);
  bits.erase(at, size);
  Add(bits, offsetof(ENHMETAHEADER, nBytes), DWORD(-size));
  Add(bits, offsetof(ENHMETAHEADER, nRecords), DWORD(-1));
}

// Sets `mode` with a window of 1 x 1 and a viewport of 1000 x 1000 after the header.
void InsertMapping(std::string& bits, DWORD mode) {
  std::string viewport = Record(EMR_SETVIEWPORTEXTEX, sizeof(EMRSETVIEWPORTEXTEX));
  Put(viewport, offsetof(EMRSETVIEWPORTEXTEX, szlExtent), 1000);
  Put(viewport, offsetof(EMRSETVIEWPORTEXTEX, szlExtent) + 4, 1000);
  std::string window = Record(EMR_SETWINDOWEXTEX, sizeof(EMRSETWINDOWEXTEX));
  Put(window, offsetof(EMRSETWINDOWEXTEX, szlExtent), 1);
  Put(window, offsetof(EMRSETWINDOWEXTEX, szlExtent) + 4, 1);
  std::string mapping = Record(EMR_SETMAPMODE, sizeof(EMRSETMAPMODE));
  Put(mapping, offsetof(EMRSETMAPMODE, iMode), mode);
  InsertAfterHeader(bits, viewport);
  InsertAfterHeader(bits, window);
  InsertAfterHeader(bits, mapping);
}

std::string Bits(HENHMETAFILE metafile) {
  std::string bits(GetEnhMetaFileBits(metafile, 0, nullptr), '\0');
  GetEnhMetaFileBits(metafile, UINT(bits.size()), reinterpret_cast<BYTE*>(&bits[0]));
  return bits;
}

// A metafile of the kinds of drawing that clipboard pictures hold: lines and shapes with a pen and
// a brush of their own, a region, text with advances, and bitmaps stretched and set.
const std::string& DrawnMetafile() {
  static const std::string bits = [] {
    HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HPEN pen = CreatePen(PS_DASH, 1, RGB(200, 0, 0));
    HGDIOBJ old_pen = SelectObject(recorder, pen);
    MoveToEx(recorder, 2, 2, nullptr);
    LineTo(recorder, 90, 60);
    Rectangle(recorder, 10, 10, 60, 40);
    const POINT points[] = {{5, 5}, {40, 8}, {20, 30}, {70, 70}, {90, 75}, {80, 95}};
    const INT counts[] = {3, 3};
    Polygon(recorder, points, 3);
    PolyPolygon(recorder, points, counts, 2);
    SelectObject(recorder, old_pen);
    DeleteObject(pen);

    HBRUSH brush = CreateSolidBrush(RGB(0, 90, 0));
    HRGN region = CreateRectRgn(3, 3, 30, 20);
    FillRgn(recorder, region, brush);
    DeleteObject(region);
    DeleteObject(brush);

    const wchar_t text[] = L"Tallowick";
    const INT advances[] = {7, 7, 7, 7, 7, 7, 7, 7, 7};
    ExtTextOutW(recorder, 4, 50, 0, nullptr, text, 9, advances);

    const std::string dib = test::SampleDib(4, 3, 24, 0x80);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    const char* pixels = dib.data() + sizeof(BITMAPINFOHEADER);
    HDC source = CreateCompatibleDC(recorder);
    void* section_bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, info, DIB_RGB_COLORS, &section_bits, nullptr, 0);
    std::memcpy(section_bits, pixels, dib.size() - sizeof(BITMAPINFOHEADER));
    HGDIOBJ old_bitmap = SelectObject(source, bitmap);
    StretchBlt(recorder, 60, 60, 8, 6, source, 0, 0, 4, 3, SRCCOPY);
    SelectObject(source, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(source);
    StretchDIBits(recorder, 70, 10, 12, 9, 0, 0, 4, 3, pixels, info, DIB_RGB_COLORS, SRCCOPY);
    SetDIBitsToDevice(recorder, 80, 30, 4, 3, 0, 0, 1, 2, pixels, info, DIB_RGB_COLORS);

    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    std::string drawn = Bits(metafile);
    DeleteEnhMetaFile(metafile);
    return drawn;
  }();
  return bits;
}

bool IsWellFormed(const std::string& bits) {
  return IsWellFormedEnhMetafile(bits.data(), static_cast<unsigned long>(bits.size()));
}

class MetafileRecords : public ::testing::Test {
 protected:
  // The metafile between records of other formats.
  std::string WriteObject(const std::string& bits) {
    EXPECT_TRUE(test::WriteFileBytes(path_, ObjectFileBytes({{kFormatA, "alpha"},
                                                             {CF_TEXT, std::string("text\0", 5)},
                                                             {CF_ENHMETAFILE, bits},
                                                             {kFormatB, "omega"}})));
    return path_;
  }

  test::TempFolder folder_;
  std::string path_ = folder_.File("metafile.obj");
};

TEST_F(MetafileRecords, DrawnMetafilesAreWellFormedAndSurviveTheObjectFile) {
  const std::string& bits = DrawnMetafile();
  for (DWORD type : {EMR_STRETCHBLT, EMR_STRETCHDIBITS, EMR_SETDIBITSTODEVICE, EMR_EXTTEXTOUTW,
                     EMR_POLYPOLYGON16, EMR_FILLRGN, EMR_CREATEPEN, EMR_SELECTOBJECT})
    EXPECT_NO_THROW(Find(bits, type)) << "the drawing records no type " << type;
  EXPECT_TRUE(IsWellFormed(bits));
  EXPECT_TRUE(IsWellFormed(test::SampleEnhMetafileBits()));

  const std::string path = WriteObject(bits);
  ASSERT_TRUE(RestoreClipboard(path.c_str()));
  EXPECT_EQ(ClipboardBytes(CF_ENHMETAFILE), bits);
  EXPECT_EQ(ClipboardBytes(kFormatB), "omega");
  HENHMETAFILE preview = ReadObjectMetafile(path.c_str());
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(Bits(preview), bits);
  DeleteEnhMetaFile(preview);
}

struct Damage {
  const char* name;
  void (*apply)(std::string& bits);
};

// Each case breaks one rule and keeps the rest of the metafile true.
const Damage kDamages[] = {
    {"a record of size 0 after the header",
     [](std::string& b) { Put(b, RecordStarts(b)[1] + 4, 0); }},
    {"a record size that is not a multiple of 4",
     [](std::string& b) {
       std::string comment = Record(EMR_GDICOMMENT, 14);
       Put(comment, offsetof(EMRGDICOMMENT, cbData), 2);
       InsertAfterHeader(b, comment);
     }},
    {"a record running past the end",
     [](std::string& b) { Add(b, RecordStarts(b).back() + 4, 4); }},
    {"more records than the header counts",
     [](std::string& b) { Add(b, offsetof(ENHMETAHEADER, nRecords), DWORD(-1)); }},
    {"fewer records than the header counts",
     [](std::string& b) { Add(b, offsetof(ENHMETAHEADER, nRecords), 1); }},
    {"a byte count other than the data's",
     [](std::string& b) { Add(b, offsetof(ENHMETAHEADER, nBytes), 4); }},
    {"bytes after EMR_EOF",
     [](std::string& b) {
       b.append(4, '\0');
       Add(b, offsetof(ENHMETAHEADER, nBytes), 4);
     }},
    {"no EMR_EOF", [](std::string& b) { Remove(b, RecordStarts(b).back()); }},
    {"a record before the header", [](std::string& b) { Put(b, 0, EMR_SAVEDC); }},
    {"an EMR_PLGBLT of 28 bytes",
     [](std::string& b) { InsertAfterHeader(b, Record(EMR_PLGBLT, 28)); }},
    {"an EMR_RECTANGLE of 16 bytes",
     [](std::string& b) { InsertAfterHeader(b, Record(EMR_RECTANGLE, 16)); }},
    {"bitmap pixels starting at the end of the record",
     [](std::string& b) {
       const size_t at = Find(b, EMR_STRETCHBLT);
       Put(b, at + offsetof(EMRSTRETCHBLT, offBitsSrc), Get(b, at + 4));
     }},
    {"bitmap info running out of the record",
     [](std::string& b) {
       const size_t at = Find(b, EMR_STRETCHDIBITS);
       Add(b, at + offsetof(EMRSTRETCHDIBITS, cbBmiSrc), Get(b, at + 4));
     }},
    {"a bitmap with more rows than its pixels hold",
     [](std::string& b) {
       const size_t at = Find(b, EMR_STRETCHBLT);
       const size_t info = at + Get(b, at + offsetof(EMRSTRETCHBLT, offBmiSrc));
       Put(b, info + offsetof(BITMAPINFOHEADER, biHeight), 0x10000);
     }},
    {"text running out of the record",
     [](std::string& b) {
       const size_t at = Find(b, EMR_EXTTEXTOUTW);
       Put(b, at + offsetof(EMREXTTEXTOUTW, emrtext.offString), Get(b, at + 4) - 2);
     }},
    {"text advances running out of the record",
     [](std::string& b) {
       const size_t at = Find(b, EMR_EXTTEXTOUTW);
       Put(b, at + offsetof(EMREXTTEXTOUTW, emrtext.offDx), Get(b, at + 4) - 8);
     }},
    {"polygon counts adding up to more points than it has",
     [](std::string& b) {
       const size_t at = Find(b, EMR_POLYPOLYGON16);
       Add(b, at + offsetof(EMRPOLYPOLYGON16, aPolyCounts), 1);
     }},
    {"region rectangles running out of the record",
     [](std::string& b) {
       const size_t at = Find(b, EMR_FILLRGN);
       Add(b, at + offsetof(EMRFILLRGN, RgnData) + offsetof(RGNDATAHEADER, nCount), 1);
     }},
    {"a stretched bitmap whose info has an offset but no bytes",
     [](std::string& b) {
       Put(b, Find(b, EMR_STRETCHBLT) + offsetof(EMRSTRETCHBLT, cbBmiSrc), 0);
     }},
    {"a region filled with a stock brush, which playback looks up in the handle table",
     [](std::string& b) {
       Add(b, Find(b, EMR_FILLRGN) + offsetof(EMRFILLRGN, ihBrush), ENHMETA_STOCK_OBJECT);
     }},
    {"a pen created outside the handle table",
     [](std::string& b) {
       Put(b, Find(b, EMR_CREATEPEN) + offsetof(EMRCREATEPEN, ihPen),
           Get(b, offsetof(ENHMETAHEADER, nHandles)) & 0xFFFF);
     }},
};

TEST_F(MetafileRecords, ADamagedMetafileReachesNeitherPreviewNorClipboard) {
  for (const Damage& damage : kDamages) {
    SCOPED_TRACE(damage.name);
    std::string bits = DrawnMetafile();
    damage.apply(bits);
    EXPECT_FALSE(IsWellFormed(bits));

    const std::string path = WriteObject(bits);
    EXPECT_EQ(ReadObjectMetafile(path.c_str()), nullptr);
    // The restore stops at the metafile as at any record it cannot set.
    EXPECT_TRUE(RestoreClipboard(path.c_str()));
    bool present = true;
    ClipboardBytes(CF_ENHMETAFILE, &present);
    EXPECT_FALSE(present);
    EXPECT_EQ(ClipboardBytes(kFormatA), "alpha");
    EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("text\0", 5));
    ClipboardBytes(kFormatB, &present);
    EXPECT_FALSE(present);
  }
}

// Whole metafiles with values that would keep Wine drawing the preview for minutes (its dashed pen
// is walked along the whole magnified line).
const Damage kExtremes[] = {
    {"a reference size of 2^30 millimetres",
     [](std::string& b) { Put(b, offsetof(ENHMETAHEADER, szlMillimeters), 1u << 30); }},
    {"a reference size of 100,000 millimetres, in range, magnifying the frame 300 times",
     [](std::string& b) {
       Put(b, offsetof(ENHMETAHEADER, szlMillimeters), 100000);
       Put(b, offsetof(ENHMETAHEADER, szlMillimeters) + 4, 100000);
     }},
    {"a line to x = 2^30",
     [](std::string& b) { Put(b, Find(b, EMR_LINETO) + offsetof(EMRLINETO, ptl.x), 1u << 30); }},
    {"a dashed pen 65537 pixels wide",
     [](std::string& b) {
       Put(b, Find(b, EMR_CREATEPEN) + offsetof(EMRCREATEPEN, lopn.lopnWidth.x), 65537);
     }},
    {"a line 2^18 pixels long once the picture magnifies its frame twice",
     [](std::string& b) {
       const size_t millimetres = offsetof(ENHMETAHEADER, szlMillimeters);
       Put(b, millimetres, Get(b, millimetres) * 2);
       Put(b, Find(b, EMR_LINETO) + offsetof(EMRLINETO, ptl.x), (1u << 17) + 4096);
     }},
    {"text advances adding up to 2^31",
     [](std::string& b) {
       const size_t at = Find(b, EMR_EXTTEXTOUTW);
       const DWORD advances = at + Get(b, at + offsetof(EMREXTTEXTOUTW, emrtext.offDx));
       for (int i = 0; i < 8; ++i) Put(b, advances + 4 * i, 1u << 28);
     }},
    {"a bitmap stretched from source x = 2^30",
     [](std::string& b) {
       Put(b, Find(b, EMR_STRETCHBLT) + offsetof(EMRSTRETCHBLT, xSrc), 1u << 30);
     }},
    {"a viewport 1000 times the window in an anisotropic mapping mode",
     [](std::string& b) { InsertMapping(b, MM_ANISOTROPIC); }},
    {"a transform that is not a number",
     [](std::string& b) {
       std::string record = Record(EMR_SETWORLDTRANSFORM, sizeof(EMRSETWORLDTRANSFORM));
       const XFORM broken = {1, 0, 0, std::numeric_limits<float>::quiet_NaN(), 0, 0};
       std::memcpy(&record[offsetof(EMRSETWORLDTRANSFORM, xform)], &broken, sizeof broken);
       InsertAfterHeader(b, record);
     }},
    {"an arc swept round a million degrees",
     [](std::string& b) {
       std::string record = Record(EMR_ANGLEARC, sizeof(EMRANGLEARC));
       const FLOAT sweep = 1e6f;
       Put(record, offsetof(EMRANGLEARC, nRadius), 10);
       std::memcpy(&record[offsetof(EMRANGLEARC, eSweepAngle)], &sweep, sizeof sweep);
       InsertAfterHeader(b, record);
     }},
    {"a user pen style whose dashes are all 0 long",
     [](std::string& b) {
       // The pen record as files hold it: slot, bitmap fields, then the pen and its 2 entries.
       constexpr size_t kPen = 28, kEntries = kPen + 24;
       std::string record = Record(EMR_EXTCREATEPEN, kEntries + 8);
       Put(record, 8, 1);
       Put(record, kPen, PS_GEOMETRIC | PS_USERSTYLE);
       Put(record, kPen + 4, 1);
       Put(record, kPen + 20, 2);
       InsertAfterHeader(b, record);
     }},
    {"a bitmap copied through a source transform of -7.9e28",
     [](std::string& b) {
       const FLOAT huge = -7.9e28f;
       std::memcpy(&b[Find(b, EMR_STRETCHBLT) + offsetof(EMRSTRETCHBLT, xformSrc.eM11)], &huge,
                   sizeof huge);
     }},
    {"a world transform enlarging 1000 times",
     [](std::string& b) {
       std::string record = Record(EMR_SETWORLDTRANSFORM, sizeof(EMRSETWORLDTRANSFORM));
       const XFORM enlarge = {1000, 0, 0, 1000, 0, 0};
       std::memcpy(&record[offsetof(EMRSETWORLDTRANSFORM, xform)], &enlarge, sizeof enlarge);
       InsertAfterHeader(b, record);
     }},
};

TEST_F(MetafileRecords, AnExtremeMetafileIsRestoredButNotPreviewed) {
  const std::string& drawn = DrawnMetafile();
  EXPECT_TRUE(HasDrawableValues(drawn.data(), static_cast<unsigned long>(drawn.size())));
  std::string far_line = drawn;
  Put(far_line, Find(far_line, EMR_LINETO) + offsetof(EMRLINETO, ptl.x), (1u << 17) + 4096);
  EXPECT_TRUE(HasDrawableValues(far_line.data(), static_cast<unsigned long>(far_line.size())))
      << "the same line at the frame's own scale";
  std::string text_mode = drawn;
  InsertMapping(text_mode, MM_TEXT);
  EXPECT_TRUE(HasDrawableValues(text_mode.data(), static_cast<unsigned long>(text_mode.size())))
      << "extents that the mapping mode ignores";
  for (const Damage& extreme : kExtremes) {
    SCOPED_TRACE(extreme.name);
    std::string bits = drawn;
    extreme.apply(bits);
    ASSERT_TRUE(IsWellFormed(bits));
    const std::string path = WriteObject(bits);
    EXPECT_EQ(ReadObjectMetafile(path.c_str()), nullptr);
    ASSERT_TRUE(RestoreClipboard(path.c_str()));
    EXPECT_EQ(ClipboardBytes(CF_ENHMETAFILE), bits) << "the clipboard does not draw";
  }
}

// The fixed part of each type from EMR_HEADER to EMR_MAX that the walk has always required (0: any
// whole record). Too small, playback reads past the record; too large, a metafile GDI wrote is
// refused.
TEST(MetafileRecordTable, EveryTypeKeepsTheFixedPartThatPlaybackReads) {
  const DWORD kFixedSizes[] = {
      88, 28,  28, 28,  28, 28,  32,  32,  16,  16,  // 1-10
      16, 16,  16, 20,  20, 12,  12,  12,  12,  12,  // 11-20
      12, 12,  32, 12,  12, 16,  16,  0,   24,  24,  // 21-30
      24, 24,  0,  12,  32, 36,  12,  28,  24,  12,  // 31-40
      28, 24,  24, 32,  40, 40,  40,  12,  16,  20,  // 41-50
      16, 0,   24, 16,  40, 28,  12,  12,  0,   0,   // 51-60
      0,  24,  24, 24,  0,  0,   12,  0,   0,   12,  // 61-70
      32, 40,  28, 28,  16, 100, 108, 128, 140, 76,  // 71-80
      80, 104, 76, 76,  28, 28,  28,  28,  28,  32,  // 81-90
      32, 28,  32, 32,  52, 40,  40,  12,  340, 12,  // 91-100
      12, 12,  28, 48,  16, 16,  0,   36,  0,   20,  // 101-110
      24, 20,  20, 108, 12, 108, 0,   36,  0,   0,   // 111-120
      24, 608                                        // 121-122
  };
  static_assert(sizeof kFixedSizes / sizeof kFixedSizes[0] == EMR_MAX);
  for (DWORD type = 0; type <= EMR_MAX + 1; ++type) {
    const DWORD fixed = type >= EMR_MIN && type <= EMR_MAX ? kFixedSizes[type - EMR_MIN] : 0;
    EXPECT_EQ(metafile::RuleOf(type).fixed_size, fixed) << "type " << type;
  }
}

}  // namespace
}  // namespace talo

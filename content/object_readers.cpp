// Reading one format of an object file for a preview.
#include "content/object_readers.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>

#include "base/text.h"
#include "base/unique.h"
#include "content/file_list.h"
#include "content/metafile_picture.h"
#include "content/metafile_records.h"
#include "content/object_file.h"

namespace talo {
namespace {

// Previews show the picture at the screen's usual 96 dots per inch.
constexpr LONG kPelsPerMeter = 3780;
constexpr int kFileNameCapacity = 771;

FileHandle OpenObjectFile(const char* file_name) {
  if (!file_name) return FileHandle();
  return FileHandle(CreateFileA(file_name, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Moves to the data of the first record of `format`; false when the scan meets the end of the
// file or a broken record first.
bool SeekRecord(HANDLE file, UINT format, DWORD& count) {
  ObjectRecordHeader header;
  while (ReadRecordHeader(file, header)) {
    if (header.format == format) {
      count = header.count;
      return true;
    }
    LONG high = 0;  // with the high part the count is taken as unsigned
    SetLastError(NO_ERROR);
    if (SetFilePointer(file, static_cast<LONG>(header.count), &high, FILE_CURRENT) ==
            INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
      return false;
  }
  return false;
}

// The record's data in a fixed block.
GlobalMemory ReadRecordData(HANDLE file, DWORD count) {
  GlobalMemory data(GlobalAlloc(GMEM_FIXED, count));
  if (!data || !ReadExactly(file, data.get(), count)) return GlobalMemory();
  return data;
}

GlobalMemory ReadFirstRecord(const char* file_name, UINT format, DWORD& count) {
  FileHandle file = OpenObjectFile(file_name);
  if (!file || !SeekRecord(file.get(), format, count)) return GlobalMemory();
  return ReadRecordData(file.get(), count);
}

// Where the pixels of a DIB start, and how many bytes they take; 0 when the DIB is of a kind the
// preview does not draw or its bytes do not hold all the pixels its header promises.
DWORD DibBitsOffset(const BITMAPINFOHEADER& header, DWORD size, DWORD& pixel_bytes) {
  if (size < sizeof header || header.biSize != sizeof header || header.biPlanes != 1 ||
      header.biCompression != BI_RGB || header.biWidth <= 0 || header.biHeight == 0)
    return 0;
  DWORD color_table;
  switch (header.biBitCount) {
    case 1:
      color_table = 2 * sizeof(RGBQUAD);
      break;
    case 4:
      color_table = 16 * sizeof(RGBQUAD);
      break;
    case 8:
      color_table = 256 * sizeof(RGBQUAD);
      break;
    case 24:
      color_table = 0;
      break;
    default:
      return 0;
  }
  const std::uint64_t stride = (std::uint64_t(header.biWidth) * header.biBitCount + 31) / 32 * 4;
  const std::int64_t height = header.biHeight;
  const std::uint64_t rows = std::uint64_t(height < 0 ? -height : height);
  const std::uint64_t offset = sizeof header + color_table;
  if (offset + stride * rows > size) return 0;
  pixel_bytes = static_cast<DWORD>(stride * rows);
  return static_cast<DWORD>(offset);
}

// The text after the last "\" or ":", trimmed of blanks; the whole path when that is empty.
void ShownFileName(const char* path, const char*& start, int& length) {
  const char* part = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == ':') part = p + 1;
  while (*part == ' ') ++part;
  int part_length = BoundedLength(part, kFileNameCapacity);
  while (part_length > 0 && part[part_length - 1] == ' ') --part_length;
  if (part_length > 0) {
    start = part;
    length = part_length;
  } else {
    start = path;
    length = BoundedLength(path, kFileNameCapacity);
  }
}

int Fail(char* output, int capacity) { return CopyText(output, capacity, ""); }

}  // namespace

HBITMAP ReadObjectBitmap(const char* file_name, HDC dc) {
  FileHandle file = OpenObjectFile(file_name);
  DWORD count = 0;
  if (!file || !SeekRecord(file.get(), CF_DIB, count)) return nullptr;
  // The header and colour table first; the pixels then go straight into the bitmap's memory, in
  // the picture's own format: nothing is copied or converted pixel by pixel before a preview
  // paints the part it shows.
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info = {};
  if (count < sizeof info.header || !ReadExactly(file.get(), &info.header, sizeof info.header))
    return nullptr;
  DWORD pixel_bytes = 0;
  const DWORD bits_offset = DibBitsOffset(info.header, count, pixel_bytes);
  const DWORD table_bytes = bits_offset - sizeof info.header;
  if (bits_offset == 0 || (table_bytes > 0 && !ReadExactly(file.get(), info.colors, table_bytes)))
    return nullptr;
  info.header.biXPelsPerMeter = kPelsPerMeter;
  info.header.biYPelsPerMeter = kPelsPerMeter;
  info.header.biClrUsed = 0;
  info.header.biClrImportant = 0;
  void* bits = nullptr;
  GdiObject bitmap(CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                    nullptr, 0));
  if (!bitmap || !bits || !ReadExactly(file.get(), bits, pixel_bytes)) return nullptr;
  return static_cast<HBITMAP>(bitmap.release());
}

HENHMETAFILE ReadObjectMetafile(const char* file_name) {
  DWORD count = 0;
  GlobalMemory data = ReadFirstRecord(file_name, CF_ENHMETAFILE, count);
  if (!data || !IsWellFormedEnhMetafile(data.get(), count) || !HasDrawableValues(data.get(), count))
    return nullptr;
  return SetEnhMetaFileBits(count, static_cast<const BYTE*>(data.get()));
}

int ReadObjectFileList(char* output, const char* file_name, int capacity) {
  Fail(output, capacity);
  if (!output || capacity <= 0) return 0;
  DWORD count = 0;
  GlobalMemory data = ReadFirstRecord(file_name, CF_HDROP, count);
  GlobalMemory list = CopyFileList(data.get(), count);
  if (!list) return 0;
  HDROP drop = static_cast<HDROP>(list.get());
  const UINT files = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  if (files == 0) return 0;

  int length = 0;
  for (UINT i = 0; i < files; ++i) {
    char path[kFileNameCapacity + 1] = {};
    if (DragQueryFileA(drop, i, path, kFileNameCapacity) == 0) return Fail(output, capacity);
    const char* shown = nullptr;
    int shown_length = 0;
    ShownFileName(path, shown, shown_length);
    length = AppendText(output, capacity, shown, shown_length);
    if (length >= capacity - 2) break;
    length = AppendText(output, capacity, "\n");
  }
  return length;
}

int ReadObjectText(wchar_t* output, const char* file_name, int capacity) {
  if (!output || capacity <= 0) return 0;
  output[0] = L'\0';
  FileHandle file = OpenObjectFile(file_name);
  if (!file) return 0;
  const DWORD most = DWORD(capacity - 1);
  DWORD count = 0;
  if (SeekRecord(file.get(), CF_UNICODETEXT, count)) {
    const DWORD wanted = count / sizeof(wchar_t) < most ? count / sizeof(wchar_t) : most;
    if (!ReadExactly(file.get(), output, wanted * sizeof(wchar_t))) {
      output[0] = L'\0';
      return 0;
    }
    output[wanted] = L'\0';
    return static_cast<int>(wcsnlen(output, wanted));
  }
  // No Unicode text (or a broken record before one): the code page's text.
  if (SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) != 0 ||
      !SeekRecord(file.get(), CF_TEXT, count))
    return 0;
  std::string text(count < most ? count : most, '\0');
  if (!ReadExactly(file.get(), &text[0], DWORD(text.size()))) return 0;
  text.resize(std::strlen(text.c_str()));
  const int length = text.empty() ? 0
                                  : MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()),
                                                        output, capacity - 1);
  output[length > 0 ? length : 0] = L'\0';
  return length > 0 ? length : 0;
}

}  // namespace talo

// Object files and clipboard content for tests.
#include "tests/support/object_records.h"

#include <shlobj.h>

#include <cstdint>
#include <cstring>

namespace talo::test {

bool operator==(const ObjectRecord& a, const ObjectRecord& b) {
  return a.format == b.format && a.data == b.data;
}

std::string ObjectFileBytes(const std::vector<ObjectRecord>& records) {
  std::string bytes;
  for (const ObjectRecord& record : records) {
    std::uint32_t header[2] = {record.format, std::uint32_t(record.data.size())};
    bytes.append(reinterpret_cast<const char*>(header), sizeof header);
    bytes += record.data;
  }
  return bytes;
}

std::vector<ObjectRecord> ParseObjectFile(const std::string& bytes) {
  std::vector<ObjectRecord> records;
  size_t at = 0;
  while (bytes.size() - at >= 8) {
    std::uint32_t header[2];
    std::memcpy(header, &bytes[at], 8);
    if (bytes.size() - at - 8 < header[1]) break;
    records.push_back({header[0], bytes.substr(at + 8, header[1])});
    at += 8 + header[1];
  }
  return records;
}

bool PutOnClipboard(const std::vector<ObjectRecord>& records) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  bool all = true;
  for (const ObjectRecord& record : records) {
    HANDLE data;
    if (record.format == CF_ENHMETAFILE) {
      data = SetEnhMetaFileBits(UINT(record.data.size()),
                                reinterpret_cast<const BYTE*>(record.data.data()));
    } else {
      data = GlobalAlloc(GMEM_MOVEABLE, record.data.size());
      if (data) {
        std::memcpy(GlobalLock(data), record.data.data(), record.data.size());
        GlobalUnlock(data);
      }
    }
    all = all && data && SetClipboardData(record.format, data);
  }
  CloseClipboard();
  return all;
}

std::string ClipboardBytes(unsigned format, bool* present) {
  std::string bytes;
  if (present) *present = false;
  if (!OpenClipboard(nullptr)) return bytes;
  if (HANDLE data = GetClipboardData(format)) {
    if (present) *present = true;
    if (format == CF_ENHMETAFILE) {
      auto metafile = static_cast<HENHMETAFILE>(data);
      bytes.resize(GetEnhMetaFileBits(metafile, 0, nullptr));
      GetEnhMetaFileBits(metafile, UINT(bytes.size()), reinterpret_cast<BYTE*>(&bytes[0]));
    } else if (const void* locked = GlobalLock(data)) {
      bytes.assign(static_cast<const char*>(locked), GlobalSize(data));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return bytes;
}

std::vector<unsigned> ClipboardFormats() {
  std::vector<unsigned> formats;
  if (!OpenClipboard(nullptr)) return formats;
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
    formats.push_back(format);
  CloseClipboard();
  return formats;
}

std::string SampleDib(int width, int height, int bit_count, unsigned char fill) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = WORD(bit_count);
  header.biCompression = BI_RGB;
  const int colors = bit_count <= 8 ? 1 << bit_count : 0;
  const int stride = (width * bit_count + 31) / 32 * 4;
  std::string dib(reinterpret_cast<const char*>(&header), sizeof header);
  for (int i = 0; i < colors; ++i) {
    const unsigned char level = static_cast<unsigned char>(i * 255 / (colors - 1));
    const RGBQUAD quad = {level, level, level, 0};
    dib.append(reinterpret_cast<const char*>(&quad), sizeof quad);
  }
  dib.append(size_t(stride) * size_t(height < 0 ? -height : height), char(fill));
  return dib;
}

std::string SampleEnhMetafileBits() {
  HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  Rectangle(recorder, 10, 10, 60, 40);
  HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
  std::string bits(GetEnhMetaFileBits(metafile, 0, nullptr), '\0');
  GetEnhMetaFileBits(metafile, UINT(bits.size()), reinterpret_cast<BYTE*>(&bits[0]));
  DeleteEnhMetaFile(metafile);
  return bits;
}

std::string FileListBytes(const std::vector<std::string>& paths, bool wide) {
  DROPFILES header = {};
  header.pFiles = sizeof header;
  header.fWide = wide;
  std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
  for (const std::string& path : paths) {
    for (char c : path) {
      bytes += c;
      if (wide) bytes += '\0';
    }
    bytes.append(wide ? 2 : 1, '\0');
  }
  bytes.append(wide ? 2 : 1, '\0');
  return bytes;
}

}  // namespace talo::test

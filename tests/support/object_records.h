// Object files and clipboard content for tests: build and parse the records, put formats on the
// real clipboard and read them back, and sample data of the formats a preview reads.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace talo::test {

struct ObjectRecord {
  unsigned format;
  std::string data;
};
bool operator==(const ObjectRecord& a, const ObjectRecord& b);

// The records one after another: format (u32), count (u32), data.
std::string ObjectFileBytes(const std::vector<ObjectRecord>& records);
// The whole records from the start of the bytes; stops at the first one cut short.
std::vector<ObjectRecord> ParseObjectFile(const std::string& bytes);

// Empties the clipboard and puts the records on it (CF_ENHMETAFILE from its bits).
bool PutOnClipboard(const std::vector<ObjectRecord>& records);
// The data the clipboard holds for a format (the metafile bits for CF_ENHMETAFILE, the whole
// global block otherwise); `present` tells whether the format is there at all.
std::string ClipboardBytes(unsigned format, bool* present = nullptr);
std::vector<unsigned> ClipboardFormats();

// A CF_DIB of `width` x `height` pixels of `bit_count` bits, every pixel byte `fill`, with a grey
// colour table where the bit count has one.
std::string SampleDib(int width, int height, int bit_count, unsigned char fill = 0x40);
// The bits of an enhanced metafile that draws one rectangle.
std::string SampleEnhMetafileBits();
// A CF_HDROP block for the paths.
std::string FileListBytes(const std::vector<std::string>& paths, bool wide = false);

}  // namespace talo::test

// Reading one format of an object file for a preview.
//
// The scan is strict: a record header cut short, a format that is not storable, a count of 0 or a
// count beyond the end of the file ends it with nothing; the first record of the wanted format is
// the one read.
#pragma once

#include <windows.h>

namespace talo {

// The first CF_DIB as a device-dependent bitmap for `dc` (the caller owns it), or null. Only
// uncompressed DIBs of 1, 4, 8 or 24 bits whose bytes hold every pixel the header promises.
HBITMAP ReadObjectBitmap(const char* file_name, HDC dc);

// The first CF_ENHMETAFILE (the caller owns it), or null. Only metafiles that pass the record walk
// and whose values Wine can draw in reasonable time (HasDrawableValues).
HENHMETAFILE ReadObjectMetafile(const char* file_name);

// The file-name parts of the first CF_HDROP's files, one a line, cut to `capacity` - 1
// characters. Returns the length; 0 with an empty output on failure.
int ReadObjectFileList(char* output, const char* file_name, int capacity);

// The first CF_UNICODETEXT, else the first CF_TEXT in the system code page; at most `capacity` - 1
// characters of it. Returns the length; 0 with an empty output on failure.
int ReadObjectText(wchar_t* output, const char* file_name, int capacity);

}  // namespace talo

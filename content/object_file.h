// Reading the records of an object file without ever trusting a count.
//
// Compiled into the hook library too.
#pragma once

#include <windows.h>

#include <cstdint>

namespace talo {

struct ObjectRecordHeader {
  std::uint32_t format = 0;
  std::uint32_t count = 0;
};

// Reads exactly `size` bytes; a short read is a failure.
bool ReadExactly(HANDLE file, void* data, DWORD size);

// Reads the next record header. False at the end of the file and for a header that is cut short,
// names a format that is not storable, has a count of 0 or promises more bytes than the file still
// holds: readers stop there, and no buffer is ever sized from a count the file cannot back.
bool ReadRecordHeader(HANDLE file, ObjectRecordHeader& header);

}  // namespace talo

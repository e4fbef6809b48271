// File lists (CF_HDROP data) that come from elsewhere - a stored object file, another program's
// clipboard - made safe for DragQueryFile, which trusts the offsets and terminators it is given.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "base/unique.h"

namespace talo {

// A fixed copy of the `size` bytes of a file list, followed by zero bytes: however damaged the
// names, a double terminator (of wide characters too, at any alignment) ends them inside the
// copy. Null when the list has no whole header or its names do not start after the header and
// inside the data.
GlobalMemory CopyFileList(const void* data, SIZE_T size);

// The number of files `list` names, with the first one's path in `path` when it fits `capacity`
// bytes whole (else `path` is empty: cut, it would name another file).
UINT ReadFirstListedPath(HDROP list, char* path, int capacity);

}  // namespace talo

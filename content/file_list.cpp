// Checked copies of file lists.
#include "content/file_list.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

namespace talo {
namespace {

constexpr SIZE_T kPadding = 8;

}  // namespace

GlobalMemory CopyFileList(const void* data, SIZE_T size) {
  if (!data || size < sizeof(DROPFILES) || size > ~SIZE_T(0) - kPadding) return GlobalMemory();
  const DWORD names = static_cast<const DROPFILES*>(data)->pFiles;
  if (names < sizeof(DROPFILES) || names >= size) return GlobalMemory();
  GlobalMemory copy(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size + kPadding));
  if (copy) std::memcpy(copy.get(), data, size);
  return copy;
}

UINT ReadFirstListedPath(HDROP list, char* path, int capacity) {
  if (path && capacity > 0) path[0] = '\0';
  if (!list) return 0;
  const UINT files = DragQueryFileA(list, 0xFFFFFFFF, nullptr, 0);
  if (files == 0 || !path || capacity <= 0) return files;
  if (DragQueryFileA(list, 0, nullptr, 0) >= UINT(capacity) ||
      DragQueryFileA(list, 0, path, capacity) == 0)
    path[0] = '\0';
  return files;
}

}  // namespace talo

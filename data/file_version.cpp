// GetFileVersionStrings: the string entries of a file's version resource.
#include "data/file_version.h"

#include <windows.h>

#include <string>
#include <vector>

#include "base/text.h"

namespace talo {
namespace {

constexpr const char* kEntryNames[kVersionStringCount] = {
    "CompanyName",  "LegalCopyright",   "FileDescription", "FileVersion",
    "InternalName", "OriginalFilename", "ProductName",     "ProductVersion",
};

// US English with the Unicode code page, then with the Windows Latin code page.
constexpr const char* kStringTables[] = {"\\StringFileInfo\\040904B0\\",
                                         "\\StringFileInfo\\040904E4\\"};

bool IsRequested(const VersionStringRequest& request) { return request.text || request.length; }

bool IsWellFormed(const VersionStringRequest& request) {
  return request.text && request.capacity > 0 && request.length;
}

void Empty(VersionStringRequest (&requests)[kVersionStringCount]) {
  for (VersionStringRequest& request : requests) {
    CopyText(request.text, request.capacity, "");
    if (request.length) *request.length = 0;
  }
}

bool FindEntry(const std::vector<char>& block, const char* name, const char** text, UINT* chars) {
  for (const char* table : kStringTables) {
    std::string key = std::string(table) + name;
    void* found = nullptr;
    UINT found_chars = 0;
    if (VerQueryValueA(block.data(), key.c_str(), &found, &found_chars) && found) {
      *text = static_cast<const char*>(found);
      *chars = found_chars;
      return true;
    }
  }
  return false;
}

bool ReadEntries(const char* file, VersionStringRequest (&requests)[kVersionStringCount]) {
  bool any = false;
  for (const VersionStringRequest& request : requests) {
    if (!IsRequested(request)) continue;
    if (!IsWellFormed(request)) return false;
    any = true;
  }
  if (!any || !file || !file[0]) return false;

  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(file, &ignored);
  if (size == 0) return false;
  std::vector<char> block(size + 1);
  if (!GetFileVersionInfoA(file, 0, size, block.data())) return false;

  for (int entry = 0; entry < kVersionStringCount; ++entry) {
    VersionStringRequest& request = requests[entry];
    if (!IsRequested(request)) continue;
    const char* text = nullptr;
    UINT chars = 0;
    if (!FindEntry(block, kEntryNames[entry], &text, &chars)) return false;
    // The reported count may or may not include the terminator; the copy stops at either.
    *request.length = CopyText(request.text, request.capacity, text, static_cast<int>(chars));
  }
  return true;
}

}  // namespace

bool GetFileVersionStrings(const char* file,
                           VersionStringRequest (&requests)[kVersionStringCount]) {
  if (ReadEntries(file, requests)) return true;
  Empty(requests);
  return false;
}

}  // namespace talo

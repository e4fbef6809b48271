// GetFileVersionStrings: the string entries of a file's version resource.
#pragma once

namespace talo {

// The entries that can be asked for, in the order of the request array.
enum VersionString {
  kCompanyName,
  kLegalCopyright,
  kFileDescription,
  kFileVersion,
  kInternalName,
  kOriginalFilename,
  kProductName,
  kProductVersion,
  kVersionStringCount,
};

// One requested entry: the text is cut to capacity - 1 characters and its length stored. An
// entry with neither text nor length is not requested.
struct VersionStringRequest {
  char* text = nullptr;
  int capacity = 0;
  int* length = nullptr;
};

// Reads every requested entry from the US English string table (040904B0, then 040904E4). Fails,
// emptying every requested text and length, when no entry is requested, a request has a text
// without a length (or the reverse), the file has no version resource, or an entry is missing.
bool GetFileVersionStrings(const char* file, VersionStringRequest (&requests)[kVersionStringCount]);

}  // namespace talo

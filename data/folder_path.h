// Folder texts as the settings and the user data folders keep them: trimmed, ending in a separator.
#pragma once

#include "base/text.h"

namespace talo {

// Finds `text` without its leading and trailing spaces and control characters (codes 1 to 32).
// Returns the length of what remains and sets `start` to its first character.
int TrimmedRange(const char* text, const char** start);

// Writes `source` into `target` as a folder: trimmed, with a backslash appended unless it already
// ends in '\' or '/'; nothing left becomes "\" (the root of the current drive). Returns the length
// written, or 0 with `target` emptied when the folder does not fit into `capacity`.
int NormaliseFolderPath(char* target, int capacity, const char* source);

// True for a folder that names one place wherever it is used: on a drive ("C:\...") or on a share
// ("\\server\share..."). Not for "Data", "\Data" (the current drive's) nor "C:Data" (the
// current folder's on that drive).
bool IsAbsoluteFolder(const char* folder);

}  // namespace talo

// A link file read whole and checked, for the editor's link object.
#pragma once

#include <vector>

#include "content/shortcut_check.h"

namespace talo {

// Reads and checks a link file: a shell link, or - for a file named ".pif" - a genuine program
// information file. Broken when it cannot be read or is longer than kMaxShellLinkFileSize.
// `data` keeps the bytes of a shell link (the link is then loaded from them).
ShortcutLayout ReadWholeLinkFile(const char* file_name, std::vector<unsigned char>& data);
bool IsWholeLinkFile(const char* file_name);

}  // namespace talo

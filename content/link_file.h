// Shortcut files read and checked by the editor: a link whole, for its link object.
#pragma once

#include <vector>

#include "content/shortcut_check.h"

namespace talo {

// Reads and checks a link file: a shell link, or - for a file named ".pif" - a genuine program
// information file. Broken when it cannot be read or is longer than kMaxShellLinkFileSize.
// `data` keeps the bytes of a shell link (the link is then loaded from them).
ShortcutLayout ReadWholeLinkFile(const char* file_name, std::vector<unsigned char>& data);
bool IsWholeLinkFile(const char* file_name);

// True when the shortcut file of `kind` passes the check that the hook makes before it hands the
// file to the shell (CheckShortcutFile).
bool IsSoundShortcutFile(const char* file_name, AssignmentKind kind);

}  // namespace talo

// The check that every stored shortcut file passes before the shell reads it: in the editor, and
// in the hook before it hands the file to the shell inside the application the user is typing in.
//
// Compiled into the hook library too.
#pragma once

#include <windows.h>

#include <cstddef>

#include "data/combination.h"

namespace talo {

// What a shortcut file holds, checked whole.
enum class ShortcutLayout { kBroken, kShellLink, kProgramInformation, kInternetShortcut };

// The layout of a shortcut file of `kind` whose bytes are `data`: a link (".lnk") may hold only a
// shell link, a ".pif" a shell link or a genuine program information file, a ".url" a text that
// does not start like an executable or an icon file (the shell reads such a file as one when it
// looks for the shortcut's picture). Broken beyond MaxContentFileSize(kind), and for an empty file.
ShortcutLayout CheckShortcutBytes(AssignmentKind kind, const unsigned char* data, std::size_t size);

// The same for the open file `file` of `size` bytes, read from its start into a block that is
// freed again. The caller may keep the file open (shared for reading only) until the shell has
// read it, so that it cannot change in between.
ShortcutLayout CheckShortcutFile(HANDLE file, DWORD size, AssignmentKind kind);

// True when `data` starts as an executable ("MZ") or an icon or cursor file (a directory header
// 00 00 01 00 or 00 00 02 00) does.
bool StartsLikeIconContainer(const unsigned char* data, std::size_t size);

}  // namespace talo

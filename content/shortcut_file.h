// Shortcut assignments: shell links (".lnk"), program information files (".pif") and internet
// shortcuts (".url") in the user data folder, and the editor's working shortcut.
#pragma once

#include <windows.h>

#include <string>

#include "base/unique.h"
#include "data/combination.h"

namespace talo {

// Shortcut kinds: the kind bits of a user status byte.
inline constexpr int kNoShortcut = static_cast<int>(AssignmentKind::kNone);
inline constexpr int kShellLink = static_cast<int>(AssignmentKind::kShellLink);
inline constexpr int kProgramInformation = static_cast<int>(AssignmentKind::kProgramInformation);
inline constexpr int kInternetShortcut = static_cast<int>(AssignmentKind::kInternetShortcut);
// "No combination": the editor operations then act on the working shortcut.
inline constexpr int kWorkingCopy = -1;

// ".lnk", ".pif" or ".url" for kinds 1 to 3; "" for anything else.
const char* ShortcutExtension(int kind);

// Deletes `base` + ".lnk", ".pif" and ".url"; nothing for a missing base or one of 768 or more
// characters.
void DeleteShortcutFiles(const char* base);
// The shortcut for `source` under the base name `base` (a folder + name without extension): a
// dropped shortcut file is copied in its own letter case, any other file or folder gets a new shell
// link; with `describe` the shortcut is named after the source's title. Returns its kind (1 to 3),
// or 0 when nothing was made (and no shortcut under `base` is left).
int CreateShortcutFile(const char* base, const char* source, bool describe);
// The shell's Properties dialog of a file, owned by `owner`.
bool ShowFileProperties(HWND owner, const char* file);
// The icon the shell shows for `path`; the caller owns it. Null when there is none.
HICON GetAssociatedIcon(const char* path, int index);

// The editor's operations on its working shortcut ("Temp" + extension in the user data folder).
int CreateWorkingShortcut(const char* source);
// A working ".url" for "about:blank" named "New URL", then its Properties dialog: 3, or 0.
int NewInternetShortcut(HWND owner);
// The icon and name of the combination's stored shortcut of `kind` (then copied over the working
// shortcut), or of the working shortcut when `code` is kWorkingCopy. On failure both are empty.
// The shell's icon code reads only files that passed the guard of content/icon_source.h.
bool ReadShortcutPreview(int kind, int code, IconHandle& icon, std::string& description);
// Replaces the combination's stored shortcut by the working shortcut of `kind`; kind 0 only
// deletes. A failure leaves no stored shortcut.
bool CommitShortcut(int code, int kind);
// The working shortcut's name (link description, or the internet shortcut's "Description").
int GetShortcutDescription(std::string& description, int kind);
bool SetShortcutDescription(const char* text, int kind);
// The shell's default action on the working shortcut: its result (above 32 on success), or 0 when
// the kind has no extension.
int OpenWorkingShortcut(int kind);
bool ShowWorkingShortcutProperties(HWND owner, int kind);

}  // namespace talo

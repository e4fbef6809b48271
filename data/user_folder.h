// The user data folders below a base folder, and the path test that finds or creates them.
#pragma once

#include <windows.h>

#include "data/folder_path.h"

namespace talo {

// Asks Windows for the name of the current user; the shape of GetUserNameA, which is the default.
using UserNameQuery = BOOL(WINAPI*)(LPSTR buffer, LPDWORD size);

// The user name is cut to this many characters in the folder name.
constexpr int kUserNameFolderChars = 251;

// Writes the path of the user data folder below `base_folder` into `folder` (kPathCapacity bytes),
// as ResolveUserFolder below names it, without looking at the disk. Returns its length, or 0 with
// `folder` emptied when it does not fit or (strict) the user name cannot be had.
int UserFolderPath(char* folder, bool* use_default_user, const char* base_folder, bool tolerant,
                   UserNameQuery query_user_name = GetUserNameA);

// Writes the user data folder into `folder` (kPathCapacity bytes): `base_folder` plus "Default\"
// when `*use_default_user` is set, else plus "_", the user name and "\"; the folder is created (one
// level) when missing. When the user name cannot be had, a tolerant call switches to the default
// user (setting `*use_default_user`) and a strict one fails. Returns the folder's length, or 0 with
// `folder` emptied and `*use_default_user` cleared when the folder does not fit, is no folder or
// cannot be created.
int ResolveUserFolder(char* folder, bool* use_default_user, const char* base_folder, bool tolerant,
                      UserNameQuery query_user_name = GetUserNameA);

// Whether `path` (trimmed, one trailing '\' or '/' ignored) names an existing folder, when
// `folder_wanted`, or an existing file otherwise. When no folder was found and `create` is set
// with `folder_wanted`, the folder is created (its parent must exist) and that decides the answer.
// Paths with the wildcards '*' or '?' are refused: they would match other entries.
bool PathExists(const char* path, bool folder_wanted, bool create);

// Whether `folder` is the root of a drive ("C:\", or "\" for the current drive) that can be read.
// PathExists never answers for a root: without its separator nothing of the path is left.
bool RootFolderExists(const char* folder);

// Whether every character of `path` may stand in a folder path: no control characters, none of
// < > " | * ?, and a colon only as the second character, after a drive letter. A file system
// that takes such names (Wine's does) would otherwise make a folder no Windows program can open.
bool FolderPathCharactersValid(const char* path);

}  // namespace talo

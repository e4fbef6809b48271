// Internet shortcut files (".url"): section "InternetShortcut", keys "URL" and "Description".
#pragma once

#include <string>

namespace talo {

bool WriteInternetShortcut(const char* file, const char* address, const char* description);
// Reads the requested values (a null output is not requested; at least one is); a value that is
// missing or empty is a failure, and then both outputs are emptied.
bool ReadInternetShortcut(const char* file, std::string* address, std::string* description);
// Writes the given values (null: left as it is; at least one is given).
bool UpdateInternetShortcut(const char* file, const char* address, const char* description);
// True when the file names a URL at all, however long.
bool HasInternetShortcutAddress(const char* file);

}  // namespace talo

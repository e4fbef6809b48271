// Resolving and creating the user data folder; the shared path test.
#include "data/user_folder.h"

#include "base/text.h"
#include "base/unique.h"

namespace talo {
namespace {

constexpr int kUserNameBufferSize = 2048;

}  // namespace

int UserFolderPath(char* folder, bool* use_default_user, const char* base_folder, bool tolerant,
                   UserNameQuery query_user_name) {
  if (!folder || !use_default_user || !base_folder) return 0;
  folder[0] = '\0';

  char user_name[kUserNameBufferSize] = {};
  if (!*use_default_user) {
    DWORD size = kUserNameBufferSize - 1;
    bool known = query_user_name && query_user_name(user_name, &size);
    user_name[kUserNameBufferSize - 1] = '\0';
    if (!known) {
      if (!tolerant) return 0;
      *use_default_user = true;
    }
  }

  // Each piece must fit whole: a cut base folder or user name would name another user's folder.
  int base_length = BoundedLength(base_folder, kPathCapacity);
  int name_length = BoundedLength(user_name, kUserNameFolderChars);
  int needed = *use_default_user ? base_length + 8 : base_length + 1 + name_length + 1;
  if (needed > kPathCapacity - 1) return 0;
  CopyText(folder, kPathCapacity, base_folder);
  if (*use_default_user) {
    AppendText(folder, kPathCapacity, "Default\\");
  } else {
    AppendText(folder, kPathCapacity, "_");
    AppendText(folder, kPathCapacity, user_name, kUserNameFolderChars);
    AppendText(folder, kPathCapacity, "\\");
  }
  return needed;
}

int ResolveUserFolder(char* folder, bool* use_default_user, const char* base_folder, bool tolerant,
                      UserNameQuery query_user_name) {
  if (!folder || !use_default_user || !base_folder) return 0;
  const int length =
      UserFolderPath(folder, use_default_user, base_folder, tolerant, query_user_name);
  if (length > 0 && PathExists(folder, true, true)) return length;
  folder[0] = '\0';
  *use_default_user = false;
  return 0;
}

bool PathExists(const char* path, bool folder_wanted, bool create) {
  const char* start = nullptr;
  int length = TrimmedRange(path, &start);
  if (length > 0 && (start[length - 1] == '\\' || start[length - 1] == '/')) --length;
  if (length == 0 || length > kPathCapacity - 1) return false;

  char lookup[kPathCapacity];
  CopyText(lookup, sizeof lookup, start, length);
  for (int i = 0; i < length; ++i)
    if (lookup[i] == '*' || lookup[i] == '?') return false;

  WIN32_FIND_DATAA entry;
  FindHandle find(FindFirstFileA(lookup, &entry));
  if (find) {
    do {
      bool is_folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      if (is_folder == folder_wanted) return true;
    } while (FindNextFileA(find.get(), &entry));
  }
  if (folder_wanted && create) return CreateDirectoryA(lookup, nullptr) != FALSE;
  return false;
}

bool FolderPathCharactersValid(const char* path) {
  if (!path) return false;
  for (int i = 0; path[i]; ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (c < 32 || c == '<' || c == '>' || c == '"' || c == '|' || c == '*' || c == '?')
      return false;
    const bool after_drive_letter =
        i == 1 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (c == ':' && !after_drive_letter) return false;
  }
  return true;
}

bool RootFolderExists(const char* folder) {
  const char* start = nullptr;
  const int length = TrimmedRange(folder, &start);
  const bool separator_last = length > 0 && (start[length - 1] == '\\' || start[length - 1] == '/');
  const bool root = separator_last && (length == 1 || (length == 3 && start[1] == ':'));
  if (!root) return false;
  char path[4] = {};
  CopyText(path, sizeof path, start, length);
  const UINT previous_mode = SetErrorMode(SEM_FAILCRITICALERRORS);
  const DWORD attributes = GetFileAttributesA(path);
  SetErrorMode(previous_mode);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace talo

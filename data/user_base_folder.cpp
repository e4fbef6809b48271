// Choosing the base folder of the user data where the user has chosen none.
#include "data/user_base_folder.h"

#include <shlobj.h>

#include "base/text.h"

namespace talo {
namespace {

constexpr char kAppDataFolderName[] = "Tallowick\\";
constexpr char kVirtualStoreName[] = "VirtualStore\\";

bool SameFolder(const char* a, const char* b) { return *a && *b && lstrcmpiA(a, b) == 0; }

// Whether the user folder below `base` exists; nothing is created.
bool UserFolderExistsBelow(const char* base, bool use_default_user, bool tolerant,
                           UserNameQuery query_user_name) {
  char folder[kPathCapacity];
  return *base && UserFolderPath(folder, &use_default_user, base, tolerant, query_user_name) &&
         PathExists(folder, true, false);
}

// Where Windows put what a 32-bit program without a manifest wrote into the install folder on a
// standard account: the same path below "VirtualStore" in the user's local application data.
// Empty when the install folder is not on a drive or the path does not fit.
void VirtualStoreFolder(char* folder, const char* install_dir) {
  folder[0] = '\0';
  const bool on_drive = install_dir[0] && install_dir[1] == ':' && install_dir[2] == '\\';
  char local_app_data[MAX_PATH] = {};
  if (!on_drive || FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr,
                                           SHGFP_TYPE_CURRENT, local_app_data)))
    return;
  char path[kPathCapacity];
  if (!NormaliseFolderPath(path, sizeof path, local_app_data)) return;
  const int length = BoundedLength(path, kPathCapacity) + int(sizeof kVirtualStoreName) - 1 +
                     BoundedLength(install_dir + 3, kPathCapacity);
  if (length > kPathCapacity - 1) return;
  AppendText(path, sizeof path, kVirtualStoreName);
  AppendText(path, sizeof path, install_dir + 3);
  CopyText(folder, kPathCapacity, path);
}

}  // namespace

int AppDataBaseFolder(char* folder, bool all_users) {
  if (!folder) return 0;
  folder[0] = '\0';
  char shell_folder[MAX_PATH] = {};
  const int which = (all_users ? CSIDL_COMMON_APPDATA : CSIDL_APPDATA) | CSIDL_FLAG_CREATE;
  if (FAILED(SHGetFolderPathA(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, shell_folder))) return 0;
  char normalised[kPathCapacity];
  if (!NormaliseFolderPath(normalised, sizeof normalised, shell_folder)) return 0;
  if (BoundedLength(normalised, kPathCapacity) + int(sizeof kAppDataFolderName) > kPathCapacity)
    return 0;
  CopyText(folder, kPathCapacity, normalised);
  return AppendText(folder, kPathCapacity, kAppDataFolderName);
}

bool IsAutomaticBaseFolder(const char* base_folder, const char* install_dir) {
  if (!base_folder || !install_dir) return false;
  char app_data[kPathCapacity], virtual_store[kPathCapacity];
  VirtualStoreFolder(virtual_store, install_dir);
  return SameFolder(base_folder, install_dir) || SameFolder(base_folder, virtual_store) ||
         (AppDataBaseFolder(app_data, false) && SameFolder(base_folder, app_data)) ||
         (AppDataBaseFolder(app_data, true) && SameFolder(base_folder, app_data));
}

int ResolveAutomaticUserFolder(char* base_folder, char* folder, bool* use_default_user,
                               const char* stored_base, const char* install_dir, bool tolerant,
                               UserNameQuery query_user_name) {
  if (!base_folder || !folder || !use_default_user || !install_dir) return 0;
  base_folder[0] = folder[0] = '\0';
  const bool wanted_default = *use_default_user;

  char app_data[kPathCapacity] = {};
  // Without a user name a tolerant resolution takes the shared folder: so does the choice here.
  bool shared = wanted_default;
  char unused[kPathCapacity];
  UserFolderPath(unused, &shared, install_dir, tolerant, query_user_name);
  AppDataBaseFolder(app_data, shared);

  // The application data folder of this mode is not among them: the setup makes the shared
  // "Default" there for every machine, and it must not draw users away from an install folder
  // that they may write.
  // Earlier 32-bit versions on a standard account wrote into a per-user copy of the install folder
  // without knowing it: their assignments are kept there.
  char virtual_store[kPathCapacity];
  VirtualStoreFolder(virtual_store, install_dir);
  const char* existing_places[] = {stored_base ? stored_base : "", install_dir, virtual_store};
  for (const char* place : existing_places) {
    if (!UserFolderExistsBelow(place, wanted_default, tolerant, query_user_name)) continue;
    *use_default_user = wanted_default;
    const int length =
        ResolveUserFolder(folder, use_default_user, place, tolerant, query_user_name);
    if (length) CopyText(base_folder, kPathCapacity, place);
    return length;
  }

  *use_default_user = wanted_default;
  int length = ResolveUserFolder(folder, use_default_user, install_dir, tolerant, query_user_name);
  if (length) {
    CopyText(base_folder, kPathCapacity, install_dir);
    return length;
  }
  *use_default_user = wanted_default;
  if (*app_data && PathExists(app_data, true, true))
    length = ResolveUserFolder(folder, use_default_user, app_data, tolerant, query_user_name);
  if (length) CopyText(base_folder, kPathCapacity, app_data);
  return length;
}

}  // namespace talo

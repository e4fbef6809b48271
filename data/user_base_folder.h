// The base folder of the user data when the user has chosen none: the install folder where it
// serves, else a folder under the application data.
#pragma once

#include "data/user_folder.h"

namespace talo {

// The folder below the application data that holds Tallowick's user folders ("Tallowick\"), for
// this user or, with `all_users`, the one of every user of the machine, which the setup creates
// with a "Default" folder that all of them may write. Written into `folder` (kPathCapacity
// bytes) ending in a backslash; returns its length, 0 when Windows names no such folder.
int AppDataBaseFolder(char* folder, bool all_users);

// Whether `base_folder` is one the program chose itself: the install folder (which earlier
// versions stored as the setting at their first start), its copy in "VirtualStore" (below) or
// one of the folders above.
bool IsAutomaticBaseFolder(const char* base_folder, const char* install_dir);

// Resolves the user data folder below a base folder the program chooses, writing both. A user
// folder that exists already keeps its place: below `stored_base` (the choice of an earlier start,
// may be empty), then below the install folder (older versions kept the data there) or below its
// per-user copy in "VirtualStore" (where Windows put it for a 32-bit version on a standard
// account, unseen by the hook in other programs; it stays in use there). Else the
// folder is created below the install folder when this user may write there, and otherwise
// below the application data folder: this user's own, or for the shared "Default" the one of all
// users. On a standard account Windows lets only administrators write the install folder (and
// a 32-bit program's writes there would go to a per-user copy that the hook does not see).
// `use_default_user` and `tolerant` as for ResolveUserFolder. Returns the user folder's length,
// or 0 with both outputs emptied.
int ResolveAutomaticUserFolder(char* base_folder, char* folder, bool* use_default_user,
                               const char* stored_base, const char* install_dir, bool tolerant,
                               UserNameQuery query_user_name = GetUserNameA);

}  // namespace talo

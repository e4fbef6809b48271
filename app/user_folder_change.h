// Changing where the user data lives while the program runs: the setting, the user data of the
// new folder, and the hook library's copy of the folder move together or not at all.
#pragma once

namespace talo {

// Each runs inside the caller's error scope and raises on failure, after everything is back as
// it was (setting, user data, communications block): the registry write error when the setting
// cannot be stored, an empty text when the new folder's user data could not be opened (that was
// shown already, with its reason), the communications server error when the hook library cannot
// be told the new folder. Nothing in the old folder is written.

// Switches between the shared "Default\" folder and the user's own folder.
void ChangeUseDefaultUser(bool use_default_user);
// Moves to a new base folder (normalised, ending in a backslash).
void ChangeUserBaseDir(const char* base_folder);

}  // namespace talo

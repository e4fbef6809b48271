// Opening and committing the user data of the current user data folder, with their messages.
#pragma once

namespace talo {

// Loads "User.dat" of the current user data folder into the user view, or creates an empty one
// when there is none. A failure is shown (as a fatal error at start-up) and returns false.
bool OpenUserData(bool fatal);

// Backs "User.dat" up to "User.bak" and saves the user view over it; a failed save is shown with
// the caption "Save settings error." and returns false. A failed backup does not stop the save.
bool CommitUserData();

}  // namespace talo

// Opening and committing the user data of the current user data folder, with their messages.
#pragma once

#include "data/user_data.h"

namespace talo {

// Loads "User.dat" of the current user data folder into the user view, or "User.bak" with a
// message when "User.dat" is damaged, or creates an empty one when there is none. A failure is
// shown (as a fatal error at start-up, over the application window; otherwise over the active
// window) and returns false. A missing file clears the table before its new copy may fail to
// save: a caller that must keep the old data keeps a copy (UserDataCopy).
bool OpenUserData(bool fatal);

// Saves the user view's changes into "User.dat" (see TTaloUserData::SaveFile); a failed save is
// shown with the caption "Save settings error." and returns false.
bool CommitUserData();

// A copy of the whole user view, to be put back when opening another folder's data failed.
class UserDataCopy {
 public:
  // Copies the view as it is now (nothing when it is not open).
  UserDataCopy();
  // Writes the copy back into the view; the hook library sees the old table again at once.
  void Restore() const;

 private:
  TTaloUserData::Copy copy_;
};

}  // namespace talo

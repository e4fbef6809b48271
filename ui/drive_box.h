// TDriveComboBox: a drop-down list of the drives ("C:"), linked to a TDirectoryListBox that it
// moves to the chosen drive.
#pragma once

#include <functional>

#include "ui/control_of.h"

namespace talo::ui {

class TDirectoryListBox;

class TDriveComboBox : public TControlOf<TDriveComboBox> {
 public:
  // Lists the drives that exist now and shows the linked list's drive (or the first).
  TDriveComboBox& Create(const TParent& parent, const TBounds& bounds);
  // The list that follows the chosen drive; not owned.
  TDriveComboBox& DirList(TDirectoryListBox& list);

  // The drive shown (upper case), 0 for none.
  char Drive() const;
  // Shows `drive` and moves the linked list there. False when the box has no such drive, or when
  // the list cannot read the drive: the box then shows it all the same, as after a user's choice.
  bool SetDrive(char drive);

  // The user chose a drive and the linked list moved there.
  TDriveComboBox& OnChange(std::function<void()> handler);
  // The user chose a drive that cannot be read (no medium, a lost connection); the box shows that
  // drive until the handler sets another.
  TDriveComboBox& OnDriveError(std::function<void(char drive)> handler);

 protected:
  bool Command(WORD code) override;

 private:
  // Selects the line of `drive`; false when there is none.
  bool Show(char drive);

  TDirectoryListBox* list_ = nullptr;
  std::function<void()> change_;
  std::function<void(char)> drive_error_;
};

}  // namespace talo::ui

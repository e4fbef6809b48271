// TDirectoryListBox: the folders of one drive as a tree of lines - the open folders from the root
// down to the current one, then the current folder's sub-folders - with the shell's pictures.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/control_of.h"

namespace talo::ui {

// A drive letter in upper case, or 0 for anything that is no letter.
char UpperDriveLetter(char letter);

class TDirectoryListBox : public TControlOf<TDirectoryListBox> {
 public:
  // Starts in the process's current folder.
  TDirectoryListBox& Create(const TParent& parent, const TBounds& bounds);

  // The current folder: "C:\" for a root, else without a trailing backslash.
  const std::string& Directory() const { return directory_; }
  // Shows `folder` (with or without a trailing backslash); false, changing nothing, when it is no
  // folder that can be listed.
  bool SetDirectory(const std::string& folder);
  // The drive letter of the current folder (upper case), or 0 for a network path.
  char Drive() const;
  // Goes to the folder last shown on `drive`, or to its root; false, changing nothing, when the
  // drive cannot be read (no medium, a lost network connection).
  bool SetDrive(char drive);

  // The current folder changed, by a double click on a line or by the program.
  TDirectoryListBox& OnChange(std::function<void()> handler);

 protected:
  bool Notify(NMHDR& header, LRESULT& result) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // The selected line when it stands for a folder other than the current one, else -1.
  int OtherSelectedLine() const;
  // Fills the lines for `folder`; false when it cannot be listed.
  bool Fill(const std::string& folder);

  std::string directory_;
  std::vector<std::string> line_folders_;  // the folder each line stands for
  std::string last_on_drive_[26];
  std::function<void()> change_;
};

}  // namespace talo::ui

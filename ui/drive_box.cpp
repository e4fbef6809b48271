// TDriveComboBox: a CBS_DROPDOWNLIST combo box with one line per logical drive.
#include "ui/drive_box.h"

#include <utility>

#include "ui/directory_list.h"

namespace talo::ui {

TDriveComboBox& TDriveComboBox::Create(const TParent& parent, const TBounds& bounds) {
  TBounds sized = bounds;
  if (sized.width <= 0) sized.width = 145;
  // The height of a drop-down list includes its open list.
  sized.height = 200;
  CreateHandle(parent, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, sized, "");
  const DWORD drives = GetLogicalDrives();
  for (char drive = 'A'; drive <= 'Z'; ++drive) {
    if (!(drives & (1u << (drive - 'A')))) continue;
    const char text[] = {drive, ':', '\0'};
    const LRESULT line = SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (line >= 0) SendMessageA(Handle(), CB_SETITEMDATA, line, drive);
  }
  if (SendMessageA(Handle(), CB_GETCOUNT, 0, 0) > 0) SendMessageA(Handle(), CB_SETCURSEL, 0, 0);
  return *this;
}

TDriveComboBox& TDriveComboBox::DirList(TDirectoryListBox& list) {
  list_ = &list;
  Show(list.Drive());
  return *this;
}

char TDriveComboBox::Drive() const {
  if (!Handle()) return 0;
  const LRESULT line = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
  if (line < 0) return 0;
  return static_cast<char>(SendMessageA(Handle(), CB_GETITEMDATA, line, 0));
}

bool TDriveComboBox::Show(char drive) {
  drive = UpperDriveLetter(drive);
  if (!Handle() || !drive) return false;
  const LRESULT count = SendMessageA(Handle(), CB_GETCOUNT, 0, 0);
  for (LRESULT line = 0; line < count; ++line) {
    if (SendMessageA(Handle(), CB_GETITEMDATA, line, 0) == drive) {
      SendMessageA(Handle(), CB_SETCURSEL, line, 0);
      return true;
    }
  }
  return false;
}

bool TDriveComboBox::SetDrive(char drive) {
  if (!Show(drive)) return false;
  return !list_ || list_->Drive() == Drive() || list_->SetDrive(Drive());
}

TDriveComboBox& TDriveComboBox::OnChange(std::function<void()> handler) {
  change_ = std::move(handler);
  return *this;
}

TDriveComboBox& TDriveComboBox::OnDriveError(std::function<void(char drive)> handler) {
  drive_error_ = std::move(handler);
  return *this;
}

bool TDriveComboBox::Command(WORD code) {
  if (code != CBN_SELCHANGE) return false;
  const char drive = Drive();
  if (list_ && list_->Drive() != drive && !list_->SetDrive(drive)) {
    if (drive_error_) drive_error_(drive);
    return true;
  }
  if (change_) change_();
  return true;
}

}  // namespace talo::ui

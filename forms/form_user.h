// TFormUser: the dialog in which the user picks the base folder of the user data, the folder that
// holds the per-user and "Default" sub-folders.
#pragma once

#include "ui/button.h"
#include "ui/directory_list.h"
#include "ui/drive_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"

namespace talo {

class TFormUser : public ui::TForm {
 public:
  TFormUser();

  // Components, named as the form's design names them.
  ui::TLabel lblNote;
  ui::TEdit edtPath;
  ui::TDirectoryListBox dilbMain;
  ui::TDriveComboBox drcbMain;
  ui::TButton btnSelect, btnCancel;

  // Handlers (public so that tests can act as the user would).
  void fmShow();
  void drcbMainChange();
  // The user chose a drive that cannot be read: says so, and shows the previous drive again.
  void drcbMainDriveError(char drive);
  void btnSelectClick();
  // edtPath := the directory list's folder, ending in a backslash.
  void ShowSelectedPath();
  // Takes the folder in edtPath as the new base folder: creates it (one level) and the user data
  // folder below it when missing, and moves the user data there. A failure is shown and keeps
  // the previous folder.
  bool SelectPath();

 private:
  void CreateComponents() override;

  // The last drive that the drive box could read.
  char LastDrive = 0;
};

}  // namespace talo

// TFormRename: the dialog in which the editor renames its working shortcut.
#pragma once

#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"

namespace talo {

class TFormRename : public ui::TForm {
 public:
  TFormRename();

  // Shows the working shortcut of `kind` for renaming: the modal result (1 OK, 2 Cancel), or 0
  // without showing anything when the kind is none or the shortcut has no name to edit.
  int EditName(int kind);

  ui::TEdit edtName;
  ui::TButton btnOK, btnCancel;

  // Handlers (public so that tests can act as the user would).
  void fmShow();
  void edtNameChange();
  void btnOKClick();
  // Writes the name into the working shortcut; an empty name is refused without a message.
  bool SaveName();

 private:
  void CreateComponents() override;

  int ShortcutKind = 0;
  bool Loading = false;
};

}  // namespace talo

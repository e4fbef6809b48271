// FindActiveForm, parking the main window, and the operations that show the dialogs.
#include "app/form_navigation.h"

#include "app/form_main.h"
#include "app/form_warning.h"
#include "app/globals.h"
#include "forms/form_about.h"
#include "forms/form_assign.h"
#include "forms/form_list.h"
#include "forms/form_options.h"
#include "forms/form_rename.h"
#include "forms/form_user.h"
#include "ui/application.h"

namespace talo {

ui::TForm* FindActiveForm() {
  ui::TForm* forms[] = {FormAbout,   FormAssign, FormList, FormMain,
                        FormOptions, FormRename, FormUser, FormWarning};
  for (ui::TForm* form : forms)
    if (!form) return nullptr;
  for (ui::TForm* form : forms)
    if (form->Visible() && IsWindowEnabled(form->Handle())) return form;
  return nullptr;
}

HWND MessageOwner() {
  if (ui::TForm* form = FindActiveForm()) return form->Handle();
  return ui::Application ? ui::Application->Handle() : nullptr;
}

void ParkMainWindow(bool only_when_inactive) {
  if (!FormMain) return;
  if (only_when_inactive && FindActiveForm() == FormMain) return;
  FormMain->Park();
}

void RestoreMainWindow() {
  if (FormMain) FormMain->Unpark();
}

void ShowListForm() {
  if (!FormMain || !FormList) return;
  ParkMainWindow(false);
  FormList->ShowModal();
  RestoreMainWindow();
}

void ShowOptionsForm() {
  if (!FormMain || !FormOptions) return;
  ParkMainWindow(true);
  FormOptions->ShowModal();
  RestoreMainWindow();
}

void ShowAboutForm() {
  if (FormAbout) FormAbout->ShowModal();
}

void EditAssignment(int code, ui::TForm* caller) {
  if (!FormAssign || !caller) return;
  const bool from_main = caller == FormMain;
  if (from_main)
    ParkMainWindow(false);
  else
    caller->Hide();
  FormAssign->EditCombination(code);
  if (from_main)
    RestoreMainWindow();
  else
    caller->Show();
}

}  // namespace talo

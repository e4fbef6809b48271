// TFormOptions: the options - assignments enabled, combination warnings, run on start-up, and
// where the user data lives.
#pragma once

#include "forms/help_menu.h"
#include "forms/help_topics.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/page_control.h"
#include "ui/tab_sheet.h"

namespace talo {

class TFormOptions : public ui::TForm {
 public:
  TFormOptions();

  // Components, named as the form's design names them.
  ui::TPageControl pagMain;
  ui::TTabSheet tabGeneral, tabNetwork;
  ui::TCheckBox chkEnabled, chkWarnings, chkStartup, chkDefUser;
  ui::TLabel lblPath;
  ui::TEdit edtPath;
  ui::TButton btnChange, btnOKClose, btnCancel, btnApply;
  THelpMenu menuHelp;

  // Handlers (public so that tests can act as the user would).
  void fmShow();
  void chkEnabledClick();
  void chkWarningsClick();
  void chkStartupClick();
  void chkDefUserClick();
  void btnChangeClick();
  void btnOKCloseClick();
  void btnApplyClick();
  // Applies all four settings, changed or not, stopping at the first that fails (shown).
  bool SaveOptions();

 private:
  void CreateComponents() override;
  // A switch turned off takes effect only when the user confirms it; otherwise it is ticked again.
  void ConfirmSwitchOff(ui::TCheckBox& box, const char* question, const char* caption);
};

}  // namespace talo

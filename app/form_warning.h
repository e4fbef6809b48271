// TFormWarning: the dialog that warns about a combination other applications commonly use.
#pragma once

#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/form.h"
#include "ui/label.h"

namespace talo {

class TFormWarning : public ui::TForm {
 public:
  TFormWarning();

  ui::TLabel lblWarning;
  ui::TLabel lblMessage;
  ui::TButton btnContinue;
  ui::TButton btnCancel;
  ui::TCheckBox chkNoWarnings;

  void fmShow();
  // Continue: turns the warnings off for good when the box is ticked, and ends with result 1
  // even when that setting cannot be stored.
  void btnContinueClick();
  void btnCancelClick();

 private:
  void CreateComponents() override;
  // Over the main window, kept on its screen's work area.
  void CenterOverOwner();
};

// Shows the warning for `code` modally and returns its modal result: 1 to go on to the editor,
// anything else to drop the combination (also when there is no form).
int ShowCombinationWarning(TFormWarning* form, int code);

}  // namespace talo

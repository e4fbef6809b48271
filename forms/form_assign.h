// TFormAssign: the assignment editor (filled by its own change).
#pragma once

#include "app/help.h"
#include "forms/help_menu.h"
#include "ui/form.h"

namespace talo {

class TFormAssign : public ui::TForm {
 public:
  TFormAssign() : TForm(ui::DialogDesign("TFormAssign", "Key Combination Assignment", 650, 420)) {
    FinishCreate();
  }

  // Runs the editor modally for the combination `code`.
  int EditCombination(int code) {
    code_ = code;
    return ShowModal();
  }
  int Code() const { return code_; }

  THelpMenu menuHelp;

 private:
  void CreateComponents() override { menuHelp.Attach(*this, kHelpAssign); }

  int code_ = 0;
};

}  // namespace talo

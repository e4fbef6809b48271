// TFormList: the assignment list (filled by its own change).
#pragma once

#include "app/help.h"
#include "forms/help_menu.h"
#include "ui/form.h"

namespace talo {

class TFormList : public ui::TForm {
 public:
  TFormList() : TForm(ui::DialogDesign("TFormList", "Key Combination Assignment List", 640, 400)) {
    FinishCreate();
  }

  THelpMenu menuHelp;

 private:
  void CreateComponents() override { menuHelp.Attach(*this, kHelpList); }
};

}  // namespace talo

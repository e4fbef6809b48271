// TFormOptions: the options form (filled by its own change).
#pragma once

#include "app/help.h"
#include "forms/help_menu.h"
#include "ui/form.h"

namespace talo {

class TFormOptions : public ui::TForm {
 public:
  TFormOptions() : TForm(ui::ClientDialogDesign("TFormOptions", "Options", 323, 198)) {
    FinishCreate();
  }

  THelpMenu menuHelp;

 private:
  void CreateComponents() override { menuHelp.Attach(*this, kHelpOptions); }
};

}  // namespace talo

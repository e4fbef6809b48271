// TFormRename: the rename dialog (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormRename : public ui::TForm {
 public:
  TFormRename() : TForm(ui::DialogDesign("TFormRename", "Rename Shortcut", 360, 140)) {
    FinishCreate();
  }
};

}  // namespace talo

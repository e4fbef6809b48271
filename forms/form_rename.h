// TFormRename: the rename dialog (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormRename : public ui::TForm {
 public:
  TFormRename() : TForm(Design()) { FinishCreate(); }

 private:
  static ui::FormDesign Design() {
    ui::FormDesign design;
    design.class_name = "TFormRename";
    design.caption = "Rename Shortcut";
    design.width = 360;
    design.height = 140;
    design.border = ui::BorderStyle::Dialog;
    return design;
  }
};

}  // namespace talo

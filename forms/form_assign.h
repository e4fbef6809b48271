// TFormAssign: the assignment editor (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormAssign : public ui::TForm {
 public:
  TFormAssign() : TForm(Design()) { FinishCreate(); }

 private:
  static ui::FormDesign Design() {
    ui::FormDesign design;
    design.class_name = "TFormAssign";
    design.caption = "Key Combination Assignment";
    design.width = 650;
    design.height = 420;
    design.border = ui::BorderStyle::Dialog;
    return design;
  }
};

}  // namespace talo

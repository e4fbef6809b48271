// TFormList: the assignment list (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormList : public ui::TForm {
 public:
  TFormList() : TForm(Design()) { FinishCreate(); }

 private:
  static ui::FormDesign Design() {
    ui::FormDesign design;
    design.class_name = "TFormList";
    design.caption = "Key Combination Assignment List";
    design.width = 640;
    design.height = 400;
    design.border = ui::BorderStyle::Dialog;
    return design;
  }
};

}  // namespace talo

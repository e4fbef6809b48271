// TFormWarning: the combination warning (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormWarning : public ui::TForm {
 public:
  TFormWarning() : TForm(Design()) { FinishCreate(); }

 private:
  static ui::FormDesign Design() {
    ui::FormDesign design;
    design.class_name = "TFormWarning";
    design.caption = "Key combination warning.";
    design.width = 355;
    design.height = 215;
    design.border = ui::BorderStyle::Dialog;
    return design;
  }
};

}  // namespace talo

// TFormOptions: the options form (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormOptions : public ui::TForm {
 public:
  TFormOptions() : TForm(Design()) { FinishCreate(); }

 private:
  static ui::FormDesign Design() {
    ui::FormDesign design;
    design.class_name = "TFormOptions";
    design.caption = "Options";
    design.width = 480;
    design.height = 400;
    design.border = ui::BorderStyle::Dialog;
    return design;
  }
};

}  // namespace talo

// TFormAbout: the about box (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormAbout : public ui::TForm {
 public:
  TFormAbout() : TForm(Design()) { FinishCreate(); }

 private:
  static ui::FormDesign Design() {
    ui::FormDesign design;
    design.class_name = "TFormAbout";
    design.caption = "About Tallowick";
    design.width = 400;
    design.height = 300;
    design.border = ui::BorderStyle::Dialog;
    return design;
  }
};

}  // namespace talo

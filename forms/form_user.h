// TFormUser: the user data path form (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormUser : public ui::TForm {
 public:
  TFormUser() : TForm(Design()) { FinishCreate(); }

 private:
  static ui::FormDesign Design() {
    ui::FormDesign design;
    design.class_name = "TFormUser";
    design.caption = "Select User (Network) Data Path";
    design.width = 420;
    design.height = 360;
    design.border = ui::BorderStyle::Dialog;
    return design;
  }
};

}  // namespace talo

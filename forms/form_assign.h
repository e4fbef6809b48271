// TFormAssign: the assignment editor (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormAssign : public ui::TForm {
 public:
  TFormAssign() : TForm(ui::DialogDesign("TFormAssign", "Key Combination Assignment", 650, 420)) {
    FinishCreate();
  }
};

}  // namespace talo

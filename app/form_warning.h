// TFormWarning: the combination warning (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormWarning : public ui::TForm {
 public:
  TFormWarning() : TForm(ui::DialogDesign("TFormWarning", "Key combination warning.", 355, 215)) {
    FinishCreate();
  }
};

}  // namespace talo

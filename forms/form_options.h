// TFormOptions: the options form (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormOptions : public ui::TForm {
 public:
  TFormOptions() : TForm(ui::DialogDesign("TFormOptions", "Options", 480, 400)) { FinishCreate(); }
};

}  // namespace talo

// TFormAbout: the about box (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormAbout : public ui::TForm {
 public:
  TFormAbout() : TForm(ui::DialogDesign("TFormAbout", "About Tallowick", 400, 300)) {
    FinishCreate();
  }
};

}  // namespace talo

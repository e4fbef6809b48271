// TFormUser: the user data path form (filled by its own change).
#pragma once

#include "ui/form.h"

namespace talo {

class TFormUser : public ui::TForm {
 public:
  TFormUser()
      : TForm(ui::ClientDialogDesign("TFormUser", "Select User (Network) Data Path", 321, 361)) {
    FinishCreate();
  }
};

}  // namespace talo

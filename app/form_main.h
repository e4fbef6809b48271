// TFormMain: the program's main window (the keyboard picture grows into it).
#pragma once

#include "base/unique.h"
#include "ui/form.h"

namespace talo {

class TFormMain : public ui::TForm {
 public:
  TFormMain();

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  // The 16 x 16 pictures of the notification icon.
  HICON TrayIconPicture(bool enabled) const {
    return enabled ? icon_enabled_.get() : icon_disabled_.get();
  }

 private:
  void fmClose(ui::CloseAction& action);
  // A second instance asked for the window: show and activate it, unless a modal form is open.
  void ShowMainWindowRequest();

  IconHandle icon_enabled_;
  IconHandle icon_disabled_;
};

}  // namespace talo

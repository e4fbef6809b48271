// TFormMain: the program's main window (the keyboard picture grows into it).
#pragma once

#include "base/unique.h"
#include "ui/form.h"

namespace talo {

class TFormMain : public ui::TForm {
 public:
  TFormMain();

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  // Off screen behind a dialog, and back. Parking a hidden window shows it (off screen).
  void Park();
  void Unpark();
  bool Parked() const { return parked_; }

  // The 16 x 16 pictures of the notification icon.
  HICON TrayIconPicture(bool enabled) const {
    return enabled ? icon_enabled_.get() : icon_disabled_.get();
  }

 private:
  void fmClose(ui::CloseAction& action);
  // A second instance asked for the window: show and activate it, unless a modal form is open.
  void ShowMainWindowRequest();

  // While parked: where the window was and whether it was shown.
  bool parked_ = false;
  bool visible_before_park_ = false;
  int left_before_park_ = 0;
  int width_before_park_ = 0;

  IconHandle icon_enabled_;
  IconHandle icon_disabled_;
};

}  // namespace talo

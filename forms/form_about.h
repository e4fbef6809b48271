// TFormAbout: the about box with the program's icon, version and copyright.
#pragma once

#include <string>

#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/panel.h"

namespace talo {

class TFormAbout : public ui::TForm {
 public:
  TFormAbout();

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  ui::TPanel pnlImage;
  ui::TImage imgMain;
  ui::TLabel lblCompany, lblTitle, lblVersion, lblCopyright;
  ui::TEdit edtWeb;
  ui::TButton btnOK;

  void fmShow();
  // Opens the web line's address with the shell's default action; a failure is shown.
  void edtWebClick();

 private:
  // What the web line opens; it shows the file's name.
  std::string web_address_;
  void CreateComponents() override;
  // The program's icon, version and copyright, read from its own file.
  void ReadProgramFile();
};

}  // namespace talo

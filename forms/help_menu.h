// THelpMenu: the "&Help" menu bar of the editor, the list and the options.
#pragma once

#include "ui/main_menu.h"
#include "ui/menu_item.h"

namespace talo {

namespace ui {
class TForm;
}

class THelpMenu {
 public:
  // Gives `form` the menu: "&Contents and Index" (the help contents), "&Topical" with F1 (help
  // topic `topic`), a separator and "&About..." (the about box).
  void Attach(ui::TForm& form, int topic);

  ui::TMainMenu menuMain;
  ui::TMenuItem menMnHelp, menMnHlpContents, menMnHlpTopical, menMnHlpN1, menMnHlpAbout;

 private:
  void menMnHlpContentsClick();
  void menMnHlpTopicalClick();

  int topic_ = 0;
};

}  // namespace talo

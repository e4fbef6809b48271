// TMainMenu: a form's menu bar; each top item drops down its sub-items.
#pragma once

#include <windows.h>

#include "ui/menu_item.h"
#include "ui/popup_menu.h"

namespace talo::ui {

class TForm;

class TMainMenu {
 public:
  TMainMenu() = default;
  TMainMenu(const TMainMenu&) = delete;
  TMainMenu& operator=(const TMainMenu&) = delete;

  TMainMenu& Add(TMenuItem& item);
  // Builds the bar from the items and gives it to the form (once), which then hands this menu its
  // commands and short-cut keys. False when Windows refused the menu.
  bool Attach(TForm& form);
  // Runs OnClick of the enabled item with `command`; false when there is none.
  bool DispatchCommand(UINT command);
  // Runs the enabled item with a short cut for `event`; false when there is none.
  bool DispatchShortCut(const TKeyEvent& event);

 private:
  TMenuItem items_;
};

}  // namespace talo::ui

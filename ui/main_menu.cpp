// TMainMenu: building the menu bar, its commands and its short-cut keys.
#include "ui/main_menu.h"

#include "ui/form.h"

namespace talo::ui {

TMainMenu& TMainMenu::Add(TMenuItem& item) {
  items_.Add(item);
  return *this;
}

bool TMainMenu::Attach(TForm& form) {
  TBuiltMenu built;
  built.menu.reset(CreateMenu());
  if (!built.menu || !items_.AppendItemsTo(built.menu.get(), nullptr, built.bitmaps)) return false;
  if (!SetMenu(form.Handle(), built.menu.get())) return false;
  built.menu.release();  // the window destroys the menu it holds
  form.SetMainMenu(this);
  return true;
}

bool TMainMenu::DispatchCommand(UINT command) { return items_.ClickCommand(command); }

bool TMainMenu::DispatchShortCut(const TKeyEvent& event) { return items_.ClickShortCut(event); }

}  // namespace talo::ui

// TPopupMenu: building the Win32 menu and tracking it.
#include "ui/popup_menu.h"

#include <utility>

#include "ui/application.h"

namespace talo::ui {

TPopupMenu& TPopupMenu::Add(TMenuItem& item) {
  items_.Add(item);
  return *this;
}

TPopupMenu& TPopupMenu::Images(const TImageList* images) {
  images_ = images;
  return *this;
}

TPopupMenu& TPopupMenu::Tag(int tag) {
  tag_ = tag;
  return *this;
}

TPopupMenu& TPopupMenu::OnPopup(std::function<void()> handler) {
  popup_ = std::move(handler);
  return *this;
}

TBuiltMenu TPopupMenu::Build() const {
  TBuiltMenu built;
  built.menu.reset(CreatePopupMenu());
  if (built.menu && !items_.AppendItemsTo(built.menu.get(), images_, built.bitmaps)) {
    built.menu.reset();
    built.bitmaps.clear();
  }
  return built;
}

bool TPopupMenu::Popup(int x, int y, HWND owner) {
  if (popup_) popup_();
  if (!owner && Application) owner = Application->Handle();
  if (!owner) return false;
  TBuiltMenu built = Build();
  if (!built.menu) return false;
  // The item is run after the menu has closed, so its handler may show a modal form.
  UINT command = TrackPopupMenu(built.menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x,
                                y, 0, owner, nullptr);
  // A menu of a window that was not in the foreground closes properly at the next click only
  // after its owner has seen a message.
  PostMessageA(owner, WM_NULL, 0, 0);
  return command != 0 && DispatchCommand(command);
}

bool TPopupMenu::DispatchCommand(UINT command) { return items_.ClickCommand(command); }

bool TPopupMenu::DispatchShortCut(const TKeyEvent& event) {
  if (popup_) popup_();
  return items_.ClickShortCut(event);
}

}  // namespace talo::ui

// TPopupMenu: a menu of TMenuItems shown at a screen point, running the chosen item's OnClick.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "base/unique.h"
#include "ui/menu_item.h"

namespace talo::ui {

class TImageList;

inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }

// A Win32 menu built from items for one showing, with the pictures it shows (deleted after it).
struct TBuiltMenu {
  std::vector<GdiObject> bitmaps;
  Unique<HMENU, DestroyMenuHandle> menu;
};

class TPopupMenu {
 public:
  TPopupMenu() = default;
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  TMenuItem& Items() { return items_; }
  const TMenuItem& Items() const { return items_; }
  TPopupMenu& Add(TMenuItem& item);
  // The pictures of the items' ImageIndex; the list is not owned.
  const TImageList* Images() const { return images_; }
  TPopupMenu& Images(const TImageList* images);
  int Tag() const { return tag_; }
  TPopupMenu& Tag(int tag);
  // Runs before the menu is built for popping up: the place to set captions and states.
  TPopupMenu& OnPopup(std::function<void()> handler);

  // The menu as it would pop up now: visible items only; an empty handle on failure.
  TBuiltMenu Build() const;
  // Pops the menu up at screen point (x, y) for `owner` (the application window when null),
  // then runs OnClick of the chosen item. False when nothing was chosen.
  bool Popup(int x, int y, HWND owner = nullptr);
  // Runs OnClick of the enabled item with `command`; false when there is none.
  bool DispatchCommand(UINT command);
  // Runs OnPopup (which sets the items' states), then OnClick of the visible, enabled item with a
  // short cut for `event`; false when there is none.
  bool DispatchShortCut(const TKeyEvent& event);

 private:
  TMenuItem items_;
  const TImageList* images_ = nullptr;
  int tag_ = 0;
  std::function<void()> popup_;
};

}  // namespace talo::ui

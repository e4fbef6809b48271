// TMenuItem: states, the radio group and default rules, and building Win32 menu items.
#include "ui/menu_item.h"

#include <algorithm>
#include <utility>

#include "ui/image_list.h"

namespace talo::ui {
namespace {
// WM_COMMAND carries 16 bits of a menu identifier. Identifiers start above the dialog manager's
// (IDOK, IDCANCEL...), which a form reads as Enter and Escape; 0 is "nothing chosen".
const UINT kFirstCommand = 0x1000;
UINT NextCommand() {
  static UINT next_command = kFirstCommand;
  if (next_command > 0xFFFF) next_command = kFirstCommand;
  return next_command++;
}
}  // namespace

TMenuItem::TMenuItem() : command_(NextCommand()) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(*this);
  for (TMenuItem* item : items_) item->parent_ = nullptr;
}

TMenuItem& TMenuItem::Caption(const std::string& caption) {
  caption_ = caption;
  return *this;
}

TMenuItem& TMenuItem::Tag(int tag) {
  tag_ = tag;
  return *this;
}

TMenuItem& TMenuItem::Visible(bool visible) {
  visible_ = visible;
  return *this;
}

TMenuItem& TMenuItem::Enabled(bool enabled) {
  enabled_ = enabled;
  return *this;
}

TMenuItem& TMenuItem::Checked(bool checked) {
  checked_ = checked;
  if (checked && radio_item_ && parent_) {
    for (TMenuItem* sibling : parent_->items_) {
      if (sibling != this && sibling->radio_item_ && sibling->group_index_ == group_index_)
        sibling->checked_ = false;
    }
  }
  return *this;
}

TMenuItem& TMenuItem::RadioItem(bool radio_item) {
  radio_item_ = radio_item;
  return *this;
}

TMenuItem& TMenuItem::GroupIndex(int group_index) {
  group_index_ = group_index;
  return *this;
}

TMenuItem& TMenuItem::Default(bool is_default) {
  default_ = is_default;
  if (is_default && parent_) {
    for (TMenuItem* sibling : parent_->items_) {
      if (sibling != this) sibling->default_ = false;
    }
  }
  return *this;
}

TMenuItem& TMenuItem::ImageIndex(int index) {
  image_index_ = index;
  return *this;
}

TMenuItem& TMenuItem::Bitmap(HBITMAP bitmap) {
  bitmap_.reset(bitmap);
  return *this;
}

TMenuItem& TMenuItem::OnClick(std::function<void()> handler) {
  click_ = std::move(handler);
  return *this;
}

void TMenuItem::Click() {
  if (click_) click_();
}

TMenuItem& TMenuItem::Add(TMenuItem& item) {
  if (item.parent_) item.parent_->Remove(item);
  item.parent_ = this;
  items_.push_back(&item);
  return *this;
}

void TMenuItem::Remove(TMenuItem& item) {
  items_.erase(std::remove(items_.begin(), items_.end(), &item), items_.end());
  if (item.parent_ == this) item.parent_ = nullptr;
}

TMenuItem* TMenuItem::Find(UINT command) {
  if (command == command_) return this;
  for (TMenuItem* item : items_) {
    if (TMenuItem* found = item->Find(command)) return found;
  }
  return nullptr;
}

bool TMenuItem::ClickCommand(UINT command) {
  TMenuItem* item = Find(command);
  if (!item || item == this || !item->Enabled()) return false;
  item->Click();
  return true;
}

bool TMenuItem::AppendItemsTo(HMENU menu, const TImageList* images,
                              std::vector<GdiObject>& bitmaps) const {
  for (const TMenuItem* item : items_) {
    if (item->visible_ && !item->AppendTo(menu, images, bitmaps)) return false;
  }
  return true;
}

TMenuItem& TMenuItem::ShortCut(TShortCut keys, const std::string& text) {
  short_cuts_.push_back(keys);
  if (!text.empty()) short_cut_text_ = text;
  return *this;
}

TMenuItem* TMenuItem::FindShortCut(const TKeyEvent& event) {
  if (!visible_ || !enabled_) return nullptr;
  for (const TShortCut& keys : short_cuts_)
    if (keys.Matches(event)) return this;
  for (TMenuItem* item : items_)
    if (TMenuItem* found = item->FindShortCut(event)) return found;
  return nullptr;
}

bool TMenuItem::ClickShortCut(const TKeyEvent& event) {
  TMenuItem* item = FindShortCut(event);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenuItem::AppendTo(HMENU menu, const TImageList* images,
                         std::vector<GdiObject>& bitmaps) const {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  if (IsSeparator()) {
    info.fMask = MIIM_FTYPE;
    info.fType = MFT_SEPARATOR;
    return InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info) != FALSE;
  }
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
  info.fType = radio_item_ ? MFT_RADIOCHECK : MFT_STRING;
  info.fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : 0) |
                (default_ ? MFS_DEFAULT : 0);
  info.wID = command_;
  const std::string text = short_cut_text_.empty() ? caption_ : caption_ + "\t" + short_cut_text_;
  info.dwTypeData = const_cast<char*>(text.c_str());
  HBITMAP picture = Bitmap();
  if (!picture && images && image_index_ >= 0) {
    picture = images->CreateBitmap(image_index_, GetSysColor(COLOR_MENU));
    if (picture) bitmaps.emplace_back(picture);
  }
  if (picture) {
    info.fMask |= MIIM_BITMAP;
    info.hbmpItem = picture;
  }
  HMENU sub_menu = nullptr;
  if (!items_.empty()) {
    sub_menu = CreatePopupMenu();
    if (!sub_menu || !AppendItemsTo(sub_menu, images, bitmaps)) {
      if (sub_menu) DestroyMenu(sub_menu);
      return false;
    }
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = sub_menu;
  }
  if (InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info)) return true;
  if (sub_menu) DestroyMenu(sub_menu);
  return false;
}

}  // namespace talo::ui

// TMenuItem: one entry of a popup menu: caption, Tag, states, picture, sub-items and OnClick.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/unique.h"
#include "ui/key_event.h"

namespace talo::ui {

class TImageList;

// Items are members of their form beside the menu that lists them; a menu refers to its items
// and builds a fresh Win32 menu from them each time it pops up. Setters return the item so that
// a form's constructor chains them like a component table.
class TMenuItem {
 public:
  TMenuItem();
  ~TMenuItem();
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  // The caption "-" makes the item a separator; "&" underlines the next character.
  const std::string& Caption() const { return caption_; }
  TMenuItem& Caption(const std::string& caption);
  bool IsSeparator() const { return caption_ == "-"; }
  int Tag() const { return tag_; }
  TMenuItem& Tag(int tag);
  // A hidden item is left out of the menu when it is built.
  bool Visible() const { return visible_; }
  TMenuItem& Visible(bool visible);
  // A disabled item is shown greyed and cannot be chosen.
  bool Enabled() const { return enabled_; }
  TMenuItem& Enabled(bool enabled);
  // Checking a radio item unchecks the radio items of the same GroupIndex under its parent.
  bool Checked() const { return checked_; }
  TMenuItem& Checked(bool checked);
  bool RadioItem() const { return radio_item_; }
  TMenuItem& RadioItem(bool radio_item);
  int GroupIndex() const { return group_index_; }
  TMenuItem& GroupIndex(int group_index);
  // The default item is drawn in bold; making one the default clears its siblings.
  bool Default() const { return default_; }
  TMenuItem& Default(bool is_default);
  // The item's picture from its menu's image list; -1 for none.
  int ImageIndex() const { return image_index_; }
  TMenuItem& ImageIndex(int index);
  // A picture of the item's own, taken over by the item; it wins over ImageIndex.
  HBITMAP Bitmap() const { return static_cast<HBITMAP>(bitmap_.get()); }
  TMenuItem& Bitmap(HBITMAP bitmap);

  // A key that runs the item from its form (a menu bar's item) or from the control whose popup
  // menu lists it; an item may have several. A non-empty `text` is shown after the caption.
  TMenuItem& ShortCut(TShortCut keys, const std::string& text = "");
  // The visible and enabled item (this or below) with a short cut for `event`, or null.
  TMenuItem* FindShortCut(const TKeyEvent& event);
  // Clicks that item; false when there is none.
  bool ClickShortCut(const TKeyEvent& event);

  TMenuItem& OnClick(std::function<void()> handler);
  void Click();

  // Adds `item` as the last sub-item (taking it from another parent); returns this item.
  TMenuItem& Add(TMenuItem& item);
  void Remove(TMenuItem& item);
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem& Item(int index) const { return *items_.at(index); }
  TMenuItem* Parent() const { return parent_; }

  // The command identifier of the item in built menus, unique in the process.
  UINT Command() const { return command_; }
  // This item or a sub-item with the command identifier, or null.
  TMenuItem* Find(UINT command);
  // Clicks the enabled sub-item with the command identifier (a menu's command); false when there
  // is none.
  bool ClickCommand(UINT command);
  // Appends the visible sub-items to `menu`; pictures made from `images` are kept in `bitmaps`
  // and must outlive the menu. False when Windows refused an item.
  bool AppendItemsTo(HMENU menu, const TImageList* images, std::vector<GdiObject>& bitmaps) const;

 private:
  bool AppendTo(HMENU menu, const TImageList* images, std::vector<GdiObject>& bitmaps) const;

  std::string caption_;
  int tag_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool checked_ = false;
  bool radio_item_ = false;
  int group_index_ = 0;
  bool default_ = false;
  int image_index_ = -1;
  std::vector<TShortCut> short_cuts_;
  std::string short_cut_text_;
  GdiObject bitmap_;
  std::function<void()> click_;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  UINT command_;
};

}  // namespace talo::ui

// TPopupMenu and TMenuItem: the Win32 menu built for popping up, and running the chosen item.
#include <string>
#include <vector>

#include "tests/ui/ui_fixture.h"
#include "ui/image_list.h"
#include "ui/panel.h"
#include "ui/popup_menu.h"

namespace talo::test {
namespace {

// One entry of a built menu as Windows reports it.
struct BuiltItem {
  std::string caption;
  UINT type = 0;
  UINT state = 0;
  UINT id = 0;
  HBITMAP bitmap = nullptr;
  HMENU sub_menu = nullptr;
};

std::vector<BuiltItem> ReadMenu(HMENU menu) {
  std::vector<BuiltItem> items;
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    char caption[128] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_BITMAP | MIIM_SUBMENU;
    info.dwTypeData = caption;
    info.cch = sizeof caption;
    EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info));
    items.push_back({caption, info.fType, info.fState, info.wID, info.hbmpItem, info.hSubMenu});
  }
  return items;
}

std::vector<std::string> Captions(const std::vector<BuiltItem>& items) {
  std::vector<std::string> captions;
  for (const BuiltItem& item : items)
    captions.push_back(item.type & MFT_SEPARATOR ? "-" : item.caption);
  return captions;
}

// The tray menu of the program, as a form declares it.
struct TrayMenu {
  TrayMenu() {
    pumSysTray.Add(menSysOpen.Caption("&Open Keyboard"))
        .Add(menSysClose.Caption("Close Keyboard"))
        .Add(menSysN3.Caption("-"))
        .Add(menSysList.Caption("Assignment &List"))
        .Add(menSysN4.Caption("-"))
        .Add(menSysEnabled.Caption("&Enabled").RadioItem(true))
        .Add(menSysDisabled.Caption("&Disabled").RadioItem(true))
        .Add(menSysN5.Caption("-"))
        .Add(menSysExit.Caption("E&xit"));
  }
  ui::TPopupMenu pumSysTray;
  ui::TMenuItem menSysOpen, menSysClose, menSysN3, menSysList, menSysN4, menSysEnabled,
      menSysDisabled, menSysN5, menSysExit;
};

using Menu = UiTest;

TEST_F(Menu, HiddenItemsAreLeftOutOfTheBuiltMenu) {
  TrayMenu tray;
  tray.menSysOpen.Visible(false);
  tray.menSysList.Visible(false);
  tray.menSysN4.Visible(false);
  ui::TBuiltMenu built = tray.pumSysTray.Build();
  ASSERT_TRUE(built.menu);
  EXPECT_EQ(
      Captions(ReadMenu(built.menu.get())),
      (std::vector<std::string>{"Close Keyboard", "-", "&Enabled", "&Disabled", "-", "E&xit"}));

  tray.menSysOpen.Visible(true);
  tray.menSysClose.Visible(false);
  built = tray.pumSysTray.Build();
  EXPECT_EQ(Captions(ReadMenu(built.menu.get())).front(), "&Open Keyboard");
}

TEST_F(Menu, TheDefaultItemIsMarkedAndMakingAnotherTheDefaultClearsIt) {
  TrayMenu tray;
  tray.menSysOpen.Default(true);
  tray.menSysClose.Default(true);
  EXPECT_FALSE(tray.menSysOpen.Default());
  ui::TBuiltMenu built = tray.pumSysTray.Build();
  std::vector<BuiltItem> items = ReadMenu(built.menu.get());
  EXPECT_FALSE(items[0].state & MFS_DEFAULT);
  EXPECT_TRUE(items[1].state & MFS_DEFAULT);
  EXPECT_EQ(GetMenuDefaultItem(built.menu.get(), TRUE, 0), 1u);
}

TEST_F(Menu, CheckingARadioItemUnchecksTheOtherOfItsGroup) {
  TrayMenu tray;
  tray.menSysEnabled.Checked(true);
  tray.menSysDisabled.Checked(true);
  EXPECT_FALSE(tray.menSysEnabled.Checked());
  ui::TBuiltMenu built = tray.pumSysTray.Build();
  std::vector<BuiltItem> items = ReadMenu(built.menu.get());
  const BuiltItem& enabled = items[5];
  const BuiltItem& disabled = items[6];
  EXPECT_TRUE(enabled.type & MFT_RADIOCHECK);
  EXPECT_TRUE(disabled.type & MFT_RADIOCHECK);
  EXPECT_FALSE(enabled.state & MFS_CHECKED);
  EXPECT_TRUE(disabled.state & MFS_CHECKED);
}

TEST_F(Menu, RadioGroupsAreKeptApartByGroupIndexAndPlainItemsAreNotTouched) {
  ui::TPopupMenu menu;
  ui::TMenuItem first, second, other_group, plain;
  menu.Add(first.Caption("A").RadioItem(true))
      .Add(second.Caption("B").RadioItem(true))
      .Add(other_group.Caption("C").RadioItem(true).GroupIndex(1))
      .Add(plain.Caption("D"));
  other_group.Checked(true);
  plain.Checked(true);
  first.Checked(true);
  EXPECT_TRUE(other_group.Checked());
  EXPECT_TRUE(plain.Checked());
  second.Checked(true);
  EXPECT_FALSE(first.Checked());
  EXPECT_TRUE(other_group.Checked());
}

TEST_F(Menu, DisabledItemsAreGreyedAndCannotBeChosen) {
  TrayMenu tray;
  int exits = 0;
  tray.menSysExit.Enabled(false).OnClick([&] { ++exits; });
  ui::TBuiltMenu built = tray.pumSysTray.Build();
  std::vector<BuiltItem> items = ReadMenu(built.menu.get());
  EXPECT_TRUE(items.back().state & MFS_GRAYED);
  EXPECT_FALSE(items.front().state & MFS_GRAYED);
  EXPECT_FALSE(tray.pumSysTray.DispatchCommand(items.back().id));
  EXPECT_EQ(exits, 0);
}

TEST_F(Menu, TheChosenCommandRunsOnClickOfItsItem) {
  TrayMenu tray;
  std::vector<std::string> clicked;
  tray.menSysList.OnClick([&] { clicked.push_back("list"); });
  tray.menSysExit.OnClick([&] { clicked.push_back("exit"); });
  ui::TBuiltMenu built = tray.pumSysTray.Build();
  std::vector<BuiltItem> items = ReadMenu(built.menu.get());
  EXPECT_TRUE(tray.pumSysTray.DispatchCommand(items[8].id));
  EXPECT_TRUE(tray.pumSysTray.DispatchCommand(items[3].id));
  EXPECT_FALSE(tray.pumSysTray.DispatchCommand(0));
  EXPECT_EQ(clicked, (std::vector<std::string>{"exit", "list"}));
}

TEST_F(Menu, ItemsShowThePictureOfTheirImageIndex) {
  ui::TImageList images;
  ASSERT_TRUE(images.Create(16, 16));
  HBITMAP strip = MakeBitmap(32, 16, RGB(0, 128, 0));
  EXPECT_EQ(images.Add(strip, RGB(255, 0, 255)), 0);
  DeleteObject(strip);  // the list keeps its own copy
  EXPECT_EQ(images.Count(), 2);

  ui::TPopupMenu pumKeys;
  ui::TMenuItem menKeyNormal, menKeySh;
  pumKeys.Images(&images)
      .Add(menKeyNormal.Caption("A").ImageIndex(0))
      .Add(menKeySh.Caption("Shift + A").ImageIndex(-1).Enabled(false));
  ui::TBuiltMenu built = pumKeys.Build();
  std::vector<BuiltItem> items = ReadMenu(built.menu.get());
  ASSERT_NE(items[0].bitmap, nullptr);
  EXPECT_EQ(items[1].bitmap, nullptr);
  BITMAP picture = {};
  GetObjectA(items[0].bitmap, sizeof picture, &picture);
  EXPECT_EQ(picture.bmWidth, 16);
  EXPECT_EQ(picture.bmHeight, 16);
}

TEST_F(Menu, SubItemsBecomeASubMenuWhoseItemsCanBeChosen) {
  ui::TPopupMenu pumList;
  ui::TMenuItem menLstSort, menSortCombination, menSortTitle;
  int sorted_by = -1;
  auto sort = [&](ui::TMenuItem& item) { return [&] { sorted_by = item.Tag(); }; };
  pumList.Add(
      menLstSort.Caption("Sort &Items")
          .Add(menSortCombination.Caption("by &Combination")
                   .Tag(2)
                   .OnClick(sort(menSortCombination)))
          .Add(menSortTitle.Caption("by &Description/Title").Tag(0).OnClick(sort(menSortTitle))));
  ui::TBuiltMenu built = pumList.Build();
  std::vector<BuiltItem> items = ReadMenu(built.menu.get());
  ASSERT_EQ(items.size(), 1u);
  ASSERT_NE(items[0].sub_menu, nullptr);
  std::vector<BuiltItem> sub_items = ReadMenu(items[0].sub_menu);
  EXPECT_EQ(Captions(sub_items),
            (std::vector<std::string>{"by &Combination", "by &Description/Title"}));
  EXPECT_TRUE(pumList.DispatchCommand(sub_items[1].id));
  EXPECT_EQ(sorted_by, 0);
}

TEST_F(Menu, PopupRunsOnPopupFirstAndThenTheItemChosenFromTheKeyboard) {
  ui::TForm form(TestDesign("TFormMenuOwner"));
  form.Show();
  ui::TPopupMenu pumKeys;
  ui::TMenuItem menKeyNormal, menKeySh;
  std::vector<std::string> events;
  pumKeys.OnPopup([&] { events.push_back("popup"); })
      .Add(menKeyNormal.Caption("A").OnClick([&] { events.push_back("A"); }))
      .Add(menKeySh.Caption("Shift + A").OnClick([&] { events.push_back("Shift + A"); }));
  // The menu's own loop reads these keys: down to the first item, down again, choose.
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(form.Handle(), WM_KEYDOWN, key, 0);
  EXPECT_TRUE(pumKeys.Popup(100, 100, form.Handle()));
  EXPECT_EQ(events, (std::vector<std::string>{"popup", "Shift + A"}));
}

TEST_F(Menu, AControlRunsItsMenusShortCutsWithTheirModifiersWhileTheItemIsOn) {
  ui::TForm form(TestDesign("TFormShortCuts"));
  form.Show();
  ui::TPopupMenu pumBox;
  ui::TMenuItem menPaste, menDelete;
  bool can_paste = true;
  std::vector<std::string> events;
  pumBox.OnPopup([&] { menPaste.Enabled(can_paste); })
      .Add(menPaste.Caption("&Paste").ShortCut({'V', ui::kCtrl, ui::kShift}).OnClick([&] {
        events.push_back("paste");
      }))
      .Add(
          menDelete.Caption("&Delete").ShortCut({VK_DELETE, ui::kNoShift, ui::kShift}).OnClick([&] {
            events.push_back("delete");
          }));
  ui::TPanel box;
  box.Create(form, {0, 0, 100, 100}).PopupMenu(pumBox);
  PressKey(box.Handle(), 'V', ui::kCtrl);
  PressKey(box.Handle(), 'V', ui::kCtrl | ui::kShift);
  PressKey(box.Handle(), 'V', ui::kCtrl | ui::kAlt);  // Alt is not among its modifiers
  PressKey(box.Handle(), 'V', ui::kNoShift);
  PressKey(box.Handle(), VK_DELETE, ui::kShift);
  PressKey(box.Handle(), VK_DELETE, ui::kCtrl);
  can_paste = false;  // OnPopup switches the item off before the key is looked up
  PressKey(box.Handle(), 'V', ui::kCtrl);
  EXPECT_EQ(events, (std::vector<std::string>{"paste", "paste", "delete"}));
}

}  // namespace
}  // namespace talo::test

// TFormList: the assignment list. One row per combination with an assignment, in the order the
// user chose last; check marks switch assignments on and off once saved.
#pragma once

#include <vector>

#include "forms/help_menu.h"
#include "forms/help_topics.h"
#include "forms/list_order.h"
#include "forms/list_rows.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/menu_item.h"
#include "ui/popup_menu.h"
#include "ui/status_bar.h"

namespace talo {

class TFormList : public ui::TForm {
 public:
  TFormList();

  // Chooses the order by `key` (TListOrder::Choose) and rebuilds the rows from the data views.
  void FillList(int key, bool keep);
  // Another program saved the folder's states: a shown list takes them, keeping the user's
  // unsaved check marks.
  void StoredStatesChanged();
  // Orders the rows by `key` as FillList (key, false) does, keeping their unsaved check marks.
  void SortList(int key);
  // Puts a made row before row `index` with its check mark and modifier-set picture.
  void InsertRow(int index, ui::TListRow row);
  // Asks whether changed check marks are saved. True to go on (saved, dropped, or none changed);
  // false to stay, after Cancel or a failed save.
  bool ConfirmSaveStates();
  // Carries out the selected row's assignment, telling its result in a message box.
  void ActOnSelection();
  // Opens the editor for the selected row's combination, then shows the list anew.
  void EditSelection();
  // Captions and shows the row items of pumList for the selected row, or hides them.
  void PrepareListMenu();

  ui::TListView lstvMain;
  ui::TLabel lblMain;
  ui::TStatusBar sbMain;
  ui::TImageList imglMain;
  ui::TPopupMenu pumList;
  ui::TMenuItem menLstAct, menLstN1, menLstProperties, menLstN2, menLstSort, menLstSortCombination,
      menLstSortTitle, menLstSortType;
  THelpMenu menuHelp;

  // Kept for the program's lifetime, so that the chosen order survives closing the list.
  TListOrder Order;
  // A check mark was changed since the list was filled.
  bool StatesChanged = false;
  // The rows are being rebuilt: check-mark events are ignored.
  bool Filling = false;

  // Handlers (public so that tests can act as the user would).
  void fmShow();
  void fmClose(ui::CloseAction& action);
  void lstvMainColumnClick(int column);
  void lstvMainChange(int index, bool checked);
  bool lstvMainKeyDown(const ui::TKeyEvent& event);
  void menLstSortClick(const ui::TMenuItem& item);

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void CreateComponents() override;
  void CreateMenus();
  // Puts `rows` into the list in the order that `key` chooses.
  void PlaceRows(int key, bool keep, std::vector<ui::TListRow> rows);
  int CodeOf(int index) const;
  unsigned char StatusOf(int index) const;
  // pumList at the selected row, or at the list's corner.
  // The label sits in the middle of the area the status bar leaves.
  void CentreLabel();
};

}  // namespace talo

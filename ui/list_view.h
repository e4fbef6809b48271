// TListView: a report-style list with columns, check boxes, small pictures and per-row data.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/control_of.h"

namespace talo::ui {

class TImageList;

// The data of one row. Sub-item k shows in column k + 1 when that column exists; sub-items
// beyond the columns are kept for the program and never shown.
struct TListRow {
  std::string caption;
  std::vector<std::string> sub_items;
  int tag = 0;
};

class TListView : public TControlOf<TListView> {
 public:
  // A read-only report view with single selection that keeps showing it without the focus.
  TListView& Create(const TParent& parent, const TBounds& bounds);

  bool Checkboxes() const;
  TListView& Checkboxes(bool checkboxes);
  TListView& RowSelect(bool row_select);
  // The pictures of the rows' image index; the list is not owned.
  TListView& SmallImages(const TImageList* images);
  TListView& AddColumn(const std::string& caption, int width);
  int ColumnCount() const { return columns_; }

  int Count() const { return static_cast<int>(rows_.size()); }
  // Inserts a row before `index` (at the end when index is Count or more) with the picture
  // `image_index` (-1 for none); returns the row's index, -1 on failure.
  int Insert(int index, const std::string& caption, int image_index = -1);
  int Add(const std::string& caption, int image_index = -1) {
    return Insert(Count(), caption, image_index);
  }
  // Inserts a whole row before `index` in one go: its texts (kept beside it, for painting and for
  // the program), picture and check mark; raises OnItemChecked for a ticked row. Returns the
  // row's index, -1 on failure.
  int InsertRow(int index, TListRow row, int image_index = -1, bool checked = false);
  bool Delete(int index);
  void Clear();
  // Stops repainting while many rows change; EndUpdate shows the result.
  void BeginUpdate();
  void EndUpdate();

  // The row's data; an empty row for an index out of range.
  const TListRow& Row(int index) const;
  std::string ItemCaption(int index) const { return Row(index).caption; }
  bool SetItemCaption(int index, const std::string& caption);
  // The text of sub-item `sub_item` (0 is the second column); empty when it was never set.
  std::string SubItem(int index, int sub_item) const;
  bool SetSubItem(int index, int sub_item, const std::string& text);
  int ItemTag(int index) const { return Row(index).tag; }
  bool SetItemTag(int index, int tag);
  bool Checked(int index) const;
  // Raises OnItemChecked like a click on the check box does.
  bool SetChecked(int index, bool checked);
  // The selected row, -1 for none.
  int Selected() const;
  // Selects and focuses row `index` and scrolls it into view; -1 clears the selection.
  bool Select(int index);
  // The row's whole area in client coordinates; empty for an index out of range.
  RECT ItemRect(int index) const;
  // The narrowest the user may drag a column.
  TListView& MinColumnWidth(int width);
  // Orders the rows by `compare` (negative: the first row goes before the second).
  void Sort(const std::function<int(const TListRow&, const TListRow&)>& compare);

  // A row's check box changed (by the user, or by SetChecked).
  TListView& OnItemChecked(std::function<void(int index, bool checked)> handler);
  // The header of column `column` (0 is the first) was clicked.
  TListView& OnColumnClick(std::function<void(int column)> handler);

 protected:
  // With an OnKeyDown handler the list takes Enter and Escape from the dialog manager, and a key
  // the handler consumed types no character (Alt+Enter no menu mnemonic).
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool Notify(NMHDR& header, LRESULT& result) override;
  // Below the picture of the selected row; at the top left without one.
  POINT KeyboardMenuPoint() const override;

 private:
  TListRow* MutableRow(int index);
  void RedrawRow(int index);

  // A column narrower than the minimum is refused, and the column set to the minimum instead.
  bool RefuseNarrowColumn(const NMHDR& header);

  std::vector<std::unique_ptr<TListRow>> rows_;  // in display order, one per list view item
  int columns_ = 0;
  int min_column_width_ = 0;
  bool drop_next_character_ = false;
  std::function<void(int, bool)> item_checked_;
  std::function<void(int)> column_click_;
};

}  // namespace talo::ui

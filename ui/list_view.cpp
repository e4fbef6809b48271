// TListView: the comctl32 list view in report mode; row texts are answered from TListRow data.
#include "ui/list_view.h"

#include <map>
#include <utility>

#include "base/text.h"
#include "ui/common_controls.h"
#include "ui/image_list.h"

namespace talo::ui {
namespace {
const int kUnchecked = 1;  // state image indexes of the check box
const int kChecked = 2;

int StateImage(UINT state) { return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12); }
}  // namespace

TListView& TListView::Create(const TParent& parent, const TBounds& bounds) {
  TBounds sized = bounds;
  if (sized.width <= 0) sized.width = 250;
  if (sized.height <= 0) sized.height = 150;
  CreateHandle(parent, WC_LISTVIEWA,
               LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | WS_TABSTOP,
               WS_EX_CLIENTEDGE, sized, "");
  return *this;
}

bool TListView::Checkboxes() const {
  return Handle() &&
         (SendMessageA(Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) != 0;
}

TListView& TListView::Checkboxes(bool checkboxes) {
  if (Handle()) {
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES,
                 checkboxes ? LVS_EX_CHECKBOXES : 0);
  }
  return *this;
}

TListView& TListView::RowSelect(bool row_select) {
  if (Handle()) {
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 row_select ? LVS_EX_FULLROWSELECT : 0);
  }
  return *this;
}

TListView& TListView::SmallImages(const TImageList* images) {
  if (Handle()) {
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
  }
  return *this;
}

TListView& TListView::AddColumn(const std::string& caption, int width) {
  if (!Handle()) return *this;
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.cx = width;
  column.pszText = const_cast<char*>(caption.c_str());
  column.iSubItem = columns_;
  if (SendMessageA(Handle(), LVM_INSERTCOLUMNA, columns_, reinterpret_cast<LPARAM>(&column)) < 0)
    return *this;
  ++columns_;
  // Rows that exist already ask for the new column's text like new rows do.
  if (columns_ > 1) {
    for (int index = 0; index < Count(); ++index) {
      LVITEMA item = {};
      item.iSubItem = columns_ - 1;
      item.pszText = LPSTR_TEXTCALLBACKA;
      SendMessageA(Handle(), LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    }
  }
  return *this;
}

int TListView::Insert(int index, const std::string& caption, int image_index) {
  if (!Handle()) return -1;
  if (index < 0 || index > Count()) index = Count();
  auto row = std::make_unique<TListRow>();
  row->caption = caption;
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = LPSTR_TEXTCALLBACKA;
  item.iImage = image_index >= 0 ? image_index : I_IMAGENONE;  // -1 would ask for a callback
  item.lParam = reinterpret_cast<LPARAM>(row.get());
  int inserted =
      static_cast<int>(SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (inserted < 0) return -1;
  rows_.insert(rows_.begin() + inserted, std::move(row));
  // The texts of every column come from the row data when the list paints.
  for (int column = 1; column < columns_; ++column) {
    LVITEMA sub_item = {};
    sub_item.iSubItem = column;
    sub_item.pszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(Handle(), LVM_SETITEMTEXTA, inserted, reinterpret_cast<LPARAM>(&sub_item));
  }
  return inserted;
}

int TListView::InsertRow(int index, TListRow row, int image_index, bool checked) {
  const int inserted = Insert(index, row.caption, image_index);
  if (inserted < 0) return -1;
  // A new row paints after the insertion, so its texts need no redraw of their own.
  TListRow& stored = *rows_[inserted];
  stored.sub_items = std::move(row.sub_items);
  stored.tag = row.tag;
  if (checked) SetChecked(inserted, true);
  return inserted;
}

bool TListView::Delete(int index) {
  if (!MutableRow(index) || !SendMessageA(Handle(), LVM_DELETEITEM, index, 0)) return false;
  rows_.erase(rows_.begin() + index);
  return true;
}

void TListView::Clear() {
  if (Handle()) SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
  rows_.clear();
}

void TListView::BeginUpdate() {
  if (Handle()) SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListView::EndUpdate() {
  if (!Handle()) return;
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

const TListRow& TListView::Row(int index) const {
  static const TListRow kNoRow;
  return index >= 0 && index < Count() ? *rows_[index] : kNoRow;
}

TListRow* TListView::MutableRow(int index) {
  return Handle() && index >= 0 && index < Count() ? rows_[index].get() : nullptr;
}

void TListView::RedrawRow(int index) { SendMessageA(Handle(), LVM_REDRAWITEMS, index, index); }

bool TListView::SetItemCaption(int index, const std::string& caption) {
  TListRow* row = MutableRow(index);
  if (!row) return false;
  row->caption = caption;
  RedrawRow(index);
  return true;
}

std::string TListView::SubItem(int index, int sub_item) const {
  const TListRow& row = Row(index);
  if (sub_item < 0 || sub_item >= static_cast<int>(row.sub_items.size())) return "";
  return row.sub_items[sub_item];
}

bool TListView::SetSubItem(int index, int sub_item, const std::string& text) {
  TListRow* row = MutableRow(index);
  if (!row || sub_item < 0) return false;
  if (sub_item >= static_cast<int>(row->sub_items.size())) row->sub_items.resize(sub_item + 1);
  row->sub_items[sub_item] = text;
  RedrawRow(index);
  return true;
}

bool TListView::SetItemTag(int index, int tag) {
  TListRow* row = MutableRow(index);
  if (!row) return false;
  row->tag = tag;
  return true;
}

bool TListView::Checked(int index) const {
  if (!Handle() || index < 0 || index >= Count()) return false;
  return StateImage(static_cast<UINT>(
             SendMessageA(Handle(), LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK))) == kChecked;
}

bool TListView::SetChecked(int index, bool checked) {
  if (!MutableRow(index)) return false;
  LVITEMA item = {};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? kChecked : kUnchecked);
  return SendMessageA(Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item)) != 0;
}

int TListView::Selected() const {
  if (!Handle()) return -1;
  return static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

bool TListView::Select(int index) {
  if (!Handle() || index < -1 || index >= Count()) return false;
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(&item));
  if (index < 0) return true;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
  SendMessageA(Handle(), LVM_ENSUREVISIBLE, index, FALSE);
  return true;
}

RECT TListView::ItemRect(int index) const {
  RECT area = {};
  if (!Handle() || index < 0 || index >= Count()) return area;
  area.left = LVIR_BOUNDS;
  if (!SendMessageA(Handle(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&area))) area = {};
  return area;
}

TListView& TListView::MinColumnWidth(int width) {
  min_column_width_ = width;
  return *this;
}

namespace {
int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM compare) {
  return (*reinterpret_cast<const std::function<int(const TListRow&, const TListRow&)>*>(compare))(
      *reinterpret_cast<const TListRow*>(first), *reinterpret_cast<const TListRow*>(second));
}
}  // namespace

void TListView::Sort(const std::function<int(const TListRow&, const TListRow&)>& compare) {
  if (!Handle() || !compare || Count() < 2) return;
  SendMessageA(Handle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&compare),
               reinterpret_cast<LPARAM>(CompareRows));
  // Follow the list view's new order with the row data.
  std::map<const TListRow*, int> position;
  for (int index = 0; index < Count(); ++index) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    position[reinterpret_cast<const TListRow*>(item.lParam)] = index;
  }
  std::vector<std::unique_ptr<TListRow>> sorted(rows_.size());
  for (auto& row : rows_) sorted[position.at(row.get())] = std::move(row);
  rows_ = std::move(sorted);
}

TListView& TListView::OnItemChecked(std::function<void(int, bool)> handler) {
  item_checked_ = std::move(handler);
  return *this;
}

TListView& TListView::OnColumnClick(std::function<void(int)> handler) {
  column_click_ = std::move(handler);
  return *this;
}

LRESULT TListView::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DefaultHandler(message, wparam, lparam);
      const auto* key = reinterpret_cast<const MSG*>(lparam);
      if ((key_down_ || PopupMenu()) && key && key->message == WM_KEYDOWN &&
          (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // The key's character is queued already, and a handler that runs a modal loop (a message
      // box, another form) has it dispatched there: so it is marked for dropping beforehand.
      drop_next_character_ = true;
      if (HandleKey(TKeyEvent::Now(static_cast<WORD>(wparam)))) return 0;
      drop_next_character_ = false;
      return DefaultHandler(message, wparam, lparam);
    case WM_CHAR:
    case WM_SYSCHAR:
      if (drop_next_character_) {
        drop_next_character_ = false;
        return 0;
      }
      break;
    case WM_NOTIFY:
      if (RefuseNarrowColumn(*reinterpret_cast<const NMHDR*>(lparam))) return TRUE;
      break;
  }
  return TControl::HandleMessage(message, wparam, lparam);
}

POINT TListView::KeyboardMenuPoint() const {
  POINT at = {0, 0};
  const int index = Selected();
  if (index >= 0) {
    const RECT row = ItemRect(index);
    at = {row.left + GetSystemMetrics(SM_CXSMICON), row.bottom};
  }
  ClientToScreen(Handle(), &at);
  return at;
}

bool TListView::RefuseNarrowColumn(const NMHDR& header) {
  if (min_column_width_ <= 0 ||
      (header.code != HDN_ITEMCHANGINGA && header.code != HDN_ITEMCHANGINGW))
    return false;
  if (header.hwndFrom != reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0)))
    return false;
  // The width and its mask lead both the ANSI and the Unicode item.
  const auto& change = reinterpret_cast<const NMHEADERA&>(header);
  if (!change.pitem || !(change.pitem->mask & HDI_WIDTH) || change.pitem->cxy >= min_column_width_)
    return false;
  SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, change.iItem, min_column_width_);
  return true;
}

bool TListView::Notify(NMHDR& header, LRESULT& result) {
  result = 0;
  switch (header.code) {
    case LVN_GETDISPINFOA: {
      LVITEMA& item = reinterpret_cast<NMLVDISPINFOA&>(header).item;
      if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::string text =
            item.iSubItem == 0 ? ItemCaption(item.iItem) : SubItem(item.iItem, item.iSubItem - 1);
        CopyText(item.pszText, item.cchTextMax, text.c_str());
      }
      return true;
    }
    case LVN_GETDISPINFOW: {  // a parent that asked for Unicode notifications
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
      if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::string text =
            item.iSubItem == 0 ? ItemCaption(item.iItem) : SubItem(item.iItem, item.iSubItem - 1);
        int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                         item.pszText, item.cchTextMax - 1);
        item.pszText[length] = L'\0';
      }
      return true;
    }
    case LVN_ITEMCHANGED: {
      auto& change = reinterpret_cast<NMLISTVIEW&>(header);
      int before = StateImage(change.uOldState);
      int after = StateImage(change.uNewState);
      // A new row going from no check box to an empty one is not a change of its check mark.
      if ((change.uChanged & LVIF_STATE) && change.iItem >= 0 && before && after &&
          before != after && item_checked_) {
        item_checked_(change.iItem, after == kChecked);
      }
      return true;
    }
    case LVN_COLUMNCLICK:
      if (column_click_) column_click_(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
      return true;
    case NM_CLICK:
      Click();
      return true;
    case NM_DBLCLK:
      if (double_click_) double_click_();
      return true;
  }
  return false;
}

}  // namespace talo::ui

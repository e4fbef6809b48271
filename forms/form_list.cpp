// TFormList: its components, putting the rows in order, the check marks and the row actions.
#include "forms/form_list.h"

#include <string>
#include <utility>
#include <vector>

#include "data/combination.h"
#include "data/settings.h"
#include "data/user_data.h"
#include "forms/form_services.h"
#include "forms/messages.h"
#include "hook/library/assignment_execution.h"
#include "res/resource_ids.h"

namespace talo {
namespace {

constexpr char kEmptyText[] = "No key combination assignments currently exist.";
constexpr char kStatusBarText[] = "Please press \"Shift + F10\" to view the Active Menu.";
constexpr char kSaveQuestion[] =
    "You have made changes to the enabled/disabled states of one or more key combination "
    "assignments.  Do you wish save these new settings?";
constexpr COLORREF kPictureTransparent = RGB(255, 0, 255);
constexpr int kMinColumnWidth = 15;

ui::FormDesign ListDesign() {
  ui::FormDesign design;
  design.class_name = "TFormList";
  design.caption = "Key Combination Assignment List";
  design.width = 547;
  design.height = 292;
  design.centred = true;
  design.icons.maximize = false;
  return design;
}

const char* ActCaption(AssignmentKind kind) {
  if (IsShortcutKind(kind)) return "&Open Shortcut";
  if (kind == AssignmentKind::kText) return "&Copy Text";
  if (kind == AssignmentKind::kObject) return "&Copy Object";
  return "Act";
}

}  // namespace

TFormList::TFormList() : TForm(ListDesign()) {
  CreateMenus();
  OnShow = [this] { fmShow(); };
  OnClose = [this](ui::CloseAction& action) { fmClose(action); };
  FinishCreate();
}

void TFormList::CreateComponents() {
  if (imglMain.Create(16, 16))
    imglMain.AddBitmapResource(GetModuleHandleA(nullptr), IDB_MODIFIER_SETS, kPictureTransparent);
  lstvMain.Create(*this, {0, 0, 547, 240})
      .Checkboxes(true)
      .RowSelect(true)
      .SmallImages(&imglMain)
      .AddColumn("Enabled/Combination", 160)
      .AddColumn("Description/Title", 300)
      .AddColumn("Type", 75)
      .MinColumnWidth(kMinColumnWidth)
      .PopupMenu(pumList)
      .Visible(false)
      .Align(ui::TAlign::Client)
      .OnItemChecked([this](int index, bool checked) { lstvMainChange(index, checked); })
      .OnColumnClick([this](int column) { lstvMainColumnClick(column); })
      .OnKeyDown([this](const ui::TKeyEvent& event) { return lstvMainKeyDown(event); })
      .OnDblClick([this] { ActOnSelection(); });
  lblMain.Create(*this, {}, kEmptyText).Alignment(ui::TAlignment::Center);
  sbMain.Create(*this, kStatusBarText, true);
  menuHelp.Attach(*this, kHelpList);
  CentreLabel();
}

void TFormList::CreateMenus() {
  // Enter acts on the row (with any modifier but Alt); Alt+Enter opens its properties.
  menLstAct.Caption("Act")
      .Default(true)
      .ShortCut({VK_RETURN, ui::kNoShift, ui::kShift | ui::kCtrl})
      .OnClick([this] { ActOnSelection(); });
  menLstN1.Caption("-");
  menLstProperties.Caption("P&roperties")
      .ShortCut({VK_RETURN, ui::kAlt, ui::kShift | ui::kCtrl})
      .OnClick([this] { EditSelection(); });
  menLstN2.Caption("-");
  const struct {
    ui::TMenuItem& item;
    const char* caption;
    int key;
  } sorts[] = {{menLstSortCombination, "by &Combination", kSortByCode},
               {menLstSortTitle, "by &Description/Title", kSortByTitle},
               {menLstSortType, "by &Type", kSortByType}};
  menLstSort.Caption("Sort &Items");
  for (const auto& sort : sorts) {
    ui::TMenuItem& item = sort.item;
    item.Caption(sort.caption).Tag(sort.key).OnClick([this, &item] { menLstSortClick(item); });
    menLstSort.Add(item);
  }
  pumList.Add(menLstAct).Add(menLstN1).Add(menLstProperties).Add(menLstN2).Add(menLstSort);
  pumList.OnPopup([this] { PrepareListMenu(); });
}

void TFormList::fmShow() {
  // What another program on the folder saved since the last look is what the list shows.
  if (TaloUserData && TaloSettings) TaloUserData->Refresh(TaloSettings->UserDir());
  FillList(Order.SortKeys[0], true);
  if (lstvMain.Visible()) lstvMain.SetFocus();
}

void TFormList::fmClose(ui::CloseAction& action) {
  if (!ConfirmSaveStates()) action = ui::CloseAction::None;
}

void TFormList::InsertRow(int index, ui::TListRow row) {
  const int code = RowNumber(row, kCodeText);
  const int status = RowNumber(row, kStatusText);
  // The seven pictures are the modifier sets 0 to 6; Shift + Ctrl + Alt has none.
  const int modifier_set = (code >> 8) & 0x0F;
  const int picture = modifier_set < imglMain.Count() ? modifier_set : -1;
  lstvMain.InsertRow(index, std::move(row), picture, status >= kStatusEnabled);
}

// Rows are made in code order. Every fill starts from the stored data, so unsaved check marks go.
void TFormList::FillList(int key, bool keep) {
  std::vector<ui::TListRow> rows;
  ui::TListRow row;
  for (int code = 0; code <= kMaxCombinationCode; ++code)
    if (MakeListRow(code, row)) rows.push_back(std::move(row));
  PlaceRows(key, keep, std::move(rows));
  StatesChanged = false;
}

void TFormList::StoredStatesChanged() {
  if (!Visible()) return;
  // The user's unsaved check marks stay on the rows that are still there.
  std::vector<std::pair<int, bool>> marks;
  for (int index = 0; index < lstvMain.Count(); ++index) {
    if (StatusOf(index) != lstvMain.ItemTag(index))
      marks.emplace_back(CodeOf(index), StatusOf(index) >= kStatusEnabled);
  }
  FillList(Order.SortKeys[0], true);
  for (int index = 0; index < lstvMain.Count(); ++index) {
    for (const auto& [code, enabled] : marks) {
      if (CodeOf(index) != code) continue;
      Filling = true;
      lstvMain.SetChecked(index, enabled);
      Filling = false;
      const unsigned char kind = StatusOf(index) & 0x0F;
      const unsigned char status = enabled ? kind | kStatusEnabled : kind;
      lstvMain.SetSubItem(index, kStatusText, std::to_string(status));
      StatesChanged = StatesChanged || status != lstvMain.ItemTag(index);
    }
  }
}

// A new order only moves the rows: a fill from the stored data would drop the unsaved check marks
// without a word.
void TFormList::SortList(int key) {
  std::vector<ui::TListRow> rows;
  for (int index = 0; index < lstvMain.Count(); ++index) rows.push_back(lstvMain.Row(index));
  PlaceRows(key, false, std::move(rows));
}

// Each row goes before the first listed row that it goes before; the texts compared are the ones
// kept beside the rows, never read back from the control. The selected combination stays
// selected.
void TFormList::PlaceRows(int key, bool keep, std::vector<ui::TListRow> rows) {
  Handle();  // the form makes its components with its window
  Filling = true;
  const int selected = lstvMain.Selected();
  const int selected_code = selected >= 0 ? CodeOf(selected) : -1;
  lstvMain.BeginUpdate();
  lstvMain.Clear();
  Order.Choose(key, keep);
  for (ui::TListRow& row : rows) {
    const int place = Order.InsertionPlace(row.sub_items, lstvMain.Count(), [this](int index) {
      return &lstvMain.Row(index).sub_items;
    });
    InsertRow(place, std::move(row));
  }
  for (int index = 0; index < lstvMain.Count() && selected_code >= 0; ++index) {
    if (CodeOf(index) == selected_code) {
      lstvMain.Select(index);
      break;
    }
  }
  lstvMain.EndUpdate();
  lstvMain.Visible(lstvMain.Count() > 0);
  Filling = false;
}

int TFormList::CodeOf(int index) const { return RowNumber(lstvMain.Row(index), kCodeText); }

unsigned char TFormList::StatusOf(int index) const {
  return static_cast<unsigned char>(RowNumber(lstvMain.Row(index), kStatusText));
}

// The new state lives in the row's status text until ConfirmSaveStates saves it.
void TFormList::lstvMainChange(int index, bool checked) {
  if (!Visible() || !IsWindowEnabled(Handle()) || Filling) return;
  unsigned char status = StatusOf(index);
  if (checked && status < kStatusEnabled)
    status |= kStatusEnabled;
  else if (!checked && status >= kStatusEnabled)
    status &= 0x0F;
  else
    return;
  lstvMain.SetSubItem(index, kStatusText, std::to_string(status));
  StatesChanged = true;
}

bool TFormList::ConfirmSaveStates() {
  if (!StatesChanged) return true;
  switch (MessageBoxA(Handle(), kSaveQuestion, msg::kSaveConfirmationCaption,
                      MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      break;
    case IDNO:
      StatesChanged = false;  // dropped: the next fill shows the stored states
      return true;
    default:
      return false;
  }
  // Only the rows the user changed are stored: another program may have saved the others since
  // the list was filled. The hook sees the new states at once. A failed save puts the stored
  // states back, so that neither the hook nor a later save acts on unsaved ones.
  if (!TaloUserData) return false;
  const TTaloUserData::Copy stored = TaloUserData->TakeCopy();
  for (int index = 0; index < lstvMain.Count(); ++index)
    if (StatusOf(index) != lstvMain.ItemTag(index))
      TaloUserData->SetStatus(StatusOf(index), CodeOf(index));
  if (!FormServices.commit_user_data()) {
    TaloUserData->PutBack(stored);
    return false;
  }
  StatesChanged = false;
  return true;
}

// Runs on the row's status even while its changed check mark is unsaved.
void TFormList::ActOnSelection() {
  const int index = lstvMain.Selected();
  if (index < 0 || !TaloSettings) return;
  const std::string title = lstvMain.SubItem(index, kTitleText);
  ExecuteAndReport(Handle(), TaloSettings->UserDir(), CodeOf(index), title.c_str(), StatusOf(index),
                   false);
}

void TFormList::EditSelection() {
  const int index = lstvMain.Selected();
  if (index < 0 || !ConfirmSaveStates()) return;
  FormServices.edit_assignment(CodeOf(index), this);
  FillList(Order.SortKeys[0], true);
}

void TFormList::PrepareListMenu() {
  const int index = lstvMain.Selected();
  if (index >= 0) menLstAct.Caption(ActCaption(KindOfStatus(StatusOf(index))));
  for (ui::TMenuItem* item : {&menLstAct, &menLstN1, &menLstProperties, &menLstN2})
    item->Visible(index >= 0);
}

void TFormList::lstvMainColumnClick(int column) {
  static const int kKeyOfColumn[] = {kSortByCode, kSortByTitle, kSortByType};
  if (column >= 0 && column < kSortKeyCount) SortList(kKeyOfColumn[column]);
}

void TFormList::menLstSortClick(const ui::TMenuItem& item) { SortList(item.Tag()); }

bool TFormList::lstvMainKeyDown(const ui::TKeyEvent& event) {
  if (!ui::TShortCut{VK_ESCAPE, ui::kNoShift, ui::kShift}.Matches(event)) return false;
  Close();
  return true;
}

void TFormList::CentreLabel() {
  if (!lblMain.Handle()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  if (sbMain.Handle() && sbMain.Visible()) client.bottom -= sbMain.Height();
  lblMain.Bounds({(client.right - lblMain.Width()) / 2, (client.bottom - lblMain.Height()) / 2,
                  lblMain.Width(), lblMain.Height()});
}

LRESULT TFormList::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      // Escape where no control takes it (while the list is hidden) comes as the dialog
      // manager's Cancel.
      if (!lparam && LOWORD(wparam) == IDCANCEL) {
        if (!(ui::HeldModifiers() & (ui::kCtrl | ui::kAlt))) Close();
        return 0;
      }
      break;
    case WM_SIZE: {
      const LRESULT result = TForm::HandleMessage(message, wparam, lparam);
      CentreLabel();
      return result;
    }
  }
  return TForm::HandleMessage(message, wparam, lparam);
}

}  // namespace talo

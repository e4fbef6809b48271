// MakeListRow: one combination's row from the system and user data views and its title file.
#include "forms/list_rows.h"

#include <cstdlib>

#include "data/combination.h"
#include "data/sys_data.h"
#include "data/title_file.h"
#include "data/user_data.h"

namespace talo {
namespace {

// The "Type" column's text, or null for a kind the list does not show.
const char* TypeText(AssignmentKind kind) {
  if (IsShortcutKind(kind)) return "Shortcut";
  if (kind == AssignmentKind::kText) return "Text";
  if (kind == AssignmentKind::kObject) return "Object";
  return nullptr;
}

}  // namespace

bool MakeListRow(int code, ui::TListRow& row) {
  unsigned char status = 0;
  bool available = false;
  if (!TaloUserData || !TaloSysData || !TaloUserData->GetStatus(status, code)) return false;
  const char* type = TypeText(KindOfStatus(status));
  if (!type || !IsAvailable(*TaloSysData, code, available) || !available) return false;
  char name[kDisplayNameCapacity] = "";
  DisplayName(*TaloSysData, code, name, sizeof name);
  char title[kTitleCapacity] = "";
  const bool titled = ReadTitle(code, title) > 0;
  row.caption = name;
  row.sub_items = {titled ? title : name, type, std::to_string(code), std::to_string(status)};
  row.tag = status;  // the stored state, which a save leaves alone when the row did not change
  return true;
}

int RowNumber(const ui::TListRow& row, int sub_item) {
  return sub_item >= 0 && sub_item < static_cast<int>(row.sub_items.size())
             ? std::atoi(row.sub_items[sub_item].c_str())
             : 0;
}

}  // namespace talo

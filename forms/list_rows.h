// The rows of the assignment list, made from the data views: the combination's name, its title,
// type, code and status byte as texts.
#pragma once

#include <string>

#include "ui/list_view.h"

namespace talo {

// A row's caption is the combination's display name; sub-item 0 is the title (or the display
// name), 1 the type, 2 the code and 3 the status byte in decimal. The sort keys index the first
// three; the last two serve the actions.
enum ListSubItem : int { kTitleText = 0, kTypeText = 1, kCodeText = 2, kStatusText = 3 };

// Makes the row of `code`: false for a combination that is unavailable or whose kind the list
// does not show.
bool MakeListRow(int code, ui::TListRow& row);

// The number that sub-item `sub_item` spells; 0 when there is none.
int RowNumber(const ui::TListRow& row, int sub_item);

}  // namespace talo

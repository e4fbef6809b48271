// TListOrder: choosing the keys and comparing two rows.
#include "forms/list_order.h"

#include <cstring>

namespace talo {

void TListOrder::Choose(int key, bool keep) {
  if (key != SortKeys[0]) {
    if (key == SortKeys[2]) SortKeys[2] = SortKeys[1];
    SortKeys[1] = SortKeys[0];
    SortKeys[0] = key;
    Ascending = true;
  } else if (!keep) {
    Ascending = !Ascending;
  }
}

bool TListOrder::GoesBefore(const std::vector<std::string>& row,
                            const std::vector<std::string>& listed) const {
  static const std::string kNoText;
  for (int key : SortKeys) {
    const std::string& text = key < static_cast<int>(row.size()) ? row[key] : kNoText;
    const std::string& other = key < static_cast<int>(listed.size()) ? listed[key] : kNoText;
    // strcmp compares as unsigned char and stops at the terminator, as the list's texts are.
    const int difference = std::strcmp(text.c_str(), other.c_str());
    if (difference != 0) return Ascending ? difference < 0 : difference > 0;
  }
  return false;
}

}  // namespace talo

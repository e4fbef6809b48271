// TListOrder: the order of the assignment list. Three sort keys, the most recently chosen first,
// one direction for all three, and row texts compared byte by byte.
#pragma once

#include <string>
#include <vector>

namespace talo {

// A sort key is also the index of the row text it compares.
enum ListSortKey : int { kSortByTitle = 0, kSortByType = 1, kSortByCode = 2 };
inline constexpr int kSortKeyCount = 3;

struct TListOrder {
  // Primary, secondary and tertiary key; always the three keys in some order.
  int SortKeys[kSortKeyCount] = {kSortByCode, kSortByTitle, kSortByType};
  bool Ascending = true;

  // A key other than the primary one becomes primary, the others moving down behind it, and the
  // order ascending. The primary key chosen again turns the direction round, unless `keep`.
  void Choose(int key, bool keep);

  // True when a new row with the texts `row` goes before a listed row with the texts `listed`:
  // decided by the first key whose texts differ, compared as unsigned bytes (case counts, no
  // locale), so that the code 1089 comes before 321 and 321 before 65. Rows equal in all three
  // keys keep the listed one first.
  bool GoesBefore(const std::vector<std::string>& row,
                  const std::vector<std::string>& listed) const;

  // Where a new row goes among `count` rows listed in this order (`listed(j)` points at the texts
  // of row j): before the first that it goes before, else at the end. The listed rows are in
  // order, so a binary search finds the same place as a walk from the top.
  template <typename Listed>
  int InsertionPlace(const std::vector<std::string>& row, int count, Listed listed) const {
    int first = 0, last = count;
    while (first < last) {
      const int middle = (first + last) / 2;
      if (GoesBefore(row, *listed(middle)))
        last = middle;
      else
        first = middle + 1;
    }
    return first;
  }
};

}  // namespace talo

// The system data view of a test.
#include "tests/support/system_data_view.h"

#include "app/globals.h"
#include "base/text.h"
#include "data/combination.h"

namespace talo::test {

SystemDataView::SystemDataView() : created_(data_.CreateView()) {
  if (created_) TaloSysData = &data_;
}

SystemDataView::~SystemDataView() {
  if (TaloSysData == &data_) TaloSysData = nullptr;
}

void SystemDataView::SetStatus(int code, unsigned char status) {
  if (created_ && IsCombinationCode(code)) data_.View()[kStatusTableOffset + code] = status;
}

void SystemDataView::SetKeyName(int virtual_key, const char* name) {
  if (!created_ || virtual_key < 0 || virtual_key > 255) return;
  char* entry =
      reinterpret_cast<char*>(data_.View()) + kKeyNameTableOffset + virtual_key * kKeyNameEntrySize;
  CopyText(entry, kKeyNameEntrySize, name);
}

}  // namespace talo::test

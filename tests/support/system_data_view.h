// The system data view, created empty for a test and set as TaloSysData; status bytes and key names
// are written straight into it. TaloSysData is null again when the test ends.
#pragma once

#include "data/sys_data.h"

namespace talo::test {

class SystemDataView {
 public:
  SystemDataView();
  ~SystemDataView();
  SystemDataView(const SystemDataView&) = delete;
  SystemDataView& operator=(const SystemDataView&) = delete;

  bool Created() const { return created_; }
  void SetStatus(int code, unsigned char status);
  // `name` is cut to the 15 characters an entry holds.
  void SetKeyName(int virtual_key, const char* name);

 private:
  TTaloSysData data_;
  bool created_ = false;
};

}  // namespace talo::test

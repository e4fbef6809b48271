// ComScope: COM initialised on the calling thread for one operation, uninitialised when it ends.
#pragma once

#include <objbase.h>

namespace talo {

// An S_FALSE (already initialised) is counted by COM as well, so it is balanced too: otherwise
// every call would leave the thread's count one higher.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

}  // namespace talo

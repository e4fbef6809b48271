// GlobalLockScope: a global memory block locked for one scope and unlocked when it ends.
#pragma once

#include <windows.h>

namespace talo {

class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL block)
      : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  ~GlobalLockScope() { Unlock(); }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;

  // The locked bytes, or null when the lock failed or has been given up.
  void* Data() const { return data_; }
  // Unlocks early, before the block is handed on.
  void Unlock() {
    if (data_) GlobalUnlock(block_);
    data_ = nullptr;
  }

 private:
  HGLOBAL block_;
  void* data_;
};

}  // namespace talo

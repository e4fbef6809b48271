// ClipboardScope: the clipboard opened for one operation and closed when the scope ends.
#pragma once

#include <windows.h>

namespace talo {

class ClipboardScope {
 public:
  ClipboardScope() = default;
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;

  // Fails at once when another window holds the clipboard open: there is no retry.
  bool Open(HWND owner = nullptr) {
    if (!open_) open_ = OpenClipboard(owner) != FALSE;
    return open_;
  }

 private:
  bool open_ = false;
};

}  // namespace talo

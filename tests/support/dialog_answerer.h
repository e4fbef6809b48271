// Answers the message boxes that the code under test shows on this thread: a helper thread waits
// for each box, records its caption and text and presses a button, so the modal call returns.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/win_driver.h"

namespace talo::test {

class DialogAnswerer {
 public:
  // Presses `button` (IDOK, IDYES...) on every box of this process.
  explicit DialogAnswerer(int button = IDOK);
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  // The boxes answered so far.
  std::vector<MessageBoxContent> Boxes();

 private:
  void Watch();

  int button_;
  DWORD process_id_;
  std::atomic<bool> stop_{false};
  CRITICAL_SECTION lock_;
  std::vector<MessageBoxContent> boxes_;
  std::thread watcher_;
};

}  // namespace talo::test

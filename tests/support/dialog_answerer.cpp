// A watcher thread that answers message boxes.
#include "tests/support/dialog_answerer.h"

namespace talo::test {

DialogAnswerer::DialogAnswerer(int button) : button_(button), process_id_(GetCurrentProcessId()) {
  InitializeCriticalSection(&lock_);
  watcher_ = std::thread([this] { Watch(); });
}

DialogAnswerer::~DialogAnswerer() {
  stop_ = true;
  watcher_.join();
  DeleteCriticalSection(&lock_);
}

std::vector<MessageBoxContent> DialogAnswerer::Boxes() {
  EnterCriticalSection(&lock_);
  std::vector<MessageBoxContent> boxes = boxes_;
  LeaveCriticalSection(&lock_);
  return boxes;
}

void DialogAnswerer::Watch() {
  while (!stop_) {
    HWND box = WaitForWindow("#32770", nullptr, 0, process_id_);
    if (box && IsWindowVisible(box)) {
      MessageBoxContent content = ReadMessageBox(box);
      EnterCriticalSection(&lock_);
      boxes_.push_back(content);
      LeaveCriticalSection(&lock_);
      PressDialogButton(box, button_);
      WaitForWindowGone(box, 5000);
    }
    Sleep(20);
  }
}

}  // namespace talo::test

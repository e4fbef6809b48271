// TFolderWatch: FindFirstChangeNotification on a thread of its own.
#include "app/folder_watch.h"

namespace talo {

bool TFolderWatch::Follow(const char* folder, HWND window, UINT message) {
  if (thread_ && folder_ == folder) return true;
  // A folder that refused once is not asked again at every look: on a share that has dropped,
  // each asking can keep the window waiting.
  if (!thread_ && refused_folder_ == folder) return false;
  Stop();
  change_ = FindFirstChangeNotificationA(
      folder, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
  if (change_ == INVALID_HANDLE_VALUE) {
    refused_folder_ = folder;
    return false;
  }
  refused_folder_.clear();
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  folder_ = folder;
  window_ = window;
  message_ = message;
  thread_ = stop_ ? CreateThread(nullptr, 0, Run, this, 0, nullptr) : nullptr;
  if (!thread_) Stop();
  return thread_ != nullptr;
}

void TFolderWatch::Stop() {
  if (thread_) {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  if (stop_) CloseHandle(stop_);
  stop_ = nullptr;
  if (change_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(change_);
  change_ = INVALID_HANDLE_VALUE;
  folder_.clear();
}

DWORD WINAPI TFolderWatch::Run(void* context) {
  auto* watch = static_cast<TFolderWatch*>(context);
  const HANDLE events[] = {watch->stop_, watch->change_};
  // A save writes several files one after another: the window hears of them once they are done.
  constexpr DWORD kQuietMs = 100;
  while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    do {
      if (!FindNextChangeNotification(watch->change_)) return 0;
    } while (WaitForMultipleObjects(2, events, FALSE, kQuietMs) == WAIT_OBJECT_0 + 1);
    if (WaitForSingleObject(watch->stop_, 0) == WAIT_OBJECT_0) return 0;
    PostMessageA(watch->window_, watch->message_, 0, 0);
  }
  return 0;
}

}  // namespace talo

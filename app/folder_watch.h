// TFolderWatch: a message to a window whenever a file in a folder is written, made, renamed or
// deleted, from a thread that waits for the system's change notification.
#pragma once

#include <windows.h>

#include <string>

namespace talo {

class TFolderWatch {
 public:
  TFolderWatch() = default;
  ~TFolderWatch() { Stop(); }
  TFolderWatch(const TFolderWatch&) = delete;
  TFolderWatch& operator=(const TFolderWatch&) = delete;

  // Watches `folder`, posting `message` to `window` at each change; a watch of another folder
  // ends first, one of the same folder goes on. False when the folder cannot be watched (some
  // shares): the caller's own look at the files then has to do, and the same folder is not asked
  // again until another was followed.
  bool Follow(const char* folder, HWND window, UINT message);
  void Stop();

 private:
  static DWORD WINAPI Run(void* watch);

  std::string folder_;
  std::string refused_folder_;
  HWND window_ = nullptr;
  UINT message_ = 0;
  HANDLE change_ = INVALID_HANDLE_VALUE;
  HANDLE stop_ = nullptr;
  HANDLE thread_ = nullptr;
};

}  // namespace talo

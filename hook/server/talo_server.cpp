// TTaloServer: loads the hook library, owns the communications block and installs or removes the
// system-wide keyboard hook.
#include "hook/server/talo_server.h"

#include <cstring>

#include "base/text.h"
#include "hook/comm_block.h"

namespace talo {

TTaloServer::~TTaloServer() { Stop(); }

bool TTaloServer::Start(const char* install_folder, const char* user_folder) {
  // A failed start leaves nothing running, whatever was running before it.
  Stop();
  if (!install_folder || !user_folder) return false;

  // A folder too long for the path buffer would load some other, cut path: refuse it.
  char path[kPathCapacity];
  const int folder_length = BoundedLength(install_folder, kPathCapacity);
  if (folder_length + int(sizeof kHookLibraryName) > kPathCapacity) return false;
  CopyText(path, sizeof path, install_folder);
  AppendText(path, sizeof path, kHookLibraryName);

  library_.reset(LoadLibraryExA(path, nullptr, 0));
  if (library_)
    procedure_ = reinterpret_cast<HOOKPROC>(GetProcAddress(library_.get(), kHookProcedureName));
  if (!procedure_ || !Create(kCommBlockName, kCommBlockSize)) {
    Stop();
    return false;
  }
  std::memset(View(), 0, kUserDirOffset);
  if (!PublishUserDir(user_folder)) {
    Stop();
    return false;
  }
  return true;
}

bool TTaloServer::Stop() {
  // The block goes first: a key event that reaches the hook in another process before the hook
  // is removed finds no block and passes the key on untouched.
  Close();
  hook_.reset();
  procedure_ = nullptr;
  library_.reset();
  return true;
}

bool TTaloServer::EnableHook(bool on) {
  if (!Started()) return false;
  if (on == bool(hook_)) return true;
  if (on) {
    hook_.reset(SetWindowsHookExA(WH_KEYBOARD, procedure_, library_.get(), 0));
  } else if (UnhookWindowsHookEx(hook_.get())) {
    hook_.release();
  }
  PublishHookHandle(hook_.get());
  return on == bool(hook_);
}

}  // namespace talo

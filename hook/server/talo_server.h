// TTaloServer: loads the hook library, owns the communications block and installs or removes the
// system-wide keyboard hook.
#pragma once

#include <windows.h>

#include "base/unique.h"
#include "hook/server/talo_comm.h"

namespace talo {

class TTaloServer : public TTaloComm {
 public:
  TTaloServer() = default;
  ~TTaloServer() override;

  // Loads "Talospur.dll" from `install_folder` (ending in a backslash), finds its hook procedure,
  // creates the block and writes the folder into it. A repeated start begins from nothing; any
  // failure leaves the server stopped. Fails when another process already holds the block.
  bool Start(const char* install_folder, const char* user_folder);
  // Undoes Start and EnableHook; always succeeds.
  bool Stop();
  // Installs (true) or removes (false) the hook for every thread of the desktop and publishes the
  // handle. Asking for the state that holds already makes no system call. False before Start,
  // and whenever the hook is not in the requested state afterwards.
  bool EnableHook(bool on);

  HHOOK HookHandle() const { return hook_.get(); }
  bool Started() const { return library_ && procedure_; }

 private:
  Hook hook_;
  Library library_;
  HOOKPROC procedure_ = nullptr;
};

}  // namespace talo

// TTaloComm: the typed writers of the communications block.
#pragma once

#include <windows.h>

#include "data/mapped_view.h"

namespace talo {

// Each writer does nothing and returns false unless the block is open at exactly its size.
class TTaloComm : public TMappedView {
 public:
  // Rewrites the folder field: the first 799 characters of `folder` and zeros after them.
  bool PublishUserDir(const char* folder);
  // Stores the handle at its offset with one aligned 32-bit write, so that a hook reading it in
  // another process sees the old or the new value, never a mix.
  bool PublishHookHandle(HHOOK hook);
};

}  // namespace talo

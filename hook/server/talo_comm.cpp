// TTaloComm: the typed writers of the communications block.
#include "hook/server/talo_comm.h"

#include <cstdint>
#include <cstring>

#include "base/text.h"
#include "hook/comm_block.h"

namespace talo {

bool TTaloComm::PublishUserDir(const char* folder) {
  if (!IsOpenWithSize(kCommBlockSize) || !folder) return false;
  auto* version = reinterpret_cast<volatile std::uint32_t*>(View() + kUserDirVersionOffset);
  char* field = reinterpret_cast<char*>(View()) + kUserDirOffset;
  *version = *version + 1;
  MemoryBarrier();
  std::memset(field, 0, kUserDirFieldSize);
  CopyText(field, kUserDirFieldSize, folder);
  MemoryBarrier();
  *version = *version + 1;
  return true;
}

bool TTaloComm::PublishHookHandle(HHOOK hook) {
  if (!IsOpenWithSize(kCommBlockSize)) return false;
  auto* slot = reinterpret_cast<volatile std::uint32_t*>(View() + kHookHandleOffset);
  *slot = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hook));
  return true;
}

}  // namespace talo

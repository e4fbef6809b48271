// Guarded memory from VirtualAlloc: the committed pages, then one PAGE_NOACCESS page.
#include "tests/fuzz/guarded_memory.h"

#include <windows.h>

#include <cstring>

namespace talo::fuzz {
namespace {

// The few guarded memories alive; read by the exception handler, so a plain fixed table.
constexpr int kMaxGuarded = 16;
const GuardedMemory* g_guarded[kMaxGuarded] = {};

std::size_t PageSize() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwPageSize;
}

}  // namespace

GuardedMemory::GuardedMemory(std::size_t capacity) {
  const std::size_t page = PageSize();
  capacity_ = (capacity + page - 1) / page * page;
  if (capacity_ == 0) capacity_ = page;
  base_ = static_cast<unsigned char*>(
      VirtualAlloc(nullptr, capacity_ + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  DWORD old = 0;
  if (base_) {
    guard_ = base_ + capacity_;
    VirtualProtect(guard_, page, PAGE_NOACCESS, &old);
  }
  for (auto& slot : g_guarded)
    if (!slot) {
      slot = this;
      break;
    }
}

GuardedMemory::~GuardedMemory() {
  for (auto& slot : g_guarded)
    if (slot == this) slot = nullptr;
  if (base_) VirtualFree(base_, 0, MEM_RELEASE);
}

unsigned char* GuardedMemory::Place(const void* bytes, std::size_t size) {
  if (!base_ || size > capacity_) return nullptr;
  unsigned char* start = guard_ - size;
  if (size) std::memcpy(start, bytes, size);
  return start;
}

char* GuardedMemory::Output(std::size_t size) {
  if (!base_ || size > capacity_) return nullptr;
  std::memset(guard_ - size, 0xCC, size);
  return reinterpret_cast<char*>(guard_ - size);
}

bool GuardedMemory::InGuard(const void* address) const {
  const auto* at = static_cast<const unsigned char*>(address);
  return guard_ && at >= guard_ && at < guard_ + PageSize();
}

bool InAnyGuard(const void* address) {
  for (const GuardedMemory* memory : g_guarded)
    if (memory && memory->InGuard(address)) return true;
  return false;
}

}  // namespace talo::fuzz

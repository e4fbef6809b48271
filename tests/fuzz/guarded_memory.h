// Memory whose last byte is followed by a page that may not be touched: a reader that reads or
// writes one byte too far faults at once instead of reading whatever happens to lie there.
#pragma once

#include <cstddef>
#include <string>

namespace talo::fuzz {

class GuardedMemory {
 public:
  // Room for up to `capacity` bytes, then the no-access page.
  explicit GuardedMemory(std::size_t capacity);
  ~GuardedMemory();
  GuardedMemory(const GuardedMemory&) = delete;
  GuardedMemory& operator=(const GuardedMemory&) = delete;

  // Copies the bytes so that the last one is the last byte before the guard page, and returns
  // where they start (also for no bytes: the guard page itself, never to be read).
  unsigned char* Place(const void* bytes, std::size_t size);
  unsigned char* Place(const std::string& bytes) { return Place(bytes.data(), bytes.size()); }
  // `size` writable bytes ending at the guard page, filled with 0xCC, for a reader's output.
  char* Output(std::size_t size);

  // True when `address` lies in this memory's guard page.
  bool InGuard(const void* address) const;

 private:
  unsigned char* base_ = nullptr;
  unsigned char* guard_ = nullptr;
  std::size_t capacity_ = 0;
};

// True when `address` lies in the guard page of any GuardedMemory alive.
bool InAnyGuard(const void* address);

}  // namespace talo::fuzz

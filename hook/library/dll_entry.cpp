// Talospur.dll's entry point and the few runtime pieces the library needs in place of a C runtime.
//
// The library is mapped into every process that reads keys, so it is linked without start-up files
// and without the C and C++ runtimes: it brings no static constructors, no heap and no runtime of
// its own into its host. The compiler may still emit calls to memset and memcpy for plain buffer
// work, the layout checks of shortcut files compare and search bytes, and a class with a virtual destructor names operator delete in its table; they live here.
#include <windows.h>

#include <cstddef>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" void* memset(void* target, int value, std::size_t count) {
  auto* bytes = static_cast<unsigned char*>(target);
  while (count--) *bytes++ = static_cast<unsigned char>(value);
  return target;
}

extern "C" void* memcpy(void* target, const void* source, std::size_t count) {
  auto* to = static_cast<unsigned char*>(target);
  auto* from = static_cast<const unsigned char*>(source);
  while (count--) *to++ = *from++;
  return target;
}

extern "C" int memcmp(const void* first, const void* second, std::size_t count) {
  auto* a = static_cast<const unsigned char*>(first);
  auto* b = static_cast<const unsigned char*>(second);
  for (; count--; ++a, ++b)
    if (*a != *b) return *a < *b ? -1 : 1;
  return 0;
}

extern "C" void* memchr(const void* data, int value, std::size_t count) {
  auto* bytes = static_cast<const unsigned char*>(data);
  for (; count--; ++bytes)
    if (*bytes == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(bytes);
  return nullptr;
}

// Nothing in the library is created with new; the deleting destructors merely refer to these.
void operator delete(void* block) noexcept { HeapFree(GetProcessHeap(), 0, block); }
void operator delete(void* block, std::size_t) noexcept { HeapFree(GetProcessHeap(), 0, block); }

// Move-only owners of Win32 handles: the closing function is part of the type.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

namespace talo {

template <typename Handle, auto Close, std::intptr_t Invalid = 0>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
  ~Unique() { reset(); }

  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& other) noexcept : handle_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != kInvalid(); }

  Handle release() { return std::exchange(handle_, kInvalid()); }
  void reset(Handle handle = kInvalid()) {
    Handle old = std::exchange(handle_, handle);
    if (old != kInvalid()) Close(old);
  }

 private:
  static Handle kInvalid() { return (Handle)Invalid; }
  Handle handle_ = kInvalid();
};

inline void CloseFindHandle(HANDLE handle) { FindClose(handle); }
inline void UnmapView(void* view) { UnmapViewOfFile(view); }

using Handle = Unique<HANDLE, CloseHandle>;
using FileHandle = Unique<HANDLE, CloseHandle, -1>;
using FindHandle = Unique<HANDLE, CloseFindHandle, -1>;
using MappingView = Unique<void*, UnmapView>;
using RegKey = Unique<HKEY, RegCloseKey>;
using GdiObject = Unique<HGDIOBJ, DeleteObject>;
using Library = Unique<HMODULE, FreeLibrary>;
using Hook = Unique<HHOOK, UnhookWindowsHookEx>;
using GlobalMemory = Unique<HGLOBAL, GlobalFree>;
using IconHandle = Unique<HICON, DestroyIcon>;
using EnhMetafile = Unique<HENHMETAFILE, DeleteEnhMetaFile>;

}  // namespace talo

// TMappedView: a named block of shared memory that the program creates and the hook library opens.
//
// This file is compiled into the hook library too, which runs inside other processes: it uses no
// exceptions, no std::string and no operator new; the name copy lives on the process heap.
#pragma once

#include <windows.h>

#include "base/unique.h"

namespace talo {

inline void FreeProcessHeapBlock(void* block) { HeapFree(GetProcessHeap(), 0, block); }
using HeapText = Unique<char*, FreeProcessHeapBlock>;

class TMappedView {
 public:
  TMappedView() = default;
  virtual ~TMappedView();
  TMappedView(const TMappedView&) = delete;
  TMappedView& operator=(const TMappedView&) = delete;

  // Creates a new zero-filled block backed by the paging file and maps all of it. An empty or
  // missing name means "DEFAULT"; a size below 1 means 1. Fails, leaving the view closed, when a
  // block of that name already exists: creating never attaches to someone else's block.
  bool Create(const char* name, int size);

  // Attaches to an existing block for reading: the hook library only reads, and a process with
  // fewer rights than the program (a sandboxed browser tab) may read its blocks but not write
  // them. Fails when there is none, or when the block is smaller than `size`: reading up to `size`
  // bytes of the view must never run off the mapping.
  bool Open(const char* name, int size);

  // Unmaps and releases everything the view holds; harmless when there is nothing to release.
  void Close();

  // The block's name, or "" while closed.
  const char* Name() const { return name_ ? name_.get() : ""; }
  // Size in bytes while open; 0 while closed.
  int Size() const { return size_; }
  // The mapped bytes, or null while closed.
  unsigned char* View() const { return static_cast<unsigned char*>(view_.get()); }
  bool IsOpenWithSize(int size) const { return view_ && size_ == size; }

 private:
  bool Attach(const char* name, int size, bool create_new);

  HeapText name_;
  Handle mapping_;
  int size_ = 0;
  MappingView view_;
};

}  // namespace talo

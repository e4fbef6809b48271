// TMappedView: a named block of shared memory that the program creates and the hook library opens.
#include "data/mapped_view.h"

#include "base/text.h"

namespace talo {
namespace {

constexpr char kDefaultViewName[] = "DEFAULT";
// Longer names cannot name a kernel object anyway; the bound keeps the copy finite.
constexpr int kMaxViewNameChars = 32767;

HeapText CopyToHeap(const char* text) {
  int length = BoundedLength(text, kMaxViewNameChars);
  char* copy = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, length + 1));
  if (copy) CopyText(copy, length + 1, text);
  return HeapText(copy);
}

// The committed size of the mapping that begins at `view`.
SIZE_T MappedBytes(const void* view) {
  MEMORY_BASIC_INFORMATION info;
  if (VirtualQuery(view, &info, sizeof info) != sizeof info) return 0;
  return info.RegionSize;
}

}  // namespace

TMappedView::~TMappedView() { Close(); }

bool TMappedView::Create(const char* name, int size) { return Attach(name, size, true); }

bool TMappedView::Open(const char* name, int size) { return Attach(name, size, false); }

void TMappedView::Close() {
  view_.reset();
  mapping_.reset();
  size_ = 0;
  name_.reset();
}

bool TMappedView::Attach(const char* name, int size, bool create_new) {
  Close();
  name_ = CopyToHeap(name && name[0] ? name : kDefaultViewName);
  if (!name_) return false;
  size_ = size > 0 ? size : 1;

  if (create_new) {
    SetLastError(ERROR_SUCCESS);
    mapping_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      static_cast<DWORD>(size_), name_.get()));
    if (mapping_ && GetLastError() == ERROR_ALREADY_EXISTS) mapping_.reset();
  } else {
    mapping_.reset(OpenFileMappingA(FILE_MAP_READ, FALSE, name_.get()));
  }
  const DWORD access = create_new ? FILE_MAP_ALL_ACCESS : FILE_MAP_READ;
  if (mapping_) view_.reset(MapViewOfFileEx(mapping_.get(), access, 0, 0, 0, nullptr));
  if (!view_ || MappedBytes(view_.get()) < static_cast<SIZE_T>(size_)) {
    Close();
    return false;
  }
  return true;
}

}  // namespace talo

// ReadRemoteListView: questions to the control with their answers in memory of its process.
#include "tests/support/remote_list_view.h"

#include <commctrl.h>

#include "base/unique.h"

namespace talo::test {
namespace {

constexpr SIZE_T kTextCapacity = 512;

// A block in the list's process: an item or a rectangle at the start, a text buffer after it.
class RemoteBlock {
 public:
  explicit RemoteBlock(HWND window) {
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    process_.reset(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id));
    if (process_)
      base_ = static_cast<char*>(
          VirtualAllocEx(process_.get(), nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
  }
  ~RemoteBlock() {
    if (base_) VirtualFreeEx(process_.get(), base_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool Ready() const { return base_ != nullptr; }
  char* Base() const { return base_; }
  char* Text() const { return base_ + 1024; }
  bool Put(const void* data, SIZE_T size, char* at) const {
    return WriteProcessMemory(process_.get(), at, data, size, nullptr) != FALSE;
  }
  bool Get(void* data, SIZE_T size, const char* at) const {
    return ReadProcessMemory(process_.get(), at, data, size, nullptr) != FALSE;
  }

 private:
  Handle process_;
  char* base_ = nullptr;
};

bool AskRect(const RemoteBlock& block, HWND window, UINT message, WPARAM index, RECT& area) {
  if (!block.Put(&area, sizeof area, block.Base()) ||
      !SendMessageA(window, message, index, reinterpret_cast<LPARAM>(block.Base())) ||
      !block.Get(&area, sizeof area, block.Base()))
    return false;
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&area), 2);
  return true;
}

std::string AskText(const RemoteBlock& block, HWND list, int index, int column) {
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = block.Text();
  item.cchTextMax = kTextCapacity;
  char text[kTextCapacity] = "";
  if (!block.Put(&item, sizeof item, block.Base()) ||
      SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(block.Base())) < 0 ||
      !block.Get(text, sizeof text, block.Text()))
    return "";
  text[kTextCapacity - 1] = '\0';
  return text;
}

}  // namespace

bool ReadRemoteListView(HWND list, ListViewContent& content) {
  content = {};
  RemoteBlock block(list);
  if (!list || !block.Ready()) return false;
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  const int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int column = 0; column < columns; ++column) {
    RECT area = {};
    if (!AskRect(block, header, HDM_GETITEMRECT, column, area)) return false;
    content.headers.push_back(area);
  }
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    ListViewRow row;
    const UINT state =
        static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK));
    row.checked = ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
    row.bounds.left = LVIR_BOUNDS;
    if (!AskRect(block, list, LVM_GETITEMRECT, index, row.bounds)) return false;
    for (int column = 0; column < columns; ++column)
      row.texts.push_back(AskText(block, list, index, column));
    content.rows.push_back(row);
  }
  return true;
}

}  // namespace talo::test

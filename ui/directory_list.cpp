// TDirectoryListBox: a one-column comctl32 list view without header whose lines are indented
// folders, with the pictures of the shell's system image list.
#include "ui/directory_list.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "ui/common_controls.h"

namespace talo::ui {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The length of the root of an absolute path: "C:\" or "\\server\share\"; 0 for anything else.
size_t RootLength(const std::string& path) {
  if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) return 3;
  if (path.size() < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return 0;
  size_t server_end = path.find_first_of("\\/", 2);
  if (server_end == std::string::npos || server_end == 2) return 0;
  size_t share_end = path.find_first_of("\\/", server_end + 1);
  if (share_end == server_end + 1) return 0;
  return share_end == std::string::npos ? path.size() : share_end + 1;
}

// The index of a folder's picture in the system image list; -1 when the shell has none.
int ShellPicture(const char* path, DWORD attributes, UINT flags, HIMAGELIST* list = nullptr) {
  SHFILEINFOA info = {};
  auto images = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
      path, attributes, &info, sizeof info, flags | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (list) *list = images;
  return images ? info.iIcon : -1;
}

// The sub-folders of `folder` (ending in a backslash) in alphabetical order, hidden ones left
// out as Explorer leaves them out. False when the folder cannot be read.
bool ReadSubFolders(const std::string& folder, std::vector<std::string>& names) {
  names.clear();
  // A drive without a medium must fail quietly instead of asking the user to insert one.
  const UINT previous_mode = SetErrorMode(SEM_FAILCRITICALERRORS);
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  bool readable = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (readable) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && name != "." && name != "..")
          names.push_back(name);
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    } else {
      readable = GetLastError() == ERROR_FILE_NOT_FOUND;  // an empty root has no entries at all
    }
  }
  SetErrorMode(previous_mode);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
  });
  return readable;
}

}  // namespace

char UpperDriveLetter(char letter) {
  if (letter >= 'a' && letter <= 'z') return static_cast<char>(letter - 'a' + 'A');
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

TDirectoryListBox& TDirectoryListBox::Create(const TParent& parent, const TBounds& bounds) {
  TBounds sized = bounds;
  if (sized.width <= 0) sized.width = 145;
  if (sized.height <= 0) sized.height = 97;
  CreateHandle(parent, WC_LISTVIEWA,
               LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                   LVS_SHAREIMAGELISTS | WS_TABSTOP,
               WS_EX_CLIENTEDGE, sized, "");
  HIMAGELIST images = nullptr;
  ShellPicture("C:\\", 0, 0, &images);
  if (images)
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  LVCOLUMNA column = {};
  column.mask = LVCF_WIDTH;
  column.cx = sized.width;
  SendMessageA(Handle(), LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));

  char current[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof current, current);
  if (!SetDirectory(current)) SetDirectory("C:\\");
  return *this;
}

char TDirectoryListBox::Drive() const {
  if (directory_.size() < 2 || directory_[1] != ':') return 0;
  return UpperDriveLetter(directory_[0]);
}

bool TDirectoryListBox::SetDrive(char drive) {
  drive = UpperDriveLetter(drive);
  if (!drive) return false;
  const std::string root = std::string(1, drive) + ":\\";
  const std::string& last = last_on_drive_[drive - 'A'];
  if (!last.empty() && SetDirectory(last)) return true;
  return SetDirectory(root);
}

bool TDirectoryListBox::SetDirectory(const std::string& folder) {
  char full[MAX_PATH];
  DWORD length = GetFullPathNameA(folder.c_str(), sizeof full, full, nullptr);
  if (length == 0 || length >= sizeof full) return false;
  std::string path = full;
  const size_t root = RootLength(path);
  if (root == 0) return false;
  if (root == 3) path[0] = UpperDriveLetter(path[0]);
  while (path.size() > root && IsSeparator(path.back())) path.pop_back();
  if (!Fill(path)) return false;
  directory_ = path;
  if (char drive = Drive()) last_on_drive_[drive - 'A'] = path;
  if (change_) change_();
  return true;
}

bool TDirectoryListBox::Fill(const std::string& folder) {
  const size_t root = RootLength(folder);
  std::string with_separator = folder;
  if (!IsSeparator(with_separator.back())) with_separator += '\\';
  std::vector<std::string> sub_folders;
  if (!Handle() || !ReadSubFolders(with_separator, sub_folders)) return false;

  // One line per open folder from the root down, then one per sub-folder, a level further in.
  struct Line {
    std::string text;
    std::string folder;
    int picture;
    int indent;
  };
  std::vector<Line> lines;
  const int drive_picture = ShellPicture(folder.substr(0, root).c_str(), 0, 0);
  const int open_picture =
      ShellPicture("folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_USEFILEATTRIBUTES | SHGFI_OPENICON);
  const int closed_picture =
      ShellPicture("folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_USEFILEATTRIBUTES);
  lines.push_back({folder.substr(0, root), folder.substr(0, root), drive_picture, 0});
  for (size_t start = root; start < folder.size();) {
    size_t end = folder.find('\\', start);
    if (end == std::string::npos) end = folder.size();
    lines.push_back({folder.substr(start, end - start), folder.substr(0, end), open_picture,
                     static_cast<int>(lines.size())});
    start = end + 1;
  }
  const int current_line = static_cast<int>(lines.size()) - 1;
  const int sub_indent = current_line + 1;
  for (const std::string& name : sub_folders)
    lines.push_back({name, with_separator + name, closed_picture, sub_indent});

  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
  line_folders_.clear();
  for (const Line& line : lines) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT;
    item.iItem = static_cast<int>(line_folders_.size());
    item.pszText = const_cast<char*>(line.text.c_str());
    item.iImage = line.picture >= 0 ? line.picture : I_IMAGENONE;
    item.iIndent = line.indent;
    SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    line_folders_.push_back(line.folder);
  }
  LVITEMA selected = {};
  selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  selected.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(Handle(), LVM_SETITEMSTATE, current_line, reinterpret_cast<LPARAM>(&selected));
  SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  SendMessageA(Handle(), LVM_ENSUREVISIBLE, current_line, FALSE);
  InvalidateRect(Handle(), nullptr, TRUE);
  return true;
}

TDirectoryListBox& TDirectoryListBox::OnChange(std::function<void()> handler) {
  change_ = std::move(handler);
  return *this;
}

int TDirectoryListBox::OtherSelectedLine() const {
  const int line = static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  if (line < 0 || line >= static_cast<int>(line_folders_.size())) return -1;
  return line_folders_[line] != directory_ ? line : -1;
}

bool TDirectoryListBox::Notify(NMHDR& header, LRESULT& result) {
  result = 0;
  if (header.code != NM_DBLCLK) return false;
  if (int line = OtherSelectedLine(); line >= 0) SetDirectory(line_folders_[line]);
  return true;
}

LRESULT TDirectoryListBox::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // Enter on another folder's line opens it, as a double click does; on the current folder's
  // line it is left to the dialog, whose default button takes it.
  if (message == WM_GETDLGCODE && wparam == VK_RETURN && OtherSelectedLine() >= 0)
    return DLGC_WANTMESSAGE;
  if (message == WM_KEYDOWN && wparam == VK_RETURN) {
    if (int line = OtherSelectedLine(); line >= 0) SetDirectory(line_folders_[line]);
    return 0;
  }
  if (message == WM_CHAR && wparam == '\r') return 0;
  return TControlOf::HandleMessage(message, wparam, lparam);
}

}  // namespace talo::ui

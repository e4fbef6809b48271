// Shortcut assignments: the stored shortcut files of the combinations and the editor's working
// shortcut, made from dropped files, previewed, named, opened and committed.
#include "content/shortcut_file.h"

#include <shellapi.h>

#include <utility>

#include "base/text.h"
#include "content/com_scope.h"
#include "content/icon_source.h"
#include "content/internet_shortcut.h"
#include "content/link_file.h"
#include "content/path_names.h"
#include "content/shell_link.h"
#include "data/combination_files.h"
#include "data/file_replace.h"
#include "data/user_folder.h"

namespace talo {
namespace {

// A base name plus an extension must still fit a path buffer.
constexpr int kMaxBaseLength = kPathCapacity - 4;
// The shell keeps only this much of a dropped program information file's description.
constexpr std::size_t kPifDescriptionChars = 29;

bool IsUsableBase(const char* base) {
  const int length = BoundedLength(base, kMaxBaseLength);
  return length > 0 && length < kMaxBaseLength;
}

int ShortcutKindOf(const std::string& extension) {
  for (int kind = kShellLink; kind <= kInternetShortcut; ++kind)
    if (lstrcmpiA(extension.c_str(), ShortcutExtension(kind)) == 0) return kind;
  return kNoShortcut;
}

bool ReadDescription(const char* file, int kind, std::string& description) {
  if (kind == kInternetShortcut) return ReadInternetShortcut(file, nullptr, &description);
  return ReadShellLinkDescription(file, description);
}

// A dropped shortcut file, copied in its own letter case. It has to be readable: a damaged one
// would only fail later, when its combination is pressed.
bool CopyShortcut(const char* source, const std::string& target, int kind,
                  const std::string& title) {
  if (!CopyFileA(source, target.c_str(), FALSE) ||
      !SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL))
    return false;
  if (kind == kInternetShortcut) {
    if (!IsSoundShortcutFile(target.c_str(), AssignmentKind::kInternetShortcut)) return false;
    // The copy only has to hold a URL, which is never used here.
    if (!HasInternetShortcutAddress(target.c_str())) return false;
    if (!title.empty()) UpdateInternetShortcut(target.c_str(), nullptr, title.c_str());
    return true;
  }
  std::string description;
  if (!ReadShellLinkDescription(target.c_str(), description)) return false;
  if (!title.empty()) {
    ShellLinkFields fields;
    fields.description =
        kind == kProgramInformation ? title.substr(0, kPifDescriptionChars) : title;
    ModifyShellLink(target.c_str(), fields);
  }
  return true;
}

int MakeShortcut(const std::string& base, const char* source, bool describe) {
  const std::string title = source ? FileTitle(source) : std::string();
  if (title.empty()) return kNoShortcut;
  const std::string extension = FileExtension(source);
  const int kind = ShortcutKindOf(extension);
  if (kind != kNoShortcut)
    return CopyShortcut(source, base + extension, kind, describe ? title : "") ? kind : kNoShortcut;
  ShellLinkFields fields;
  fields.path = source;
  if (describe) fields.description = title + extension;
  const std::string link = base + ShortcutExtension(kShellLink);
  if (!CreateShellLink(link.c_str(), fields)) return kNoShortcut;
  if (PathExists(link.c_str(), false, false)) return kShellLink;
  // The shell may have stored a link to a DOS program as a program information file.
  const std::string pif = base + ShortcutExtension(kProgramInformation);
  return PathExists(pif.c_str(), false, false) ? kProgramInformation : kNoShortcut;
}

// The combination's or (kWorkingCopy) the working base name: its file names without extension.
bool BaseName(char (&base)[kPathCapacity], int code) {
  return (code == kWorkingCopy ? WorkingFileName(base, "") : CombinationFileName(base, code, "")) >
         0;
}

bool ShortcutFileName(char (&path)[kPathCapacity], int code, int kind) {
  const char* extension = ShortcutExtension(kind);
  if (!extension[0]) return false;
  if (code == kWorkingCopy) return WorkingFileName(path, extension) > 0;
  return CombinationFileName(path, code, extension) > 0;
}

// The icon that the shell's associated-icon search finds for `path`. The shell writes the icon's
// own file back into the buffer, so it gets a writable copy; a path too long for it is refused
// rather than cut into the name of another file. The buffer holds any icon path a link reads.
HICON SearchAssociatedIcon(const char* path, int index) {
  char buffer[kLinkTextCapacity];
  const int length = BoundedLength(path, kLinkTextCapacity);
  if (length == 0 || length >= kLinkTextCapacity || index < 0 || index > 0xFFFF) return nullptr;
  CopyText(buffer, sizeof buffer, path);
  WORD icon_index = static_cast<WORD>(index);
  return ExtractAssociatedIconA(nullptr, buffer, &icon_index);
}

// Editing goes on with a copy of the stored shortcut; the working base keeps only that one.
bool TakeOverStoredShortcut(const char* stored, int kind) {
  char base[kPathCapacity];
  char working[kPathCapacity];
  if (!BaseName(base, kWorkingCopy) || !ShortcutFileName(working, kWorkingCopy, kind)) return false;
  DeleteShortcutFiles(base);
  if (CopyFileA(stored, working, FALSE) && SetFileAttributesA(working, FILE_ATTRIBUTE_NORMAL))
    return true;
  DeleteFileA(working);
  return false;
}

}  // namespace

const char* ShortcutExtension(int kind) {
  const auto assignment = static_cast<AssignmentKind>(kind);
  return IsShortcutKind(assignment) ? AssignmentExtension(assignment) : "";
}

void DeleteShortcutFiles(const char* base) {
  // An empty base would delete ".lnk" and its kin in whatever the current folder is.
  if (!IsUsableBase(base)) return;
  for (int kind = kShellLink; kind <= kInternetShortcut; ++kind) {
    const std::string file = std::string(base) + ShortcutExtension(kind);
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(file.c_str());
  }
}

int CreateShortcutFile(const char* base, const char* source, bool describe) {
  if (!IsUsableBase(base)) return kNoShortcut;
  DeleteShortcutFiles(base);
  const int kind = MakeShortcut(base, source, describe);
  // A half-made shortcut must not stand in for the one that failed.
  if (kind == kNoShortcut) DeleteShortcutFiles(base);
  return kind;
}

bool ShowFileProperties(HWND owner, const char* file) {
  if (!file || !file[0]) return false;
  // The Properties verb is carried out by shell extensions, which are COM objects.
  ComScope com;
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = owner;
  info.lpVerb = "properties";
  info.lpFile = file;
  return ShellExecuteExA(&info) != FALSE;
}

HICON GetAssociatedIcon(const char* path, int index) {
  if (HICON icon = SearchAssociatedIcon(path, index)) return icon;
  // Called without an instance, some shells (Wine's) have no module to take a stock picture from
  // and find none for a document, a link or a folder; the shell's listing icon is that picture.
  ComScope com;
  SHFILEINFOA info = {};
  if (index == 0 && SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_ICON)) return info.hIcon;
  return nullptr;
}

int CreateWorkingShortcut(const char* source) {
  char base[kPathCapacity];
  if (!BaseName(base, kWorkingCopy)) return kNoShortcut;
  return CreateShortcutFile(base, source, true);
}

int NewInternetShortcut(HWND owner) {
  char base[kPathCapacity];
  char file[kPathCapacity];
  if (!BaseName(base, kWorkingCopy) || !ShortcutFileName(file, kWorkingCopy, kInternetShortcut))
    return kNoShortcut;
  DeleteShortcutFiles(base);
  if (!WriteInternetShortcut(file, "about:blank", "New URL")) {
    DeleteFileA(file);
    return kNoShortcut;
  }
  ShowWorkingShortcutProperties(owner, kInternetShortcut);
  return kInternetShortcut;
}

namespace {

// The shell's picture of a file asked for by its name and attributes alone: the picture of its
// type or of a folder. It opens nothing, unless the type's picture lives in the file itself.
HICON PictureByName(const char* path, DWORD attributes) {
  SHFILEINFOA info = {};
  if (SHGetFileInfoA(path, attributes, &info, sizeof info, SHGFI_ICON | SHGFI_USEFILEATTRIBUTES))
    return info.hIcon;
  return nullptr;
}

// The one way in which the preview asks the shell for the picture of a file (the icon location,
// the target, the internet shortcut; content/icon_source.h): a local file only once it has passed
// its check, and held until the shell has read it; a file on a network share by its name alone,
// never opened; a name that is no full path not at all.
HICON PictureOf(const char* path, int index, IconSourcePlace place) {
  FileHandle hold;
  if (place == IconSourcePlace::kLocal) {
    if (!HoldCheckedIconSource(path, index, hold)) return nullptr;
    if (HICON icon = SearchAssociatedIcon(path, index)) return icon;
  } else if (place != IconSourcePlace::kNetwork) {
    return nullptr;
  }
  // The picture by name is the type's, not picture `index` of the file. Where the type's
  // picture lives in the file, the shell reads it even so: from the share, or a picture of the
  // file other than the one checked ("%1,3" names the fourth).
  if (index == 0 && !PictureLivesInFile(path)) return PictureByName(path, FILE_ATTRIBUTE_NORMAL);
  return nullptr;
}

// The picture of a link's target. A local folder's is the shell's folder picture, asked for by
// the attribute alone: looking the folder itself up costs the shell ten times as much (and the
// associated-icon search finds nothing for a folder). A target on a share is not looked up at
// all, so it is pictured as a file.
HICON TargetIcon(const char* path) {
  const IconSourcePlace place = PlaceOfIconSource(path);
  if (place == IconSourcePlace::kLocal) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      return PictureByName(path, FILE_ATTRIBUTE_DIRECTORY);
  }
  return PictureOf(path, 0, place);
}

// The name and the picture of a link, read from one loading of it: the picture of its icon
// location, else that of its target, else the shell's picture of a link, asked for by the link's
// name. Given the link file itself, the shell would load it and read its unchecked icon location
// and target again.
bool ReadLinkPreview(const char* link_file, std::string& name, IconHandle& icon) {
  ShellLinkFields fields;
  if (!ReadShellLink(link_file, fields)) return false;
  name = std::move(fields.description);
  if (!fields.icon_path.empty())
    icon.reset(PictureOf(fields.icon_path.c_str(), fields.icon_index,
                         PlaceOfIconSource(fields.icon_path.c_str())));
  if (!icon && !fields.path.empty()) icon.reset(TargetIcon(fields.path.c_str()));
  if (!icon && !PictureLivesInFile(link_file))
    icon.reset(PictureByName(link_file, FILE_ATTRIBUTE_NORMAL));
  return true;
}

}  // namespace

bool ReadShortcutPreview(int kind, int code, IconHandle& icon, std::string& description) {
  icon.reset();
  description.clear();
  char source[kPathCapacity];
  if (!ShortcutFileName(source, code, kind)) return false;
  // The icon and the link each initialise COM; held once around both, the second costs nothing.
  ComScope com;
  std::string name;
  IconHandle found;
  if (kind == kInternetShortcut) {
    // The shell is given this file itself for its picture. A file the hook would refuse is
    // refused here too; then the name: it is cheap, and a shortcut without one is refused before
    // the shell's slow icon search.
    if (!IsSoundShortcutFile(source, AssignmentKind::kInternetShortcut) ||
        !ReadDescription(source, kind, name))
      return false;
    found.reset(PictureOf(source, 0, PlaceOfIconSource(source)));
  } else if (!ReadLinkPreview(source, name, found)) {
    return false;
  }
  if (!found) return false;
  if (code != kWorkingCopy && !TakeOverStoredShortcut(source, kind)) return false;
  icon = std::move(found);
  description = std::move(name);
  return true;
}

bool CommitShortcut(int code, int kind) {
  char base[kPathCapacity];
  if (code == kWorkingCopy || !BaseName(base, code)) return false;
  if (!ShortcutExtension(kind)[0]) {
    DeleteShortcutFiles(base);
    return true;
  }
  // The stored shortcut is replaced in one step; the other kinds' files go only once it is there,
  // so a copy that fails leaves the stored shortcut as it was.
  char working[kPathCapacity];
  char committed[kPathCapacity];
  if (!ShortcutFileName(working, kWorkingCopy, kind) || !ShortcutFileName(committed, code, kind) ||
      !ReplaceFileWithCopy(working, committed))
    return false;
  for (int other = kShellLink; other <= kInternetShortcut; ++other) {
    char stale[kPathCapacity];
    if (other == kind || !ShortcutFileName(stale, code, other)) continue;
    SetFileAttributesA(stale, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(stale);
  }
  return true;
}

int GetShortcutDescription(std::string& description, int kind) {
  description.clear();
  char working[kPathCapacity];
  if (!ShortcutFileName(working, kWorkingCopy, kind)) return 0;
  ReadDescription(working, kind, description);
  return static_cast<int>(description.size());
}

bool SetShortcutDescription(const char* text, int kind) {
  char working[kPathCapacity];
  if (!text || !ShortcutFileName(working, kWorkingCopy, kind) ||
      !SetFileAttributesA(working, FILE_ATTRIBUTE_NORMAL))
    return false;
  if (kind == kInternetShortcut) return UpdateInternetShortcut(working, nullptr, text);
  ShellLinkFields fields;
  fields.description = text;
  return ModifyShellLink(working, fields);
}

int OpenWorkingShortcut(int kind) {
  char working[kPathCapacity];
  if (!ShortcutFileName(working, kWorkingCopy, kind)) return 0;
  // Opening a shortcut may go through shell extensions, which are COM objects.
  ComScope com;
  // A program that runs already may come to the front only with this process's permission.
  AllowSetForegroundWindow(ASFW_ANY);
  const HINSTANCE result =
      ShellExecuteA(nullptr, nullptr, working, nullptr, nullptr, SW_SHOWNORMAL);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

bool ShowWorkingShortcutProperties(HWND owner, int kind) {
  char working[kPathCapacity];
  return ShortcutFileName(working, kWorkingCopy, kind) && ShowFileProperties(owner, working);
}

}  // namespace talo

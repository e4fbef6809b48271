// Shortcut files: shell links and internet shortcuts, and the editor's working shortcut.
#include "content/shortcut_file.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <utility>
#include <vector>

#include "base/text.h"
#include "content/icon_source.h"
#include "content/link_file.h"
#include "content/path_parts.h"
#include "data/combination_files.h"
#include "data/file_replace.h"
#include "data/user_folder.h"

namespace talo {
namespace {

// A base name plus an extension must still fit a path buffer.
constexpr int kMaxBaseLength = kPathCapacity - 4;
// Link text fields and the icon path are read into buffers of this size.
constexpr int kLinkTextCapacity = 4096;
// The shell keeps only this much of a dropped program information file's description.
constexpr std::size_t kPifDescriptionChars = 29;
constexpr char kUrlSection[] = "InternetShortcut";

bool IsUsableBase(const char* base) {
  const int length = BoundedLength(base, kMaxBaseLength);
  return length > 0 && length < kMaxBaseLength;
}

int ShortcutKindOf(const std::string& extension) {
  for (int kind = kShellLink; kind <= kInternetShortcut; ++kind)
    if (lstrcmpiA(extension.c_str(), ShortcutExtension(kind)) == 0) return kind;
  return kNoShortcut;
}

// One COM initialisation of the calling thread. An S_FALSE (already initialised) is counted by COM
// as well, so it is balanced too: otherwise every call would leave the thread's count one higher.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (pointer_) pointer_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  Interface* operator->() const { return pointer_; }
  void** Out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

// The shell's link object with its file interface, in a COM initialisation of its own. Members
// go in reverse order, so both interfaces are released before COM is uninitialised.
class LinkObject {
 public:
  bool Create() {
    return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkA, link_.Out())) &&
           SUCCEEDED(link_->QueryInterface(IID_IPersistFile, file_.Out()));
  }
  IShellLinkA* Link() const { return link_.operator->(); }
  IPersistFile* File() const { return file_.operator->(); }

 private:
  ComScope com_;
  ComRef<IShellLinkA> link_;
  ComRef<IPersistFile> file_;
};

// The link file's name as IPersistFile takes it. A name that does not fit is refused: cut, it
// would load or overwrite another file.
bool WideFileName(const char* file, wchar_t (&wide)[MAX_PATH]) {
  return file && file[0] && MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH) > 0;
}

bool HasLinkField(const ShellLinkFields& fields) {
  return !fields.path.empty() || !fields.arguments.empty() || !fields.working_directory.empty() ||
         !fields.description.empty() || !fields.icon_path.empty();
}

bool SetLinkFields(IShellLinkA* link, const ShellLinkFields& fields) {
  if (!fields.path.empty() && FAILED(link->SetPath(fields.path.c_str()))) return false;
  if (!fields.arguments.empty() && FAILED(link->SetArguments(fields.arguments.c_str())))
    return false;
  if (!fields.working_directory.empty() &&
      FAILED(link->SetWorkingDirectory(fields.working_directory.c_str())))
    return false;
  if (!fields.description.empty() && FAILED(link->SetDescription(fields.description.c_str())))
    return false;
  return fields.icon_path.empty() ||
         SUCCEEDED(link->SetIconLocation(fields.icon_path.c_str(), fields.icon_index));
}

// One text field through a getter; the buffer starts empty because a getter may leave it alone.
template <typename Getter>
bool ReadLinkText(std::string& text, Getter get) {
  char buffer[kLinkTextCapacity] = {};
  if (FAILED(get(buffer, kLinkTextCapacity))) return false;
  buffer[kLinkTextCapacity - 1] = '\0';
  text = buffer;
  return true;
}

// The link object is given the bytes that passed the layout check, not the file again: it parses
// exactly what was checked, and the file is read once. A genuine program information file is the
// shell's to read from the file, where it can.
bool LoadCheckedLink(const LinkObject& object, const char* link_file) {
  std::vector<unsigned char> bytes;
  const ShortcutLayout layout = ReadWholeLinkFile(link_file, bytes);
  if (layout == ShortcutLayout::kProgramInformation) {
    wchar_t name[MAX_PATH];
    return WideFileName(link_file, name) && SUCCEEDED(object.File()->Load(name, STGM_READ));
  }
  if (layout != ShortcutLayout::kShellLink) return false;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return false;
  void* copy = GlobalLock(memory);
  if (!copy) {
    GlobalFree(memory);
    return false;
  }
  if (!bytes.empty()) std::memcpy(copy, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  ComRef<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, reinterpret_cast<IStream**>(stream.Out())))) {
    GlobalFree(memory);
    return false;
  }
  ComRef<IPersistStream> persist;
  return SUCCEEDED(object.Link()->QueryInterface(IID_IPersistStream, persist.Out())) &&
         SUCCEEDED(persist->Load(stream.operator->()));
}

bool LoadLinkFields(const char* link_file, ShellLinkFields& fields, bool description_only) {
  fields = {};
  LinkObject object;
  if (!object.Create() || !LoadCheckedLink(object, link_file)) return false;
  IShellLinkA* link = object.Link();
  ShellLinkFields read;
  if (!description_only) {
    // A target that cannot be resolved is no damaged link: its path just reads empty. No find
    // data is asked for: Wine looks the target up for it, at twice the cost of the loading.
    ReadLinkText(read.path, [&](char* b, int n) { return link->GetPath(b, n, nullptr, 0); });
    if (!ReadLinkText(read.arguments, [&](char* b, int n) { return link->GetArguments(b, n); }) ||
        !ReadLinkText(read.working_directory,
                      [&](char* b, int n) { return link->GetWorkingDirectory(b, n); }))
      return false;
  }
  if (!ReadLinkText(read.description, [&](char* b, int n) { return link->GetDescription(b, n); }))
    return false;
  if (!description_only && !ReadLinkText(read.icon_path, [&](char* b, int n) {
        return link->GetIconLocation(b, n, &read.icon_index);
      }))
    return false;
  fields = std::move(read);
  return true;
}

// A value the profile functions cannot keep whole is refused: a line break would start a new key
// in the file, and a value longer than the read buffer would come back cut.
bool IsStorableValue(const char* value) {
  return BoundedLength(value, kPathCapacity) < kPathCapacity && !std::strpbrk(value, "\r\n");
}

bool ReadUrlValue(const char* file, const char* key, std::string& value) {
  // One character more than a path buffer holds tells a value that fits from one that was cut.
  char buffer[kPathCapacity + 1];
  const DWORD length = GetPrivateProfileStringA(kUrlSection, key, "", buffer, sizeof buffer, file);
  if (length == 0 || length > kPathCapacity - 1) return false;
  value.assign(buffer, length);
  return true;
}

bool WriteUrlValue(const char* file, const char* key, const char* value) {
  return IsStorableValue(value) &&
         WritePrivateProfileStringA(kUrlSection, key, value, file) != FALSE;
}

bool ReadDescription(const char* file, int kind, std::string& description) {
  if (kind == kInternetShortcut) return ReadInternetShortcut(file, nullptr, &description);
  ShellLinkFields fields;
  if (!LoadLinkFields(file, fields, true)) return false;
  description = std::move(fields.description);
  return true;
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
    // The copy only has to hold a URL; one longer than a path buffer is read cut, which is no
    // harm here, where it is never used.
    char address[2];
    if (GetPrivateProfileStringA(kUrlSection, "URL", "", address, sizeof address,
                                 target.c_str()) == 0)
      return false;
    if (!title.empty()) UpdateInternetShortcut(target.c_str(), nullptr, title.c_str());
    return true;
  }
  ShellLinkFields fields;
  if (!LoadLinkFields(target.c_str(), fields, true)) return false;
  if (!title.empty()) {
    fields = {};
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
// rather than cut into the name of another file.
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

bool CreateShellLink(const char* link_file, const ShellLinkFields& fields) {
  wchar_t name[MAX_PATH];
  if (fields.path.empty() || !WideFileName(link_file, name)) return false;
  LinkObject object;
  if (!object.Create() || !SetLinkFields(object.Link(), fields)) return false;
  if (SUCCEEDED(object.File()->Save(name, FALSE))) return true;
  DeleteFileA(link_file);
  return false;
}

bool ModifyShellLink(const char* link_file, const ShellLinkFields& fields) {
  wchar_t name[MAX_PATH];
  if (!HasLinkField(fields) || !WideFileName(link_file, name) || !IsWholeLinkFile(link_file))
    return false;
  LinkObject object;
  return object.Create() && SUCCEEDED(object.File()->Load(name, STGM_READ)) &&
         SetLinkFields(object.Link(), fields) && SUCCEEDED(object.File()->Save(name, FALSE));
}

bool ReadShellLink(const char* link_file, ShellLinkFields& fields) {
  return LoadLinkFields(link_file, fields, false);
}

bool WriteInternetShortcut(const char* file, const char* address, const char* description) {
  if (!file || !file[0] || !address || !address[0] || !WriteUrlValue(file, "URL", address))
    return false;
  return !description || !description[0] || WriteUrlValue(file, "Description", description);
}

bool ReadInternetShortcut(const char* file, std::string* address, std::string* description) {
  if (address) address->clear();
  if (description) description->clear();
  if (!file || !file[0] || (!address && !description)) return false;
  if ((!address || ReadUrlValue(file, "URL", *address)) &&
      (!description || ReadUrlValue(file, "Description", *description)))
    return true;
  if (address) address->clear();
  if (description) description->clear();
  return false;
}

bool UpdateInternetShortcut(const char* file, const char* address, const char* description) {
  const bool has_address = address && address[0];
  const bool has_description = description && description[0];
  if (!file || !file[0] || (!has_address && !has_description)) return false;
  if (has_address && !WriteUrlValue(file, "URL", address)) return false;
  return !has_description || WriteUrlValue(file, "Description", description);
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
  if (!LoadLinkFields(link_file, fields, false)) return false;
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

// Shell link files through the shell's link object: created, changed, and read from checked bytes.
#include "content/shell_link.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

#include "content/com_scope.h"
#include "content/link_file.h"

namespace talo {
namespace {

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

}  // namespace

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

bool ReadShellLinkDescription(const char* link_file, std::string& description) {
  ShellLinkFields fields;
  const bool read = LoadLinkFields(link_file, fields, true);
  description = std::move(fields.description);
  return read;
}

}  // namespace talo

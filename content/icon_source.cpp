// The guard in front of the shell's icon code: where a picture's file lies, and the check of a
// local one before the shell reads it.
#include "content/icon_source.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "content/icon_file_layout.h"
#include "data/registry.h"

namespace talo {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The extension as the shell finds it (PathFindExtension): from the last '.' that no '\' or
// space follows.
const char* ShellExtension(const char* path) {
  const char* extension = nullptr;
  for (const char* c = path; *c; ++c) {
    if (*c == '\\' || *c == ' ')
      extension = nullptr;
    else if (*c == '.')
      extension = c;
  }
  return extension;
}

// The default value of a key under HKEY_CLASSES_ROOT; empty when there is none. The shell reads
// these values into buffers of MAX_PATH characters and ignores longer ones, as this does.
std::string ClassesValue(const std::string& key) {
  char value[MAX_PATH * 2] = "";
  const std::string path = "HKEY_CLASSES_ROOT\\" + key;
  int type = 0;
  if (!ReadValue(value, &type, nullptr, path.c_str(), nullptr, sizeof value) ||
      type != kRegTypeText)
    return std::string();
  return value;
}

bool NamesTheFileItself(const std::string& default_icon) {
  return default_icon.find("%1") != std::string::npos;
}

// Whether a drive lies on this machine. One that the system maps to a disk volume does; for any
// other (a network redirector, a substituted folder, a drive unknown here) its type decides, and
// a remote drive, one that does not exist or one of a kind unknown here is not opened. The
// mapping comes first because it is cheap: for the type Wine asks its mount manager process,
// which took 0.6 to 1 ms here, a third of a whole preview; the mapping took a tenth of that.
bool IsLocalDrive(char letter) {
  const char drive[] = {letter, ':', '\0'};
  char device[MAX_PATH] = "";
  constexpr char kDiskVolume[] = "\\Device\\HarddiskVolume";
  if (QueryDosDeviceA(drive, device, sizeof device) &&
      std::strncmp(device, kDiskVolume, sizeof kDiskVolume - 1) == 0)
    return true;
  const char root[] = {letter, ':', '\\', '\0'};
  switch (GetDriveTypeA(root)) {
    case DRIVE_FIXED:
    case DRIVE_REMOVABLE:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK:
      return true;
    default:
      return false;
  }
}

bool IsWholeContainer(HANDLE file, bool executable, int index) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart <= 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > SIZE_MAX)
    return false;
  Handle mapping(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return false;
  MappingView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) return false;
  const auto* data = static_cast<const unsigned char*>(view.get());
  const auto length = static_cast<std::size_t>(size.QuadPart);
  return executable ? IsWholeExecutableIcon(data, length, index) : IsWholeIconFile(data, length);
}

}  // namespace

IconSourcePlace PlaceOfIconSource(const char* path) {
  if (!path || !path[0]) return IconSourcePlace::kUnqualified;
  if (IsSeparator(path[0]) && IsSeparator(path[1])) return IconSourcePlace::kNetwork;
  const char letter = static_cast<char>(path[0] | 0x20);
  if (letter < 'a' || letter > 'z' || path[1] != ':' || !IsSeparator(path[2]))
    return IconSourcePlace::kUnqualified;
  return IsLocalDrive(path[0]) ? IconSourcePlace::kLocal : IconSourcePlace::kNetwork;
}

bool PictureLivesInFile(const char* path) {
  const char* extension = path ? ShellExtension(path) : nullptr;
  if (!extension) return false;
  const std::string type = ClassesValue(extension);
  return NamesTheFileItself(ClassesValue(std::string(extension) + "\\DefaultIcon")) ||
         (!type.empty() && NamesTheFileItself(ClassesValue(type + "\\DefaultIcon")));
}

bool HoldCheckedIconSource(const char* path, int index, FileHandle& hold) {
  hold.reset();
  FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  // A device name (CON, COM1) opens a device, where a read would wait for input.
  if (!file || GetFileType(file.get()) != FILE_TYPE_DISK) return false;
  // Wine reads a short file in a page whose bytes past its end are zero, so they count as zero.
  unsigned char start[4] = {};
  DWORD got = 0;
  if (!ReadFile(file.get(), start, sizeof start, &got, nullptr)) return false;
  const bool executable = start[0] == 'M' && start[1] == 'Z';
  const bool icon =
      start[0] == 0 && start[1] == 0 && (start[2] == 1 || start[2] == 2) && start[3] == 0;
  if ((executable || icon) && !IsWholeContainer(file.get(), executable, index)) return false;
  hold = std::move(file);
  return true;
}

}  // namespace talo

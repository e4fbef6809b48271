// The registry settings: fuzzed values of fuzzed types and sizes in the program's settings key,
// then the settings loaded from there as the program loads them at start-up. The key (and the
// autostart value the settings read) is put back as it was when the reader ends.
//
// An input is, for each of the settings below, a type byte, a 16-bit length and that many bytes;
// where the input ends, the remaining settings are absent. The values travel through the
// registry, so no guard page can follow them.
//
// Loading the settings creates the user data folder that "UserDir" names (one level below a folder
// that exists, and the user's folder below that), wherever a damaged value points. Most seeds name
// a relative folder, which lands in the scratch folder; the folders that damaged absolute values
// made next to the scratch folder's ancestors are removed again when they hold no files.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "data/settings.h"
#include "tests/fuzz/fuzz_reader.h"
#include "tests/support/saved_registry.h"

namespace talo::fuzz {
namespace {

constexpr char kVendorKey[] = "Software\\Quintavel Software";
constexpr char kSettingsKey[] = "Software\\Quintavel Software\\Tallowick\\CurrentVersion";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kValueNames[] = {"Enabled", "ShowWarnings", "UseDefaultUser", "UserDir"};
// REG_NONE stands first: a type byte of 0 leaves the value absent.
const DWORD kTypes[] = {REG_NONE,      REG_SZ,       REG_DWORD, REG_BINARY,
                        REG_EXPAND_SZ, REG_MULTI_SZ, REG_QWORD, REG_NONE};

std::string Value(std::uint8_t type, const std::string& bytes) {
  const std::uint16_t length = static_cast<std::uint16_t>(bytes.size());
  return std::string(1, static_cast<char>(type)) + static_cast<char>(length & 0xFF) +
         static_cast<char>(length >> 8) + bytes;
}

std::string Dword(std::uint32_t value) { return std::string(reinterpret_cast<char*>(&value), 4); }

// The subfolders of `folder` (ending in '\\').
std::set<std::string> Subfolders(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) names.insert(entry.cFileName);
  while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

// Removes a folder whose tree holds no files; true when it is gone.
bool RemoveEmptyTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  bool empty = true;
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      empty = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
              RemoveEmptyTree(folder + "\\" + name) && empty;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  return empty && RemoveDirectoryA(folder.c_str());
}

// The scratch folder's ancestors, each with the subfolders it had.
class FolderSweep {
 public:
  FolderSweep() {
    std::string folder = ScratchFolder();
    for (std::size_t end = folder.rfind('\\', folder.size() - 2); end != std::string::npos;
         end = end == 0 ? std::string::npos : folder.rfind('\\', end - 1)) {
      folder.resize(end + 1);
      before_.push_back({folder, Subfolders(folder)});
    }
  }
  ~FolderSweep() {
    for (const auto& [folder, names] : before_)
      for (const std::string& name : Subfolders(folder))
        if (!names.count(name)) RemoveEmptyTree(folder + name);
  }
  FolderSweep(const FolderSweep&) = delete;
  FolderSweep& operator=(const FolderSweep&) = delete;

 private:
  std::vector<std::pair<std::string, std::set<std::string>>> before_;
};

class SettingsReader : public FuzzReader {
 public:
  bool MakeSeeds(std::vector<std::string>& seeds) override {
    const std::string folder = ScratchFolder() + "settings\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string text_folder = folder + std::string(1, '\0');
    const std::string relative_folder = std::string("settings\\") + std::string(1, '\0');
    seeds.push_back(Value(2, Dword(1)) + Value(2, Dword(0)) + Value(2, Dword(1)) +
                    Value(1, text_folder));
    seeds.push_back(Value(1, std::string("0", 2)) + Value(3, std::string(1, '\1')) +
                    Value(1, std::string(" 1 ", 4)) + Value(4, relative_folder));
    seeds.push_back(Value(6, Dword(1) + Dword(0)) + Value(0, "") + Value(2, Dword(0)) +
                    Value(5, relative_folder + std::string(1, '\0')));
    return true;
  }

  bool Read(const std::string& input) override {
    std::size_t at = 0;
    for (const char* name : kValueNames) {
      test::DeleteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, name);
      if (input.size() - at < 3) {
        at = input.size();
        continue;
      }
      const std::uint8_t type_byte = static_cast<std::uint8_t>(input[at]) % 8;
      const std::size_t length = std::min<std::size_t>(
          static_cast<std::uint8_t>(input[at + 1]) | static_cast<std::uint8_t>(input[at + 2]) << 8,
          input.size() - at - 3);
      const std::string bytes = input.substr(at + 3, length);
      at += 3 + length;
      if (type_byte != 0)
        test::WriteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, name, kTypes[type_byte], bytes);
    }
    TTaloRegistry settings;
    return settings.UserDir()[0] != '\0';
  }

  std::size_t MaxSize() const override { return 4 * 1024; }

 private:
  FolderSweep sweep_;
  test::SavedRegistryKey saved_settings_{HKEY_CURRENT_USER, kVendorKey};
  test::SavedRegistryValue saved_run_{HKEY_CURRENT_USER, kRunKey, "Tallowick"};
};

}  // namespace

std::unique_ptr<FuzzReader> MakeSettingsReader() { return std::make_unique<SettingsReader>(); }

}  // namespace talo::fuzz

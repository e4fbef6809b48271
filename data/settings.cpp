// Loading and changing the settings held by TTaloRegistry.
#include "data/settings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "base/text.h"
#include "data/registry.h"
#include "data/user_base_folder.h"
#include "data/user_folder.h"

namespace talo {

TTaloRegistry* TaloSettings = nullptr;

namespace {

constexpr char kHelpFileName[] = "Talowick.hlp";

// True when `text`, blanks aside, spells a whole decimal number; `number` receives it.
bool ParseWholeNumber(const char* text, long* number) {
  char* end = nullptr;
  *number = std::strtol(text, &end, 10);
  if (end == text) return false;
  while (*end == ' ' || *end == '\t') ++end;
  return *end == '\0';
}

// Reads a 0/1 setting. A flag means the number its value holds, whatever the value's type: a
// DWORD, the bytes of a binary value, or a text that spells a whole number ("0" is off). Only a
// missing value takes `fallback` and has it written back, so that the key shows every setting. A
// value that exists is never overwritten, since the user still reads it as it is: one that holds no
// number (a text such as "on", or more bytes than a flag has) counts as `fallback`.
std::int32_t LoadFlag(const char* value_name, std::int32_t fallback) {
  char stored[64] = {};
  int type = kRegTypeText;
  int length = 0;
  if (ReadValue(stored, &type, &length, kSettingsKeyPath, value_name, sizeof stored)) {
    if (type == kRegTypeText) {
      long number = 0;
      return ParseWholeNumber(stored, &number) ? (number != 0 ? 1 : 0) : fallback;
    }
    for (int i = 0; i < length; ++i)
      if (stored[i] != 0) return 1;
    return 0;
  }
  if (ValueIsAbsent(kSettingsKeyPath, value_name)) {
    std::uint32_t written = static_cast<std::uint32_t>(fallback);
    WriteValue(kSettingsKeyPath, value_name, &written, kRegTypeDword, sizeof written);
  }
  return fallback;
}

bool WriteFlag(const char* value_name, bool flag) {
  std::uint32_t value = flag ? 1 : 0;
  return WriteValue(kSettingsKeyPath, value_name, &value, kRegTypeDword, sizeof value);
}

// Reads a text setting into a path buffer and normalises it as a folder. False when the value is
// missing, is no text, or is too long for a path buffer once normalised.
bool LoadFolder(char* folder, const char* key_path, const char* value_name) {
  char stored[kPathCapacity];
  int type = kRegTypeText;
  if (!ReadValue(stored, &type, nullptr, key_path, value_name, sizeof stored) ||
      type != kRegTypeText)
    return false;
  return NormaliseFolderPath(folder, kPathCapacity, stored) > 0;
}

}  // namespace

int FormatRunCommand(char* command, int capacity, const char* install_dir) {
  if (!command || capacity <= 0) return 0;
  command[0] = '\0';
  if (!install_dir) return 0;
  int length =
      std::snprintf(command, static_cast<size_t>(capacity), "\"%sTalowick.exe\" /s", install_dir);
  // A cut command would start a program that is not there; refuse it whole.
  if (length < 0 || length >= capacity) {
    command[0] = '\0';
    return 0;
  }
  return length;
}

TTaloRegistry::TTaloRegistry() { LoadSettings(); }

void TTaloRegistry::LoadSettings() {
  enabled_ = LoadFlag("Enabled", 1);
  show_warnings_ = LoadFlag("ShowWarnings", 1);
  use_default_user_ = LoadFlag("UseDefaultUser", 0);

  // Without the installer's value the install folder is the root of the current drive.
  if (!LoadFolder(install_dir_, kInstallKeyPath, "InstallDir"))
    CopyText(install_dir_, sizeof install_dir_, "\\");
  // A help path that does not fit stays empty rather than naming a cut file.
  int help_length =
      BoundedLength(install_dir_, kPathCapacity) + static_cast<int>(sizeof kHelpFileName) - 1;
  if (help_length <= kPathCapacity - 1) {
    CopyText(help_file_, sizeof help_file_, install_dir_);
    AppendText(help_file_, sizeof help_file_, kHelpFileName);
  }

  const bool base_stored = LoadFolder(user_base_dir_, kSettingsKeyPath, "UserDir");
  if (base_stored && !IsAutomaticBaseFolder(user_base_dir_, install_dir_)) {
    // The folder may be new (or on a share that is away); resolving below reports what counts.
    PathExists(user_base_dir_, true, true);
  } else if (!base_stored) {
    CopyText(user_base_dir_, sizeof user_base_dir_, install_dir_);
    WriteValue(kSettingsKeyPath, "UserDir", user_base_dir_, kRegTypeText, 0);
  }

  // The entry is written again so that it follows an installation that has moved.
  char command[kRunCommandBufferSize];
  run_at_startup_ =
      ReadValue(command, nullptr, nullptr, kRunKeyPath, kRunValueName, sizeof command) ? 1 : 0;
  if (run_at_startup_ && FormatRunCommand(command, sizeof command, install_dir_))
    WriteValue(kRunKeyPath, kRunValueName, command, kRegTypeText, 0);

  bool use_default_user = use_default_user_ != 0;
  if (!ResolveUserFolderOfBase(user_dir_, &use_default_user, true)) {
    user_dir_[0] = '\0';
    use_default_user = false;
  }
  use_default_user_ = use_default_user ? 1 : 0;
}

int TTaloRegistry::ResolveUserFolderOfBase(char* folder, bool* use_default_user, bool tolerant) {
  if (!IsAutomaticBaseFolder(user_base_dir_, install_dir_))
    return ResolveUserFolder(folder, use_default_user, user_base_dir_, tolerant);
  char base[kPathCapacity];
  const int length = ResolveAutomaticUserFolder(base, folder, use_default_user, user_base_dir_,
                                                install_dir_, tolerant);
  // The setting names the folder in use, which the options show and the uninstaller reads; the
  // folder is in use even when the registry refuses the write.
  if (length && lstrcmpiA(base, user_base_dir_) != 0) {
    WriteValue(kSettingsKeyPath, "UserDir", base, kRegTypeText, 0);
    CopyText(user_base_dir_, sizeof user_base_dir_, base);
  }
  return length;
}

bool TTaloRegistry::SetEnabled(bool enabled) {
  if (!WriteFlag("Enabled", enabled)) return false;
  enabled_ = enabled ? 1 : 0;
  return true;
}

bool TTaloRegistry::SetShowWarnings(bool show) {
  if (!WriteFlag("ShowWarnings", show)) return false;
  show_warnings_ = show ? 1 : 0;
  return true;
}

bool TTaloRegistry::SetRunAtStartup(bool run) {
  if (run) {
    char command[kRunCommandBufferSize];
    if (!FormatRunCommand(command, sizeof command, install_dir_)) return false;
    if (!WriteValue(kRunKeyPath, kRunValueName, command, kRegTypeText, 0)) return false;
  } else if (!DeleteValue(kRunKeyPath, kRunValueName) &&
             !ValueIsAbsent(kRunKeyPath, kRunValueName)) {
    return false;
  }
  run_at_startup_ = run ? 1 : 0;
  return true;
}

bool TTaloRegistry::SetUseDefaultUser(bool use_default_user) {
  char folder[kPathCapacity];
  bool resolved_default = use_default_user;
  const UserFolderSettings previous = UserFolder();
  if (!ResolveUserFolderOfBase(folder, &resolved_default, false)) return false;
  if (!WriteFlag("UseDefaultUser", use_default_user)) {
    RestoreUserFolder(previous);
    return false;
  }
  CopyText(user_dir_, sizeof user_dir_, folder);
  use_default_user_ = resolved_default ? 1 : 0;
  return true;
}

bool TTaloRegistry::SetUserDir(const char* base_folder) {
  // Callers pass a normalised folder; normalising again changes nothing then, and keeps a
  // careless caller from gluing the user folder onto the last name of the base folder.
  char base[kPathCapacity];
  if (!base_folder || !NormaliseFolderPath(base, sizeof base, base_folder)) return false;
  char folder[kPathCapacity];
  bool use_default_user = use_default_user_ != 0;
  if (!ResolveUserFolder(folder, &use_default_user, base, true)) return false;
  if (!WriteValue(kSettingsKeyPath, "UserDir", base, kRegTypeText, 0)) return false;
  CopyText(user_dir_, sizeof user_dir_, folder);
  CopyText(user_base_dir_, sizeof user_base_dir_, base);
  use_default_user_ = use_default_user ? 1 : 0;
  return true;
}

UserFolderSettings TTaloRegistry::UserFolder() const {
  UserFolderSettings settings = {};
  CopyText(settings.base_dir, sizeof settings.base_dir, user_base_dir_);
  CopyText(settings.user_dir, sizeof settings.user_dir, user_dir_);
  settings.use_default_user = use_default_user_ != 0;
  return settings;
}

bool TTaloRegistry::RestoreUserFolder(const UserFolderSettings& previous) {
  const bool written =
      WriteValue(kSettingsKeyPath, "UserDir", previous.base_dir, kRegTypeText, 0) &&
      WriteFlag("UseDefaultUser", previous.use_default_user);
  CopyText(user_base_dir_, sizeof user_base_dir_, previous.base_dir);
  CopyText(user_dir_, sizeof user_dir_, previous.user_dir);
  use_default_user_ = previous.use_default_user ? 1 : 0;
  return written;
}

}  // namespace talo

// TTaloRegistry: the program's settings, loaded from the registry once and written when changed.
#pragma once

#include <cstdint>

#include "data/folder_path.h"

namespace talo {

// The per-user settings key, the installer's key and the autostart entry.
constexpr const char kSettingsKeyPath[] =
    "HKEY_CURRENT_USER\\Software\\Quintavel Software\\Tallowick\\CurrentVersion";
constexpr const char kInstallKeyPath[] =
    "HKEY_LOCAL_MACHINE\\Software\\Quintavel Software\\Tallowick\\CurrentVersion";
constexpr const char kRunKeyPath[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char kRunValueName[] = "Tallowick";

// Size of the autostart command buffer: the longest install folder and the command around it fit.
constexpr int kRunCommandBufferSize = 1028;

// The settings that together decide the user data folder.
struct UserFolderSettings {
  char base_dir[kPathCapacity];
  char user_dir[kPathCapacity];
  bool use_default_user;
};

class TTaloRegistry {
 public:
  // Loads every setting; missing ones take their defaults, which are written back.
  TTaloRegistry();
  TTaloRegistry(const TTaloRegistry&) = delete;
  TTaloRegistry& operator=(const TTaloRegistry&) = delete;

  const char* HelpFile() const { return help_file_; }
  const char* InstallDir() const { return install_dir_; }
  // The resolved user data folder, ending in a backslash; empty when none could be had.
  const char* UserDir() const { return user_dir_; }
  const char* UserBaseDir() const { return user_base_dir_; }
  bool UseDefaultUser() const { return use_default_user_ != 0; }
  bool Enabled() const { return enabled_ != 0; }
  bool RunAtStartup() const { return run_at_startup_ != 0; }
  bool ShowWarnings() const { return show_warnings_ != 0; }

  // Each setter writes the registry first and changes the object only when that succeeded.
  bool SetEnabled(bool enabled);
  bool SetShowWarnings(bool show);
  // Writes the autostart command, or removes it (already absent counts as done).
  bool SetRunAtStartup(bool run);
  // Resolves the user data folder for the new choice; failing to learn the user name is an error.
  bool SetUseDefaultUser(bool use_default_user);
  // Takes a new base folder; without a user name the default user's folder is used instead.
  bool SetUserDir(const char* base_folder);

  UserFolderSettings UserFolder() const;
  // Takes back a change of the user data folder whose later steps failed: writes "UserDir" and
  // "UseDefaultUser" as they were and puts the object back even when a write fails, so that the
  // program goes on with the folder whose data is in force. False when a write failed.
  bool RestoreUserFolder(const UserFolderSettings& previous);

 private:
  void LoadSettings();
  // Resolves the user data folder below the stored base folder; a base the program chose itself
  // (the install folder, the application data folders) is chosen again for this user and mode,
  // and a new choice is stored.
  int ResolveUserFolderOfBase(char* folder, bool* use_default_user, bool tolerant);

  char help_file_[kPathCapacity] = {};
  char install_dir_[kPathCapacity] = {};
  char user_dir_[kPathCapacity] = {};
  char user_base_dir_[kPathCapacity] = {};
  std::int32_t use_default_user_ = 0;
  std::int32_t enabled_ = 0;
  std::int32_t run_at_startup_ = 0;
  std::int32_t show_warnings_ = 0;
};

// Writes the autostart command for `install_dir` ("\"<folder>Talowick.exe\" /s") into `command`.
// Returns its length, or 0 with `command` emptied when it does not fit into `capacity`.
int FormatRunCommand(char* command, int capacity, const char* install_dir);

// The settings of this run; set by the program at start-up, null before and in other code's tests.
extern TTaloRegistry* TaloSettings;

}  // namespace talo

// A throw-away installation for end-to-end tests: the built program and hook library copied into
// a temporary install folder, the registry pointed at it and at a temporary user data base folder,
// everything restored afterwards.
#pragma once

#include <memory>
#include <string>

#include "tests/support/saved_registry.h"
#include "tests/support/temp_folder.h"
#include "tests/support/win_driver.h"

namespace talo::test {

class TestInstallation {
 public:
  // `with_data_files`: copy the shipped data files of the build too (when it has them) or
  // write files with a valid header and an empty body.
  explicit TestInstallation(bool with_data_files = true);

  const std::string& InstallDir() const { return install_.Path(); }
  const std::string& UserBaseDir() const { return user_base_.Path(); }
  std::string Program() const { return install_.File("Talowick.exe"); }
  Process Start(const std::string& arguments = "") const;

 private:
  TempFolder install_;
  TempFolder user_base_;
  SavedRegistryValue install_dir_;
  SavedRegistryValue user_dir_;
  SavedRegistryValue use_default_user_;
  SavedRegistryValue enabled_;
};

inline constexpr char kSettingsKey[] = "Software\\Quintavel Software\\Tallowick\\CurrentVersion";

// Ends every Talowick.exe started by a test that is still running (a failed test may leave one).
void EndRunningInstances();

}  // namespace talo::test

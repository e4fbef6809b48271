// A settings object for tests: TaloSettings loaded from a registry that names a temporary user
// data folder, with the settings key put back and TaloSettings reset afterwards.
#pragma once

#include <memory>
#include <string>

#include "data/settings.h"
#include "tests/support/saved_registry.h"
#include "tests/support/temp_folder.h"

namespace talo::test {

class TestSettings {
 public:
  // The user data folder is "<temp base>\Default\" (the shared default user); `enabled` is the
  // stored Enabled setting.
  explicit TestSettings(bool enabled = true);
  ~TestSettings();
  TestSettings(const TestSettings&) = delete;
  TestSettings& operator=(const TestSettings&) = delete;

  // The resolved user data folder, ending in a backslash.
  std::string UserDir() const;
  std::string UserFile(const std::string& name) const { return UserDir() + name; }
  // The name of this program's working copy with `extension` ("Temp" and its tag), and its path.
  static std::string WorkingName(const std::string& extension);
  std::string WorkingFile(const std::string& extension) const {
    return UserFile(WorkingName(extension));
  }

 private:
  SavedRegistryKey saved_vendor_;
  TempFolder user_base_;
  std::unique_ptr<TTaloRegistry> settings_;
};

}  // namespace talo::test

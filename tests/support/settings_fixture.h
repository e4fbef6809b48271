// Process-wide settings for tests of program operations: the settings of a first start, pointed at
// a temporary base folder with the shared "Default\" user folder, TaloSettings made from them,
// the registry put back afterwards.
#pragma once

#include <memory>
#include <string>

#include "data/settings.h"
#include "tests/support/saved_registry.h"
#include "tests/support/temp_folder.h"

namespace talo::test {

class ScopedSettings {
 public:
  ScopedSettings();
  ~ScopedSettings();
  ScopedSettings(const ScopedSettings&) = delete;
  ScopedSettings& operator=(const ScopedSettings&) = delete;

  // The user data folder, ending in a backslash.
  std::string UserDir() const { return TaloSettings->UserDir(); }

 private:
  TempFolder base_;
  SavedRegistryKey settings_key_;
  SavedRegistryValue run_value_;
  std::unique_ptr<TTaloRegistry> settings_;
};

}  // namespace talo::test

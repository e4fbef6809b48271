// A settings object for tests over a temporary user data folder.
#include "tests/support/test_settings.h"

#include "data/combination_files.h"
#include "tests/support/installation.h"

namespace talo::test {

TestSettings::TestSettings(bool enabled)
    : saved_vendor_(HKEY_CURRENT_USER, "Software\\Quintavel Software") {
  WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir", user_base_.Path());
  WriteRegistryDword(HKEY_CURRENT_USER, kSettingsKey, "UseDefaultUser", 1);
  WriteRegistryDword(HKEY_CURRENT_USER, kSettingsKey, "Enabled", enabled ? 1 : 0);
  settings_ = std::make_unique<TTaloRegistry>();
  TaloSettings = settings_.get();
}

TestSettings::~TestSettings() {
  if (TaloSettings == settings_.get()) TaloSettings = nullptr;
}

std::string TestSettings::UserDir() const { return settings_->UserDir(); }

std::string TestSettings::WorkingName(const std::string& extension) {
  return std::string("Temp") + WorkingFileTag() + extension;
}

}  // namespace talo::test

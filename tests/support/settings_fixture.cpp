// Process-wide settings on a temporary base folder.
#include "tests/support/settings_fixture.h"

namespace talo::test {
namespace {
constexpr char kSettingsSubkey[] = "Software\\Quintavel Software\\Tallowick\\CurrentVersion";
}

ScopedSettings::ScopedSettings()
    : settings_key_(HKEY_CURRENT_USER, kSettingsSubkey),
      run_value_(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                 "Tallowick") {
  // A first start: every other setting takes its default.
  DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsSubkey);
  WriteRegistryText(HKEY_CURRENT_USER, kSettingsSubkey, "UserDir", base_.Path());
  WriteRegistryDword(HKEY_CURRENT_USER, kSettingsSubkey, "UseDefaultUser", 1);
  settings_ = std::make_unique<TTaloRegistry>();
  TaloSettings = settings_.get();
}

ScopedSettings::~ScopedSettings() {
  TaloSettings = nullptr;
  settings_.reset();
}

}  // namespace talo::test

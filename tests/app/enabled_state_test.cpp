// SetEnabledState with the real settings, server, main window and tray icon of the program.
#include "app/enabled_state.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "app/form_main.h"
#include "app/globals.h"
#include "app/tray_icon.h"
#include "hook/comm_block.h"
#include "hook/server/talo_server.h"
#include "tests/support/installation.h"
#include "tests/support/test_settings.h"
#include "ui/application.h"

namespace talo {
namespace {

using test::InstallFolder;

std::uint32_t PublishedHook() {
  std::string block = test::ReadSharedMemory(kCommBlockName, kCommBlockSize);
  std::uint32_t value = 0xDEADBEEF;
  if (block.size() == size_t(kCommBlockSize)) std::memcpy(&value, &block[kHookHandleOffset], 4);
  return value;
}

DWORD StoredEnabled() {
  DWORD value = 0xDEAD;
  test::ReadRegistryDword(HKEY_CURRENT_USER, test::kSettingsKey, "Enabled", &value);
  return value;
}

// The process-wide objects SetEnabledState works with, set up as the program has them after a
// start-up with the main window hidden.
class EnabledState : public ::testing::Test {
 protected:
  void SetUp() override {
    application_.Initialize();
    FormMain = new TFormMain();
    TaloTrayIcon = new TSysTrayIcon();
    TaloServer = new TTaloServer();
    ASSERT_TRUE(TaloServer->Start(InstallFolder().c_str(), settings_.UserDir().c_str()));
  }
  void TearDown() override {
    delete TaloServer;
    TaloServer = nullptr;
    delete TaloTrayIcon;
    TaloTrayIcon = nullptr;
    delete FormMain;
    FormMain = nullptr;
  }

  test::TestSettings settings_{/*enabled=*/false};
  ui::TApplication application_;
};

TEST_F(EnabledState, WithTheMainWindowHiddenTheHookFollowsAtOnce) {
  ASSERT_TRUE(SetEnabledState(true));
  EXPECT_EQ(StoredEnabled(), 1u);
  EXPECT_TRUE(TaloSettings->Enabled());
  ASSERT_NE(TaloServer->HookHandle(), nullptr);
  EXPECT_NE(PublishedHook(), 0u);
  EXPECT_EQ(TaloTrayIcon->StateValue(), TSysTrayIcon::kShown);

  ASSERT_TRUE(SetEnabledState(false));
  EXPECT_EQ(StoredEnabled(), 0u);
  EXPECT_FALSE(TaloSettings->Enabled());
  EXPECT_EQ(TaloServer->HookHandle(), nullptr);
  EXPECT_EQ(PublishedHook(), 0u);
  EXPECT_EQ(TaloTrayIcon->StateValue(), TSysTrayIcon::kShown);
}

TEST_F(EnabledState, WithTheMainWindowInTheActiveApplicationOnlyTheSettingChanges) {
  FormMain->Show();
  application_.ActivateChanged(true);
  ASSERT_TRUE(SetEnabledState(true));
  EXPECT_EQ(StoredEnabled(), 1u);
  EXPECT_EQ(TaloServer->HookHandle(), nullptr);
  EXPECT_EQ(PublishedHook(), 0u);

  // Visible but in an inactive application: the hook is switched.
  application_.ActivateChanged(false);
  ASSERT_TRUE(SetEnabledState(true));
  EXPECT_NE(TaloServer->HookHandle(), nullptr);
}

TEST_F(EnabledState, MissingObjectsFailAfterTheSettingIsStored) {
  TTaloServer* server = TaloServer;
  TaloServer = nullptr;
  EXPECT_FALSE(SetEnabledState(true));
  EXPECT_EQ(StoredEnabled(), 1u);
  TaloServer = server;

  TFormMain* main_form = FormMain;
  FormMain = nullptr;
  EXPECT_FALSE(SetEnabledState(false));
  EXPECT_EQ(StoredEnabled(), 0u);
  FormMain = main_form;

  TTaloRegistry* settings = TaloSettings;
  TaloSettings = nullptr;
  EXPECT_FALSE(SetEnabledState(true));
  EXPECT_EQ(StoredEnabled(), 0u) << "without settings nothing is stored";
  TaloSettings = settings;
}

TEST_F(EnabledState, AServerThatCannotHookFails) {
  TaloServer->Stop();
  EXPECT_FALSE(SetEnabledState(true));
  EXPECT_EQ(TaloTrayIcon->StateValue(), TSysTrayIcon::kEmpty) << "the icon is not changed";
}

}  // namespace
}  // namespace talo

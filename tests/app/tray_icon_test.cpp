// The notification-area icon: prepared, shown, replaced and removed.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "app/globals.h"
#include "app/tray_icon.h"
#include "tests/support/win_driver.h"

namespace talo {
namespace {

using test::TrayIconExists;

class TrayIcon : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }

  HWND window_ = nullptr;
  HICON icon_ = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
};

TEST_F(TrayIcon, ShowsOnceAndIsReplacedByTheNextPrepare) {
  TSysTrayIcon tray;
  EXPECT_FALSE(tray.Show()) << "nothing prepared";
  ASSERT_TRUE(tray.Prepare(window_, kTrayIconId, WM_TRAYNOTIFY, icon_, kTrayTip));
  EXPECT_EQ(tray.StateValue(), TSysTrayIcon::kPrepared);
  EXPECT_FALSE(TrayIconExists(window_, kTrayIconId));

  ASSERT_TRUE(tray.Show());
  EXPECT_EQ(tray.StateValue(), TSysTrayIcon::kShown);
  EXPECT_TRUE(TrayIconExists(window_, kTrayIconId));
  EXPECT_TRUE(tray.Show()) << "a shown icon stays shown";

  // A new picture: the old icon is deleted and the new one waits for Show.
  ASSERT_TRUE(tray.Prepare(window_, kTrayIconId, WM_TRAYNOTIFY, icon_, kTrayTip));
  EXPECT_FALSE(TrayIconExists(window_, kTrayIconId));
  ASSERT_TRUE(tray.Show());
  EXPECT_TRUE(TrayIconExists(window_, kTrayIconId));

  tray.Remove();
  EXPECT_EQ(tray.StateValue(), TSysTrayIcon::kEmpty);
  EXPECT_FALSE(TrayIconExists(window_, kTrayIconId));
  EXPECT_EQ(tray.Record().window, nullptr);
}

TEST_F(TrayIcon, RecordHoldsTheFirstLayoutAndACutTip) {
  TSysTrayIcon tray;
  std::string tip(100, 't');
  ASSERT_TRUE(tray.Prepare(window_, 7, 0x2410, icon_, tip.c_str()));
  const NotifyIconRecord& record = tray.Record();
  EXPECT_EQ(record.size, UINT(NOTIFYICONDATAA_V1_SIZE));  // 88 in the 32-bit program
  EXPECT_EQ(record.flags, 7u);
  EXPECT_EQ(record.callback_message, 0x2410u);
  EXPECT_EQ(std::string(record.tip), std::string(63, 't'));
}

TEST_F(TrayIcon, MissingWindowOrIconFailsAndLeavesNothing) {
  TSysTrayIcon tray;
  ASSERT_TRUE(tray.Prepare(window_, kTrayIconId, WM_TRAYNOTIFY, icon_, kTrayTip));
  ASSERT_TRUE(tray.Show());
  EXPECT_FALSE(tray.Prepare(window_, kTrayIconId, WM_TRAYNOTIFY, nullptr, kTrayTip));
  EXPECT_EQ(tray.StateValue(), TSysTrayIcon::kEmpty);
  EXPECT_FALSE(TrayIconExists(window_, kTrayIconId));
  EXPECT_FALSE(tray.Prepare(nullptr, kTrayIconId, WM_TRAYNOTIFY, icon_, kTrayTip));
}

TEST_F(TrayIcon, DestructorRemovesTheIcon) {
  {
    TSysTrayIcon tray;
    ASSERT_TRUE(tray.Prepare(window_, kTrayIconId, WM_TRAYNOTIFY, icon_, kTrayTip));
    ASSERT_TRUE(tray.Show());
  }
  EXPECT_FALSE(TrayIconExists(window_, kTrayIconId));
}

}  // namespace
}  // namespace talo

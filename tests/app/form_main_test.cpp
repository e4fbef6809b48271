// The main window: the keyboard picture, the key popup's entries and the tray menu's situations.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "app/globals.h"
#include "data/combination.h"
#include "data/sys_data.h"
#include "data/user_data.h"
#include "forms/form_assign.h"
#include "forms/form_list.h"
#include "forms/form_options.h"
#include "tests/support/program_forms.h"
#include "tests/support/settings_fixture.h"

namespace talo {
namespace {

using test::ProgramForms;
using test::ScopedSettings;

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(system_.CreateView());
    ASSERT_TRUE(user_.CreateView());
    TaloSysData = &system_;
    TaloUserData = &user_;
    SetKeyName('A', "A");
    SetKeyName(0xBD, "-");
  }
  void TearDown() override {
    TaloSysData = nullptr;
    TaloUserData = nullptr;
  }
  void SetKeyName(int key, const char* name) {
    lstrcpynA(reinterpret_cast<char*>(system_.View()) + 3072 + 16 * key, name, 16);
  }
  void SetSystemStatus(int code, unsigned char status) { system_.View()[1024 + code] = status; }

  ScopedSettings settings_;
  TTaloSysData system_;
  TTaloUserData user_;
  ProgramForms forms_;
};

TEST_F(MainWindow, HoldsEveryKeyPictureOnceInsideTheKeyboardPanel) {
  FormMain->RefreshKeyboard(true);
  std::set<std::string> names;
  for (int i = 0; i < kKeyPictureCount; ++i) {
    const KeyPicture& key = kKeyPictures[i];
    names.insert(key.name);
    EXPECT_EQ(FormMain->imgKeys[i].Tag(), key.tag);
    EXPECT_EQ(FormMain->imgKeys[i].Left(), key.left) << key.name;
    EXPECT_LE(key.left + key.width, 769 - 17) << key.name;
    EXPECT_LE(key.top + key.height, 241 - 17) << key.name;
  }
  EXPECT_EQ(names.size(), size_t(kKeyPictureCount));
  EXPECT_TRUE(names.count("img12_") && names.count("img11_") && names.count("img5B_"));
}

TEST_F(MainWindow, KeyPopupEntriesNameTheCombinationGreyTheUnavailableAndCheckTheActive) {
  SetSystemStatus('A', 0x00);                    // A alone: not available
  SetSystemStatus(kCtrlBit | 'A', 0x02);         // Ctrl + A: commonly used
  SetSystemStatus(kCtrlBit | kAltBit | 'A', 0x20);
  SetSystemStatus(kShiftBit | kAltBit | 'A', 0x20);
  user_.SetStatus(0x18, kCtrlBit | kAltBit | 'A');  // enabled text assignment
  user_.SetStatus(0x08, kShiftBit | kAltBit | 'A');  // disabled one

  FormMain->SetKeyMenuItem(FormMain->menKeyNormal, 'A');
  FormMain->SetKeyMenuItem(FormMain->menKeyCtr, kCtrlBit | 'A');
  FormMain->SetKeyMenuItem(FormMain->menKeyCtrAlt, kCtrlBit | kAltBit | 'A');
  FormMain->SetKeyMenuItem(FormMain->menKeyShAlt, kShiftBit | kAltBit | 'A');

  const ui::TMenuItem& normal = FormMain->menKeyNormal;
  EXPECT_EQ(normal.Caption(), "A");
  EXPECT_FALSE(normal.Enabled());
  EXPECT_EQ(normal.ImageIndex(), -1);
  EXPECT_EQ(FormMain->menKeyCtr.Caption(), "Ctrl + A");
  EXPECT_TRUE(FormMain->menKeyCtr.Enabled());
  EXPECT_EQ(FormMain->menKeyCtr.ImageIndex(), 2);
  EXPECT_FALSE(FormMain->menKeyCtr.Checked());
  EXPECT_EQ(FormMain->menKeyCtrAlt.Caption(), "Ctrl + Alt + A");
  EXPECT_TRUE(FormMain->menKeyCtrAlt.Checked());
  EXPECT_EQ(FormMain->menKeyShAlt.ImageIndex(), 5);
  EXPECT_FALSE(FormMain->menKeyShAlt.Checked()) << "a disabled assignment is not checked";
}

TEST_F(MainWindow, AKeyNamedWithALoneDashReadsAsDashBlank) {
  SetSystemStatus(0xBD, 0x20);
  FormMain->SetKeyMenuItem(FormMain->menKeyNormal, 0xBD);
  EXPECT_EQ(FormMain->menKeyNormal.Caption(), "- ");
  FormMain->SetKeyMenuItem(FormMain->menKeySh, kShiftBit | 0xBD);
  EXPECT_EQ(FormMain->menKeySh.Caption(), "Shift + -");
}

// The captions of the visible tray menu entries, with a '*' before the default one.
std::vector<std::string> TrayEntries() {
  FormMain->PrepareTrayMenu();
  std::vector<std::string> entries;
  const ui::TMenuItem& items = FormMain->pumSysTray.Items();
  for (int i = 0; i < items.Count(); ++i) {
    const ui::TMenuItem& item = items.Item(i);
    if (item.Visible()) entries.push_back((item.Default() ? "*" : "") + item.Caption());
  }
  return entries;
}

TEST_F(MainWindow, TrayMenuFollowsTheMainWindowAndTheOptions) {
  using Entries = std::vector<std::string>;
  EXPECT_EQ(TrayEntries(), (Entries{"*&Open Keyboard", "-", "Assignment &List", "Op&tions", "&Help",
                                    "-", "&Enabled", "&Disabled", "-", "E&xit"}));
  EXPECT_TRUE(FormMain->menSysEnabled.Checked());
  EXPECT_FALSE(FormMain->menSysDisabled.Checked());

  FormMain->Show();
  EXPECT_EQ(TrayEntries(),
            (Entries{"*Close Keyboard", "-", "Enabled", "Disabled", "-", "Exit"}));

  // Visible behind a dialog: the dialog disables it.
  EnableWindow(FormMain->Handle(), FALSE);
  FormList->Show();
  EXPECT_EQ(TrayEntries(), (Entries{"&Enabled", "&Disabled", "-", "E&xit"}));
  FormList->Hide();
  FormOptions->Show();
  EXPECT_EQ(TrayEntries(), (Entries{"E&xit"}));
  FormOptions->Hide();
  EnableWindow(FormMain->Handle(), TRUE);
}

TEST_F(MainWindow, DoubleClickOnTheIconShowsAndHidesTheWindowButNotBehindADialog) {
  FormMain->TrayNotify(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(FormMain->Visible());
  FormMain->TrayNotify(WM_LBUTTONDBLCLK);
  EXPECT_FALSE(FormMain->Visible());

  FormMain->Show();
  EnableWindow(FormMain->Handle(), FALSE);
  FormAssign->Show();
  FormMain->TrayNotify(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(FormMain->Visible());
  FormAssign->Hide();
  EnableWindow(FormMain->Handle(), TRUE);
}

TEST_F(MainWindow, FirstShowCentresTheWindowAndBuildsThePicturesAndHidingDropsThem) {
  FormMain->Show();
  RECT area;
  GetWindowRect(FormMain->Handle(), &area);
  const int expected_left =
      GetSystemMetrics(SM_XVIRTUALSCREEN) +
      (GetSystemMetrics(SM_CXVIRTUALSCREEN) - (area.right - area.left)) / 2;
  EXPECT_EQ(area.left, expected_left < 0 ? 0 : expected_left);
  EXPECT_EQ(area.bottom - area.top, 346);

  // The user moves it; the next show keeps the place.
  SetWindowPos(FormMain->Handle(), nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  FormMain->Hide();
  EXPECT_TRUE(FormMain->imgKeys[0].Empty());
  FormMain->Show();
  GetWindowRect(FormMain->Handle(), &area);
  EXPECT_EQ(area.left, 5);
}

TEST_F(MainWindow, KeysWithoutAnAvailableCombinationSayTheyCannotBeSelected) {
  SetSystemStatus(kCtrlBit | kAltBit | 'A', 0x20);
  FormMain->RefreshKeyboard(true);
  for (int i = 0; i < kKeyPictureCount; ++i) {
    const ui::TImage& key = FormMain->imgKeys[i];
    EXPECT_EQ(key.Hint(), key.Tag() == 'A' ? "Click to select key combination for assignment."
                                           : "This key is not available for assignment.")
        << kKeyPictures[i].name;
  }
}

}  // namespace
}  // namespace talo

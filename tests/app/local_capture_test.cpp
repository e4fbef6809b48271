// Combinations pressed or picked in the main window: editor, warning, pass-through and beep, and
// which key events the local hook takes.
#include "app/local_capture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "app/form_navigation.h"
#include "app/form_warning.h"
#include "app/globals.h"
#include "forms/form_assign.h"
#include "tests/support/form_answerer.h"
#include "tests/support/program_forms.h"
#include "tests/support/settings_fixture.h"
#include "tests/support/system_data_view.h"

namespace talo {
namespace {

constexpr unsigned char kAvailable = 0x20;
constexpr unsigned char kCommonlyUsed = 0x12;
constexpr LPARAM kKeyDownFlags = 0x001E0001;  // repeat count 1, a scan code
constexpr LPARAM kKeyUpFlags = LPARAM(0xC01E0001);

enum class WarningAnswer { kCancel, kContinue };

class LocalCapture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(system_data_.Created());
    GetKeyboardState(saved_keys_);
    PressOnly({});
    FormMain->Show();
    ASSERT_EQ(FindActiveForm(), FormMain);
  }
  void TearDown() override { SetKeyboardState(saved_keys_); }

  // The keyboard state of this thread, as GetKeyState reports it, with just these keys down.
  static void PressOnly(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
  }

  // Runs `select` while the modal forms that open are answered, and records them.
  template <typename Select>
  int RunRecording(Select select, WarningAnswer warning_answer = WarningAnswer::kCancel) {
    opened_.clear();
    test::ModalFormAnswerer answerer([&](ui::TForm& form) {
      if (&form == FormAssign) {
        char opened[32];
        std::snprintf(opened, sizeof opened, "editor %#x", FormAssign->Code());
        opened_.push_back(opened);
        form.SetModalResult(ui::mrOK);
      } else if (&form == FormWarning && warning_answer == WarningAnswer::kContinue) {
        opened_.push_back("warning");
        FormWarning->btnContinue.Click();
      } else {
        opened_.push_back(&form == FormWarning ? "warning" : "another form");
        form.SetModalResult(ui::mrCancel);
      }
    });
    return select();
  }

  int Select(int code, WarningAnswer warning_answer = WarningAnswer::kCancel) {
    return RunRecording([code] { return SelectCombination(FormMain, code); }, warning_answer);
  }
  // The hook's own call, then the selection it posted to the main window.
  LRESULT Hook(int hook_code, WPARAM key, LPARAM flags) {
    return RunRecording([=] {
      const LRESULT result = LocalKeyboardProc(hook_code, key, flags);
      MSG posted;
      while (PeekMessageA(&posted, FormMain->Handle(), WM_SELECTCOMBINATION, WM_SELECTCOMBINATION,
                          PM_REMOVE))
        DispatchMessageA(&posted);
      return result;
    });
  }

  test::ProgramForms forms_;
  test::ScopedSettings settings_;
  test::SystemDataView system_data_;
  BYTE saved_keys_[256] = {};
  std::vector<std::string> opened_;
};

using Opened = std::vector<std::string>;

TEST_F(LocalCapture, AnAvailableCombinationOpensTheEditorForExactlyThatCombination) {
  system_data_.SetStatus(0x241, kAvailable);
  EXPECT_EQ(Select(0x241), 1);
  EXPECT_EQ(opened_, Opened{"editor 0x241"});
  EXPECT_EQ(FindActiveForm(), FormMain);
}

TEST_F(LocalCapture, ACommonlyUsedCombinationIsWarnedAboutWhileWarningsAreOn) {
  system_data_.SetStatus('C', kCommonlyUsed);
  EXPECT_EQ(Select('C', WarningAnswer::kCancel), 1);
  EXPECT_EQ(opened_, Opened{"warning"});

  EXPECT_EQ(Select('C', WarningAnswer::kContinue), 1);
  EXPECT_EQ(opened_, (Opened{"warning", "editor 0x43"}));

  ASSERT_TRUE(TaloSettings->SetShowWarnings(false));
  EXPECT_EQ(Select('C'), 1);
  EXPECT_EQ(opened_, Opened{"editor 0x43"});
}

TEST_F(LocalCapture, UnavailableNavigationKeysGoOnToTheWindowAndAvailableOnesAreCaptured) {
  for (int code : {9, 13, 32, 0x109, 0x10D, 0x120, 0x473, 0x573}) {
    EXPECT_EQ(Select(code), 0) << code;
    EXPECT_TRUE(opened_.empty()) << code;
  }
  system_data_.SetStatus(9, kAvailable);
  EXPECT_EQ(Select(9), 1);
  EXPECT_EQ(opened_, Opened{"editor 0x9"});
}

TEST_F(LocalCapture, ModifiersAloneAndUnavailableKeysAreSwallowedWithoutOpeningAnything) {
  for (int code : {0x110, 0x211, 0x712, int('B'), 0x242}) {
    EXPECT_EQ(Select(code), 1) << code;
    EXPECT_TRUE(opened_.empty()) << code;
  }
  // Without system data nothing counts as available.
  system_data_.SetStatus('A', kAvailable);
  TaloSysData = nullptr;
  EXPECT_EQ(Select('A'), 1);
  EXPECT_EQ(Select(9), 0);
  EXPECT_TRUE(opened_.empty());
}

TEST_F(LocalCapture, SelectingEndsAnOpenPopupMenuWithARightPressOutsideIt) {
  MSG pending;
  while (PeekMessageA(&pending, FormMain->Handle(), WM_RBUTTONDOWN, WM_RBUTTONDOWN, PM_REMOVE)) {
  }
  Select(9);
  ASSERT_TRUE(
      PeekMessageA(&pending, FormMain->Handle(), WM_RBUTTONDOWN, WM_RBUTTONDOWN, PM_REMOVE));
  EXPECT_EQ(pending.wParam, 0u);
  EXPECT_EQ(pending.lParam, LPARAM(-1));
}

TEST_F(LocalCapture, TheHookCapturesKeysGoingDownWithTheModifiersHeld) {
  system_data_.SetStatus('A', kAvailable);
  system_data_.SetStatus(0x741, kAvailable);
  EXPECT_EQ(Hook(HC_ACTION, 'A', kKeyDownFlags), 1);
  EXPECT_EQ(opened_, Opened{"editor 0x41"});

  PressOnly({VK_SHIFT, VK_LSHIFT, VK_CONTROL, VK_RCONTROL, VK_MENU, VK_LMENU});
  EXPECT_EQ(Hook(HC_ACTION, 'A', kKeyDownFlags), 1);
  EXPECT_EQ(opened_, Opened{"editor 0x741"});
}

TEST_F(LocalCapture, TheHookPassesOnWhatIsNotAKeyGoingDownInTheActiveMainWindow) {
  system_data_.SetStatus('A', kAvailable);
  EXPECT_EQ(Hook(HC_ACTION, 'A', kKeyUpFlags), 0);
  EXPECT_EQ(Hook(HC_NOREMOVE, 'A', kKeyDownFlags), 0);
  for (int held : {VK_LWIN, VK_RWIN, VK_APPS}) {
    PressOnly({held});
    EXPECT_EQ(Hook(HC_ACTION, 'A', kKeyDownFlags), 0) << held;
  }
  PressOnly({});
  FormMain->Hide();
  EXPECT_EQ(Hook(HC_ACTION, 'A', kKeyDownFlags), 0);
  EXPECT_TRUE(opened_.empty());
}

}  // namespace
}  // namespace talo

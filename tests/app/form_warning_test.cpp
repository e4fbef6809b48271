// The combination warning: its face, and what Continue, Cancel and the check box leave behind.
#include "app/form_warning.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/form_main.h"
#include "app/globals.h"
#include "tests/support/dialog_answerer.h"
#include "tests/support/form_answerer.h"
#include "tests/support/program_forms.h"
#include "tests/support/saved_registry.h"
#include "tests/support/settings_fixture.h"
#include "tests/support/system_data_view.h"

namespace talo {
namespace {

using test::ModalFormAnswerer;

constexpr char kSettingsSubkey[] = "Software\\Quintavel Software\\Tallowick\\CurrentVersion";

void Click(const ui::TControl& control) { SendMessageA(control.Handle(), BM_CLICK, 0, 0); }

DWORD StoredShowWarnings() {
  DWORD value = 99;
  test::ReadRegistryDword(HKEY_CURRENT_USER, kSettingsSubkey, "ShowWarnings", &value);
  return value;
}

class FormWarningTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(system_data_.Created());
    system_data_.SetKeyName('A', "A");
    ASSERT_TRUE(TaloSettings->ShowWarnings());
  }

  // Shows the warning for Shift + Ctrl + A; `answer` ends it.
  int ShowWarning(std::function<void(TFormWarning&)> answer) {
    ModalFormAnswerer answerer([&](ui::TForm& form) {
      if (&form == FormWarning)
        answer(*FormWarning);
      else
        form.SetModalResult(ui::mrCancel);
    });
    return ShowCombinationWarning(FormWarning, 0x341);
  }

  test::ProgramForms forms_;
  test::ScopedSettings settings_;
  test::SystemDataView system_data_;
};

TEST_F(FormWarningTest, LaysOutItsComponentsOnTheDesignedClientArea) {
  TFormWarning& form = *FormWarning;
  EXPECT_EQ(form.Caption(), "Key combination warning.");
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 347);
  EXPECT_EQ(client.bottom, 184);

  const struct {
    const ui::TControl& control;
    RECT place;  // left, top, width, height
    const char* caption;
  } components[] = {
      {form.lblMessage,
       {20, 60, 310, 45},
       "If you assign functionality to this combination, this functionality will override that "
       "of other applications, when Tallowick is enabled."},
      {form.chkNoWarnings,
       {40, 115, 270, 20},
       "&Do not show key combination warnings in the future."},
      {form.btnContinue, {171, 151, 80, 23}, "&Continue"},
      {form.btnCancel, {258, 151, 80, 23}, "Cancel"},
      {form.lblWarning, {20, 20, 310, 30}, ""},
  };
  for (const auto& c : components) {
    EXPECT_EQ(c.control.Caption(), c.caption);
    EXPECT_EQ(c.control.Left(), c.place.left) << c.caption;
    EXPECT_EQ(c.control.Top(), c.place.top) << c.caption;
    EXPECT_EQ(c.control.Width(), c.place.right) << c.caption;
    EXPECT_EQ(c.control.Height(), c.place.bottom) << c.caption;
  }
  EXPECT_TRUE(form.lblWarning.WordWrap());
  EXPECT_TRUE(form.lblMessage.WordWrap());
  EXPECT_EQ(form.DefaultButton(), &form.btnContinue);
  EXPECT_EQ(form.CancelButton(), &form.btnCancel);

  HWND tab_order[4] = {GetNextDlgTabItem(form.Handle(), nullptr, FALSE)};
  for (int i = 1; i < 4; ++i)
    tab_order[i] = GetNextDlgTabItem(form.Handle(), tab_order[i - 1], FALSE);
  EXPECT_EQ(tab_order[0], form.btnContinue.Handle());
  EXPECT_EQ(tab_order[1], form.btnCancel.Handle());
  EXPECT_EQ(tab_order[2], form.chkNoWarnings.Handle());
  EXPECT_EQ(tab_order[3], form.btnContinue.Handle());
}

TEST_F(FormWarningTest, NamesTheCombinationAndOpensCentredOverTheMainWindowWithContinueFocused) {
  SetWindowPos(FormMain->Handle(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  FormMain->Show();
  std::string text;
  RECT main_area, warning_area;
  HWND focus = nullptr;
  const int result = ShowWarning([&](TFormWarning& form) {
    text = form.lblWarning.Caption();
    GetWindowRect(FormMain->Handle(), &main_area);
    GetWindowRect(form.Handle(), &warning_area);
    focus = GetFocus();
    Click(form.btnCancel);
  });
  EXPECT_NE(result, 1);
  EXPECT_EQ(text,
            "WARNING:  The key combination, which you have selected,\n'Shift + Ctrl + A', is "
            "commonly used by other applications.");
  EXPECT_NEAR(warning_area.left + warning_area.right, main_area.left + main_area.right, 2);
  EXPECT_NEAR(warning_area.top + warning_area.bottom, main_area.top + main_area.bottom, 2);
  EXPECT_EQ(focus, FormWarning->btnContinue.Handle());
}

TEST_F(FormWarningTest, ContinueWithTheBoxTickedTurnsWarningsOffForGood) {
  EXPECT_EQ(ShowWarning([](TFormWarning& form) { Click(form.btnContinue); }), 1);
  EXPECT_TRUE(TaloSettings->ShowWarnings());
  EXPECT_EQ(StoredShowWarnings(), 1u);

  EXPECT_EQ(ShowWarning([](TFormWarning& form) {
              Click(form.chkNoWarnings);
              Click(form.btnContinue);
            }),
            1);
  EXPECT_FALSE(TaloSettings->ShowWarnings());
  EXPECT_EQ(StoredShowWarnings(), 0u);
}

TEST_F(FormWarningTest, AFailedSettingsWriteIsReportedAndTheDialogStillContinues) {
  test::DeniedKeyWrites denied(HKEY_CURRENT_USER, kSettingsSubkey);
  ASSERT_TRUE(denied.Active());
  test::DialogAnswerer answerer;
  EXPECT_EQ(ShowWarning([](TFormWarning& form) {
              Click(form.chkNoWarnings);
              Click(form.btnContinue);
            }),
            1);
  const auto boxes = answerer.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "An internal registry write error has occurred within Tallowick, 'TALOWICK.EXE'.");
  EXPECT_EQ(boxes[0].caption, "Registry write error.");
  EXPECT_TRUE(boxes[0].warning_icon);
  EXPECT_TRUE(TaloSettings->ShowWarnings());
}

TEST_F(FormWarningTest, CancelEscapeAndTheCloseBoxDropTheCombinationAndEachShowingStartsCleared) {
  const struct {
    const char* way;
    void (*end)(TFormWarning&);
  } ways[] = {
      {"Cancel", [](TFormWarning& form) { Click(form.btnCancel); }},
      {"Escape",
       [](TFormWarning& form) {
         PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
         PostMessageA(GetFocus(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
       }},
      {"close box",
       [](TFormWarning& form) { SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const auto& way : ways) {
    bool started_ticked = true;
    const int result = ShowWarning([&](TFormWarning& form) {
      started_ticked = form.chkNoWarnings.Checked();
      Click(form.chkNoWarnings);  // left ticked for the next showing
      way.end(form);
    });
    EXPECT_NE(result, 1) << way.way;
    EXPECT_FALSE(started_ticked) << way.way;
    EXPECT_TRUE(TaloSettings->ShowWarnings()) << way.way;
  }
}

}  // namespace
}  // namespace talo

// Moving between the program's forms: the active form, parking the main window behind dialogs.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/form_main.h"
#include "app/form_navigation.h"
#include "app/globals.h"
#include "forms/form_assign.h"
#include "forms/form_list.h"
#include "forms/form_options.h"
#include "tests/support/program_forms.h"

namespace talo {
namespace {

using test::ProgramForms;
using test::RunInsideModalLoop;

RECT WindowArea(const ui::TForm* form) {
  RECT area;
  GetWindowRect(form->Handle(), &area);
  return area;
}

// What the inside of a modal loop saw.
struct Seen {
  ui::TForm* active = nullptr;
  RECT main_area = {};
  bool main_visible = false;
};
Seen seen;

void RecordAndClose(ui::TForm* dialog) {
  seen.active = FindActiveForm();
  seen.main_area = WindowArea(FormMain);
  seen.main_visible = FormMain->Visible();
  dialog->SetModalResult(ui::mrOK);
}

class FormNavigation : public ::testing::Test {
 protected:
  void SetUp() override {
    seen = {};
    // The first show centres the window; later ones keep the place the user gave it.
    FormMain->Show();
    FormMain->Hide();
    SetWindowPos(FormMain->Handle(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  ProgramForms forms_;
};

TEST_F(FormNavigation, ActiveFormIsTheVisibleEnabledOneAndNoneWhileAFormIsMissing) {
  EXPECT_EQ(FindActiveForm(), nullptr);
  FormMain->Show();
  EXPECT_EQ(FindActiveForm(), FormMain);
  EnableWindow(FormMain->Handle(), FALSE);
  EXPECT_EQ(FindActiveForm(), nullptr);
  EnableWindow(FormMain->Handle(), TRUE);

  TFormWarning* warning = FormWarning;
  FormWarning = nullptr;
  EXPECT_EQ(FindActiveForm(), nullptr);
  FormWarning = warning;
}

TEST_F(FormNavigation, TheListParksTheMainWindowOffScreenAndPutsItBack) {
  FormMain->Show();
  const RECT before = WindowArea(FormMain);
  RunInsideModalLoop([] { RecordAndClose(FormList); });
  ShowListForm();

  EXPECT_EQ(seen.active, FormList);
  EXPECT_EQ(seen.main_area.left, -256);
  EXPECT_EQ(seen.main_area.right - seen.main_area.left, 128);
  EXPECT_TRUE(seen.main_visible);
  const RECT after = WindowArea(FormMain);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.right, before.right);
  EXPECT_TRUE(FormMain->Visible());
  EXPECT_FALSE(FormMain->Parked());
}

TEST_F(FormNavigation, AHiddenMainWindowIsShownOffScreenWhileParkedAndHiddenAgain) {
  RunInsideModalLoop([] { RecordAndClose(FormAssign); });
  EditAssignment(0x674, FormMain);
  EXPECT_EQ(FormAssign->Code(), 0x674);
  EXPECT_EQ(seen.active, FormAssign);
  EXPECT_TRUE(seen.main_visible);
  EXPECT_EQ(seen.main_area.left, -256);
  EXPECT_FALSE(FormMain->Visible());
  EXPECT_EQ(WindowArea(FormMain).left, 40);
}

TEST_F(FormNavigation, TheOptionsLeaveTheActiveMainWindowInPlace) {
  FormMain->Show();
  SetForegroundWindow(FormMain->Handle());
  RunInsideModalLoop([] { RecordAndClose(FormOptions); });
  ShowOptionsForm();
  EXPECT_EQ(seen.active, FormOptions);
  EXPECT_EQ(seen.main_area.left, 40);
}

TEST_F(FormNavigation, TheEditorFromAnotherFormHidesThatFormAndShowsItAgain) {
  FormList->Show();
  RunInsideModalLoop([] {
    seen.main_visible = FormList->Visible();
    FormAssign->SetModalResult(ui::mrOK);
  });
  EditAssignment(0x241, FormList);
  EXPECT_FALSE(seen.main_visible);
  EXPECT_TRUE(FormList->Visible());
}

}  // namespace
}  // namespace talo

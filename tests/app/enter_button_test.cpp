// Tab round every form with buttons, through the application's own key handling: the one button
// with the thick default frame (what the dialog manager presses on Enter) is the focused push
// button, else the form's default button.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/form_main.h"
#include "app/form_warning.h"
#include "app/globals.h"
#include "forms/form_about.h"
#include "forms/form_assign.h"
#include "forms/form_options.h"
#include "forms/form_rename.h"
#include "forms/form_user.h"
#include "tests/support/program_forms.h"
#include "tests/support/settings_fixture.h"
#include "ui/button.h"

namespace talo {
namespace {

std::vector<ui::TButton*> Framed(const ui::TForm& form) {
  std::vector<ui::TButton*> framed;
  for (ui::TControl* control : form.Controls())
    if (auto* button = dynamic_cast<ui::TButton*>(control))
      if ((GetWindowLongA(button->Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        framed.push_back(button);
  return framed;
}

TEST(EveryForm, TheFrameFollowsTabToTheButtonEnterPresses) {
  test::ProgramForms forms;
  test::ScopedSettings settings;
  // The list has no buttons: Enter there carries out the selected assignment.
  for (ui::TForm* form : std::vector<ui::TForm*>{FormMain, FormAssign, FormOptions, FormUser,
                                                 FormRename, FormAbout, FormWarning}) {
    form->Show();
    form->SelectFirst();
    int on_buttons = 0;
    for (int step = 0; step < 16; ++step) {
      auto* focused = dynamic_cast<ui::TButton*>(ui::TControl::FromHandle(GetFocus()));
      on_buttons += focused != nullptr;
      ui::TButton* expected = focused ? focused : form->DefaultButton();
      EXPECT_EQ(Framed(*form),
                expected ? std::vector<ui::TButton*>{expected} : std::vector<ui::TButton*>{})
          << form->Caption() << ", step " << step;
      PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) ui::Application->ProcessMessage();
    }
    EXPECT_GT(on_buttons, 0) << form->Caption() << ": Tab reached no button";
    form->Hide();
  }
}

}  // namespace
}  // namespace talo

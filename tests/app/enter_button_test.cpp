// Every form of the program walked with Tab through the application's own key handling: the thick
// default frame, which tells the dialog manager what Enter presses, is on the focused push button,
// or on the form's default button while the focus is elsewhere, and on no other button.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
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

std::string Text(HWND window) {
  char text[256] = "";
  if (window) GetWindowTextA(window, text, sizeof text);
  return text;
}

bool IsPushButton(HWND window) {
  char class_name[16] = "";
  GetClassNameA(window, class_name, sizeof class_name);
  const LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
  return lstrcmpiA(class_name, "Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// The texts of the form's buttons that show the frame.
std::vector<std::string> Framed(const ui::TForm& form) {
  std::vector<std::string> framed;
  for (ui::TControl* control : form.Controls())
    if ((GetWindowLongA(control->Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
        IsPushButton(control->Handle()))
      framed.push_back(control->Caption());
  return framed;
}

// The button that Enter must press with the focus where it is now.
std::vector<std::string> ButtonForEnter(const ui::TForm& form) {
  HWND focus = GetFocus();
  if (focus && IsChild(form.Handle(), focus) && IsPushButton(focus)) return {Text(focus)};
  if (const ui::TButton* button = form.DefaultButton()) return {button->Caption()};
  return {};
}

void PressTab() {
  PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
  PostMessageA(GetFocus(), WM_KEYUP, VK_TAB, 0xC0000001);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) ui::Application->ProcessMessage();
}

class EveryForm : public ::testing::Test {
 protected:
  test::ProgramForms forms_;
  test::ScopedSettings settings_;
};

// The list has no buttons: Enter there carries out the selected assignment.
TEST_F(EveryForm, TheFrameFollowsTabRoundEveryFormToTheButtonEnterPresses) {
  for (ui::TForm* form : std::vector<ui::TForm*>{FormMain, FormAssign, FormOptions, FormUser,
                                                 FormRename, FormAbout, FormWarning}) {
    form->Show();
    form->SelectFirst();
    std::vector<std::string> buttons_reached;
    for (int step = 0; step < 16; ++step) {
      EXPECT_EQ(Framed(*form), ButtonForEnter(*form))
          << form->Caption() << ", focus on \"" << Text(GetFocus()) << "\"";
      if (IsPushButton(GetFocus())) buttons_reached.push_back(Text(GetFocus()));
      PressTab();
    }
    EXPECT_FALSE(buttons_reached.empty()) << form->Caption() << ": Tab reached no button";
    form->Hide();
  }
}

}  // namespace
}  // namespace talo

// TButton on a modal form: default and cancel buttons answer Enter and Escape, ModalResult ends
// ShowModal.
#include "ui/button.h"

#include <string>
#include <vector>

#include "tests/ui/ui_fixture.h"
#include "ui/check_box.h"

namespace talo::test {
namespace {

// A warning dialog shaped like the program's: Continue is the default, Cancel the cancel button.
class TFormQuestion : public ui::TForm {
 public:
  TFormQuestion() : TForm(TestDesign("TFormQuestion")) {
    btnContinue.Create(*this, {171, 151, 80, 23}, "&Continue").Default(true).OnClick([this] {
      clicked.push_back("Continue");
      SetModalResult(ui::mrOK);
    });
    btnCancel.Create(*this, {258, 151, 80, 23}, "Cancel")
        .Cancel(true)
        .ModalResult(ui::mrCancel)
        .OnClick([this] { clicked.push_back("Cancel"); });
    chkNoWarnings.Create(*this, {40, 115}, "&Do not show key combination warnings in the future.");
    FinishCreate();
  }
  ui::TButton btnContinue;
  ui::TButton btnCancel;
  ui::TCheckBox chkNoWarnings;
  std::vector<std::string> clicked;
};

// Runs `action` once from a timer while the modal loop of a form is running.
struct DuringModal {
  static std::function<void()>& Action() {
    static std::function<void()> action;
    return action;
  }
  static void CALLBACK Fire(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    Action()();
  }
  explicit DuringModal(std::function<void()> action) {
    Action() = std::move(action);
    SetTimer(nullptr, 0, 10, Fire);
  }
};

void PressKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

using Button = UiTest;

TEST_F(Button, EnterPressesTheDefaultButtonWhereverTheFocusIs) {
  TFormQuestion form;
  DuringModal enter([&] {
    form.chkNoWarnings.SetFocus();
    PressKey(form.chkNoWarnings.Handle(), VK_RETURN);
  });
  EXPECT_EQ(form.ShowModal(), ui::mrOK);
  EXPECT_EQ(form.clicked, (std::vector<std::string>{"Continue"}));
  EXPECT_FALSE(form.Visible());
}

TEST_F(Button, EscapePressesTheCancelButtonAndItsModalResultEndsTheForm) {
  TFormQuestion form;
  DuringModal escape([&] {
    form.btnContinue.SetFocus();
    PressKey(form.btnContinue.Handle(), VK_ESCAPE);
  });
  EXPECT_EQ(form.ShowModal(), ui::mrCancel);
  EXPECT_EQ(form.clicked, (std::vector<std::string>{"Cancel"}));
}

TEST_F(Button, EnterOnAFocusedButtonPressesThatButton) {
  TFormQuestion form;
  DuringModal enter([&] {
    form.btnCancel.SetFocus();
    PressKey(form.btnCancel.Handle(), VK_RETURN);
  });
  EXPECT_EQ(form.ShowModal(), ui::mrCancel);
  EXPECT_EQ(form.clicked, (std::vector<std::string>{"Cancel"}));
}

TEST_F(Button, TheDialogManagersCommandsReachTheDefaultAndCancelButtons) {
  struct Case {
    WPARAM command;
    int result;
    const char* clicked;
  };
  for (Case test : {Case{IDOK, ui::mrOK, "Continue"}, Case{IDCANCEL, ui::mrCancel, "Cancel"}}) {
    TFormQuestion form;
    DuringModal command([&] { SendMessageA(form.Handle(), WM_COMMAND, test.command, 0); });
    EXPECT_EQ(form.ShowModal(), test.result);
    EXPECT_EQ(form.clicked, (std::vector<std::string>{test.clicked}));
  }
}

TEST_F(Button, ADisabledCancelButtonIgnoresEscape) {
  TFormQuestion form;
  form.btnCancel.Enabled(false);
  DuringModal escape([&] {
    SendMessageA(form.Handle(), WM_COMMAND, IDCANCEL, 0);
    form.SetModalResult(ui::mrNo);
  });
  EXPECT_EQ(form.ShowModal(), ui::mrNo);
  EXPECT_TRUE(form.clicked.empty());
}

TEST_F(Button, TheFormKnowsItsDefaultAndCancelButtonsUntilTheyGo) {
  TFormQuestion form;
  EXPECT_EQ(form.DefaultButton(), &form.btnContinue);
  EXPECT_EQ(form.CancelButton(), &form.btnCancel);
  EXPECT_EQ(SendMessageA(form.Handle(), DM_GETDEFID, 0, 0),
            MAKELRESULT(GetDlgCtrlID(form.btnContinue.Handle()), DC_HASDEFID));
  {
    ui::TButton btnOther;
    btnOther.Create(form, {10, 10}, "Other").Default(true);
    EXPECT_FALSE(form.btnContinue.Default());
    EXPECT_EQ(form.DefaultButton(), &btnOther);
  }
  EXPECT_EQ(form.DefaultButton(), nullptr);
  form.btnCancel.Cancel(false);
  EXPECT_EQ(form.CancelButton(), nullptr);
}

TEST_F(Button, AClickOutsideAModalLoopSetsTheFormsModalResult) {
  TFormQuestion form;
  SendMessageA(form.btnCancel.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.ModalResultValue(), ui::mrCancel);
}

}  // namespace
}  // namespace talo::test

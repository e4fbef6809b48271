// TFormList: byte-wise order, the save question's answers, the row menu, the narrowest column and
// the empty list. The end-to-end list test covers the rest with real clicks and keys.
#include "forms/form_list.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/globals.h"
#include "data/title_file.h"
#include "data/user_data.h"
#include "tests/support/form_answerer.h"
#include "tests/support/program_forms.h"
#include "tests/support/settings_fixture.h"
#include "tests/support/system_data_view.h"
#include "tests/support/temp_folder.h"
#include "tests/support/win_driver.h"

namespace talo {
namespace {

// Answers this thread's message boxes in turn, from inside their modal loops.
class BoxAnswers {
 public:
  explicit BoxAnswers(std::vector<int> buttons) : buttons_(std::move(buttons)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 30, Tick);
  }
  ~BoxAnswers() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  std::vector<std::string> captions;  // each box's caption, a blank and its text

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = test::WaitForWindow("#32770", nullptr, 0, GetCurrentProcessId());
    BoxAnswers* self = current_;
    if (!self || !box || !IsWindowVisible(box) || box == self->last_ ||
        self->captions.size() >= self->buttons_.size())
      return;
    self->last_ = box;
    const test::MessageBoxContent content = test::ReadMessageBox(box);
    self->captions.push_back(content.caption + " " + content.text);
    test::PressDialogButton(box, self->buttons_[self->captions.size() - 1]);
  }
  static inline BoxAnswers* current_ = nullptr;
  std::vector<int> buttons_;
  HWND last_ = nullptr;
  UINT_PTR timer_ = 0;
};

class AssignmentList : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(user_.CreateView());
    TaloUserData = &user_;
  }
  void TearDown() override { TaloUserData = nullptr; }

  // Makes `code` available with its key named, and assigns it with `status`, `title` and a text.
  void Assign(int code, unsigned char status, const char* key_name, const char* title = "") {
    system_.SetStatus(code, 0x20);
    system_.SetKeyName(code & 0xFF, key_name);
    user_.SetStatus(status, code);
    WriteTitle(code, title);
    char name[16];
    std::snprintf(name, sizeof name, "%04X.txt", code);
    test::WriteFileBytes(settings_.UserDir() + name, "Hello");
  }
  // The text of sub-item `sub_item` of every row, top to bottom.
  static std::vector<std::string> Column(int sub_item) {
    std::vector<std::string> texts;
    for (int index = 0; index < FormList->lstvMain.Count(); ++index)
      texts.push_back(FormList->lstvMain.SubItem(index, sub_item));
    return texts;
  }
  unsigned char StoredStatus(int code) {
    unsigned char status = 0;
    user_.GetStatus(status, code);
    return status;
  }

  test::ProgramForms forms_;
  test::ScopedSettings settings_;
  test::SystemDataView system_;
  TTaloUserData user_;
};

using Texts = std::vector<std::string>;

TEST_F(AssignmentList, TextsCompareByteByByteAndAnUntitledRowShowsItsName) {
  Assign(0x441, 0x18, "A", "apple");
  Assign(0x141, 0x11, "A", "Banana");
  Assign(0x041, 0x0C, "A");
  Assign(0x042, 0x13, "B", "\311clair");  // a byte above every letter
  FormList->FillList(kSortByCode, true);
  EXPECT_EQ(Column(kCodeText), (Texts{"1089", "321", "65", "66"}));
  EXPECT_EQ(Column(kTitleText), (Texts{"apple", "Banana", "A", "\311clair"}));
  FormList->FillList(kSortByTitle, false);
  EXPECT_EQ(Column(kTitleText), (Texts{"A", "Banana", "apple", "\311clair"}));
}

TEST_F(AssignmentList, NoDropsTheChangedMarksAndCancelKeepsThemAndTheListOpen) {
  Assign(0x674, 0x18, "F5", "Greeting");
  FormList->Show();
  FormList->lstvMain.SetChecked(0, false);
  FormList->lstvMain.SetChecked(0, true);  // back as it was: still a change
  FormList->lstvMain.SetChecked(0, false);
  EXPECT_EQ(FormList->lstvMain.SubItem(0, kStatusText), "8");

  FormList->lstvMain.Select(0);
  BoxAnswers answers({IDOK, IDCANCEL, IDNO});
  FormList->ActOnSelection();  // the unsaved clear mark does not stop it
  EXPECT_EQ(test::ReadClipboardText(), "Hello");
  ui::CloseAction cancelled = ui::CloseAction::Hide, declined = ui::CloseAction::Hide;
  FormList->fmClose(cancelled);
  FormList->fmClose(declined);
  EXPECT_EQ(cancelled, ui::CloseAction::None);
  EXPECT_EQ(declined, ui::CloseAction::Hide);
  ASSERT_EQ(answers.captions.size(), 3u);
  EXPECT_EQ(answers.captions[0].substr(0, 12), "Text copied.");
  EXPECT_EQ(answers.captions[2],
            "Save confirmation. You have made changes to the enabled/disabled states of one or "
            "more key combination assignments.  Do you wish save these new settings?");
  EXPECT_EQ(StoredStatus(0x674), 0x18);
  FormList->Hide();
  FormList->Show();
  EXPECT_TRUE(FormList->lstvMain.Checked(0));
  FormList->Hide();
}

// Another program on the folder saves while the list is shown: the list shows its states and
// keeps the user's unsaved mark, and a save stores only the rows the user changed.
TEST_F(AssignmentList, ASaveKeepsWhatAnotherProgramSavedWhileTheListWasShown) {
  Assign(0x674, 0x18, "F5");
  Assign(0x675, 0x18, "F6");
  Assign(0x676, 0x08, "F7");
  FormList->FillList(kSortByCode, true);
  FormList->Show();
  FormList->lstvMain.SetChecked(2, true);
  user_.SetStatus(0x08, 0x675);  // as the program's look at the folder takes the other's save
  FormList->StoredStatesChanged();
  EXPECT_FALSE(FormList->lstvMain.Checked(1));
  EXPECT_TRUE(FormList->lstvMain.Checked(2)) << "the unsaved mark went";
  user_.SetStatus(0x08, 0x674);  // saved again, before the list looked
  BoxAnswers answers({IDYES});
  EXPECT_TRUE(FormList->ConfirmSaveStates());
  EXPECT_EQ(StoredStatus(0x674), 0x08);
  EXPECT_EQ(StoredStatus(0x675), 0x08);
  EXPECT_EQ(StoredStatus(0x676), 0x18);
  FormList->Hide();
}

TEST_F(AssignmentList, AFailedSaveIsToldAndKeepsTheListOpen) {
  Assign(0x674, 0x18, "F5");
  // A folder where User.dat belongs cannot be written over.
  ASSERT_TRUE(CreateDirectoryA((settings_.UserDir() + "User.dat").c_str(), nullptr));
  FormList->Show();
  FormList->lstvMain.SetChecked(0, false);
  BoxAnswers answers({IDYES, IDOK});
  EXPECT_FALSE(FormList->ConfirmSaveStates());
  ASSERT_EQ(answers.captions.size(), 2u);
  EXPECT_EQ(answers.captions[1],
            "Save settings error. Unable to write Tallowick user data file, 'USER.DAT'.");
  FormList->Hide();
}

TEST_F(AssignmentList, PropertiesAsksFirstCancelOpensNothingAndTheListIsFilledAfterTheEditor) {
  Assign(0x674, 0x18, "F5");
  FormList->Show();
  FormList->lstvMain.SetChecked(0, false);
  FormList->lstvMain.Select(0);
  int editors = 0;
  test::ModalFormAnswerer editor([&](ui::TForm& form) {
    ++editors;
    form.SetModalResult(ui::mrCancel);
  });
  BoxAnswers answers({IDCANCEL, IDNO});
  FormList->EditSelection();
  EXPECT_EQ(editors, 0);
  EXPECT_FALSE(FormList->lstvMain.Checked(0));
  FormList->EditSelection();
  EXPECT_EQ(editors, 1);
  EXPECT_TRUE(FormList->lstvMain.Checked(0));  // the stored state again
  EXPECT_EQ(FormList->lstvMain.Selected(), 0);
  FormList->Hide();
}

TEST_F(AssignmentList, TheRowMenuNamesTheActionByKindAndOffersOnlySortingWithoutARow) {
  const char* const captions[] = {"&Open Shortcut", "&Open Shortcut", "&Open Shortcut",
                                  "&Copy Text", "&Copy Object"};
  const unsigned char statuses[] = {0x11, 0x02, 0x13, 0x08, 0x1C};
  for (int index = 0; index < 5; ++index) Assign(0x71 + index, statuses[index], "F");
  FormList->FillList(kSortByCode, true);
  for (int index = 0; index < 5; ++index) {
    FormList->lstvMain.Select(index);
    FormList->PrepareListMenu();
    EXPECT_EQ(FormList->menLstAct.Caption(), captions[index]) << index;
    EXPECT_TRUE(FormList->menLstProperties.Visible());
  }
  FormList->lstvMain.Select(-1);
  FormList->PrepareListMenu();
  for (ui::TMenuItem* item : {&FormList->menLstAct, &FormList->menLstN1,
                              &FormList->menLstProperties, &FormList->menLstN2})
    EXPECT_FALSE(item->Visible());
  EXPECT_TRUE(FormList->menLstSort.Visible());
}

// What the modal list showed before Escape was pressed in it.
bool label_shown = false, list_shown = true;

TEST_F(AssignmentList, WithoutAssignmentsTheLabelShowsAndEscapeCloses) {
  test::RunInsideModalLoop([] {
    label_shown = IsWindowVisible(FormList->lblMain.Handle());
    list_shown = FormList->lstvMain.Visible();
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  // Should Escape not close the list, this ends the wait.
  test::ModalFormAnswerer fallback([](ui::TForm& form) {
    static const DWORD first = GetTickCount();
    if (GetTickCount() - first > 3000) form.SetModalResult(ui::mrOK);
  });
  EXPECT_EQ(FormList->ShowModal(), ui::mrCancel);
  EXPECT_TRUE(label_shown);
  EXPECT_FALSE(list_shown);
}

}  // namespace
}  // namespace talo

// The program's forms as globals for tests.
#include "tests/support/program_forms.h"

#include "app/form_main.h"
#include "app/form_warning.h"
#include "app/globals.h"
#include "forms/form_about.h"
#include "forms/form_assign.h"
#include "forms/form_list.h"
#include "forms/form_options.h"
#include "forms/form_rename.h"
#include "forms/form_user.h"

namespace talo::test {
namespace {

template <typename T>
void Free(T*& global) {
  delete global;
  global = nullptr;
}

void (*pending_action)() = nullptr;

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (auto action = pending_action) {
    pending_action = nullptr;
    action();
  }
}

}  // namespace

ProgramForms::ProgramForms() : application_(std::make_unique<ui::TApplication>()) {
  application_->Initialize();
  FormMain = new TFormMain();
  application_->SetMainForm(FormMain);
  FormList = new TFormList();
  FormOptions = new TFormOptions();
  FormAssign = new TFormAssign();
  FormAbout = new TFormAbout();
  FormRename = new TFormRename();
  FormUser = new TFormUser();
  FormWarning = new TFormWarning();
}

ProgramForms::~ProgramForms() {
  Free(FormWarning);
  Free(FormUser);
  Free(FormRename);
  Free(FormAbout);
  Free(FormAssign);
  Free(FormOptions);
  Free(FormList);
  application_->SetMainForm(nullptr);
  Free(FormMain);
}

void RunInsideModalLoop(void (*action)()) {
  pending_action = action;
  SetTimer(nullptr, 0, 50, RunPendingAction);
}

}  // namespace talo::test

// The program's forms as globals for tests.
#include "tests/support/program_forms.h"

#include "app/startup.h"

namespace talo::test {
namespace {

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
  CreateForms();
}

ProgramForms::~ProgramForms() { FreeForms(); }

void RunInsideModalLoop(void (*action)()) {
  pending_action = action;
  SetTimer(nullptr, 0, 50, RunPendingAction);
}

}  // namespace talo::test

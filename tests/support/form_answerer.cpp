// The timer that answers modal forms.
#include "tests/support/form_answerer.h"

#include "app/form_navigation.h"

namespace talo::test {
namespace {
ModalFormAnswerer* current = nullptr;
}

ModalFormAnswerer::ModalFormAnswerer(std::function<void(ui::TForm& form)> answer)
    : answer_(std::move(answer)) {
  current = this;
  timer_ = SetTimer(nullptr, 0, 30, Tick);
}

ModalFormAnswerer::~ModalFormAnswerer() {
  KillTimer(nullptr, timer_);
  if (current == this) current = nullptr;
}

void CALLBACK ModalFormAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
  ModalFormAnswerer* self = current;
  // An answer that shows a message box pumps messages, and the timer fires inside it again.
  if (!self || self->answering_) return;
  ui::TForm* form = FindActiveForm();
  if (!form || !form->Modal()) return;
  self->answering_ = true;
  self->answer_(*form);
  self->answering_ = false;
}

}  // namespace talo::test

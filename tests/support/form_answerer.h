// Answers the program's modal forms: a timer that fires inside their modal loops hands the active
// modal form to the test's answer. The answer ends every form it is given, so that a form opening
// unexpectedly fails the test instead of waiting forever.
#pragma once

#include <functional>

#include "ui/form.h"

namespace talo::test {

class ModalFormAnswerer {
 public:
  explicit ModalFormAnswerer(std::function<void(ui::TForm& form)> answer);
  ~ModalFormAnswerer();
  ModalFormAnswerer(const ModalFormAnswerer&) = delete;
  ModalFormAnswerer& operator=(const ModalFormAnswerer&) = delete;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

  std::function<void(ui::TForm&)> answer_;
  UINT_PTR timer_ = 0;
  bool answering_ = false;
};

}  // namespace talo::test

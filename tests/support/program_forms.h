// The application object and the eight forms of the program as globals, for tests of operations
// that move between forms. Freed again, globals nulled, when the test ends.
#pragma once

#include <memory>

#include "ui/application.h"

namespace talo::test {

class ProgramForms {
 public:
  ProgramForms();
  ~ProgramForms();
  ProgramForms(const ProgramForms&) = delete;
  ProgramForms& operator=(const ProgramForms&) = delete;

 private:
  std::unique_ptr<ui::TApplication> application_;
};

// Runs `action` from inside the next modal loop (a timer fires there), then returns.
void RunInsideModalLoop(void (*action)());

}  // namespace talo::test

// HandleGuarded: a window's message handler run so that no exception leaves the window procedure
// (it would unwind through the system's code): it is shown to the user, and the message answers 0.
#pragma once

#include <windows.h>

#include <exception>

#include "ui/application.h"
#include "ui/framework_error.h"

namespace talo::ui {

template <typename Handler>
LRESULT HandleGuarded(Handler handler) {
  try {
    return handler();
  } catch (const std::exception& error) {
    if (Application) Application->ShowException(error);
  } catch (...) {
    if (Application) Application->ShowException(EFrameworkError("Unexpected error"));
  }
  return 0;
}

}  // namespace talo::ui

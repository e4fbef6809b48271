// The one reporting path of user-facing operations: run the steps, show a raised text.
#pragma once

#include <windows.h>

#include <utility>

#include "base/error.h"

namespace talo {

// Shows `text` in a message box with the operation's caption and icon; an empty text shows
// nothing (the failure was reported already).
void ShowErrorText(HWND owner, const std::string& text, const char* caption, UINT icon);

// Runs `steps` in one error scope: true when they ran through; false after a raised text was shown
// with `caption` and `icon`.
template <typename Steps>
bool RunInErrorScope(HWND owner, const char* caption, UINT icon, Steps&& steps) {
  try {
    std::forward<Steps>(steps)();
    return true;
  } catch (const ErrorText& error) {
    ShowErrorText(owner, error.Text(), caption, icon);
    return false;
  }
}

}  // namespace talo

// Message boxes for raised texts.
#include "forms/error_scope.h"

namespace talo {

void ShowErrorText(HWND owner, const std::string& text, const char* caption, UINT icon) {
  if (text.empty()) return;
  MessageBoxA(owner, text.c_str(), caption, MB_OK | icon);
}

}  // namespace talo

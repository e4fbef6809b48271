// TApplication: the hidden owner window, activation tracking and the message loop.
#include "ui/application.h"

#include "ui/form.h"

namespace talo::ui {

TApplication* Application = nullptr;

namespace {
const char kApplicationClass[] = "TApplication";

LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}
}  // namespace

TApplication::TApplication() { Application = this; }

TApplication::~TApplication() {
  if (handle_) DestroyWindow(handle_);
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
  if (handle_) return;
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = ApplicationProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = kApplicationClass;
  RegisterClassA(&window_class);
  handle_ = CreateWindowExA(0, kApplicationClass, title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextA(handle_, title_.c_str());
}

void TApplication::Run() {
  if (main_form_ && show_main_form_) main_form_->Show();
  while (ProcessMessage()) {
  }
}

bool TApplication::ProcessMessage() {
  MSG msg;
  if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
    terminated_ = true;
    return false;
  }
  try {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogMessageA(root, &msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  } catch (const std::exception& error) {
    ShowException(error);
  }
  return true;
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::ShowException(const std::exception& error) const {
  MessageBoxA(handle_, error.what(), title_.c_str(), MB_OK | MB_ICONERROR);
}

void TApplication::ActivateChanged(bool active) {
  if (active == active_) return;
  active_ = active;
  if (active && OnActivate) OnActivate();
  if (!active && OnDeactivate) OnDeactivate();
}

}  // namespace talo::ui

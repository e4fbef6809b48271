// TApplication: the hidden owner window, activation tracking and the message loop.
#include "ui/application.h"

#include "ui/common_controls.h"
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
  if (hint_window_) DestroyWindow(hint_window_);
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

void TApplication::SetShowHint(bool show) {
  show_hint_ = show;
  if (hint_window_) SendMessageA(hint_window_, TTM_ACTIVATE, show ? TRUE : FALSE, 0);
}

bool TApplication::SetHint(HWND control, const std::string& text) {
  if (!control) return false;
  if (!hint_window_) {
    if (text.empty()) return true;
    LoadCommonControls();
    hint_window_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (!hint_window_) return false;
    SendMessageA(hint_window_, TTM_SETMAXTIPWIDTH, 0, 300);  // long hints wrap
    SendMessageA(hint_window_, TTM_ACTIVATE, show_hint_ ? TRUE : FALSE, 0);
  }
  // The tool is the control window itself; the tooltip watches its mouse messages.
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  bool exists = SendMessageA(hint_window_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool));
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text.c_str());
  if (text.empty()) {
    if (exists) SendMessageA(hint_window_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
  }
  if (exists) {
    SendMessageA(hint_window_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
  }
  return SendMessageA(hint_window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

}  // namespace talo::ui

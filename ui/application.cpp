// TApplication: the hidden owner window, activation tracking and the message loop.
#include "ui/application.h"

#include "ui/common_controls.h"
#include "ui/form.h"
#include "ui/guarded_handler.h"
#include "ui/key_event.h"
#include "ui/main_menu.h"
#include "ui/page_control.h"

namespace talo::ui {

TApplication* Application = nullptr;

namespace {
const char kApplicationClass[] = "TApplication";

// Ctrl+Tab turns the page of the form's page control, unless the focused control takes the key
// itself (a memo types a tab with it).
bool TurnsPage(HWND root, MSG& msg) {
  const LRESULT wanted =
      SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (wanted & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS | DLGC_WANTTAB)) return false;
  const TForm* form = TForm::FromHandle(root);
  return form && IsWindowEnabled(root) &&
         TPageControl::TurnPage(*form, (HeldModifiers() & kShift) != 0);
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
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hIcon = LoadIconA(window_class.hInstance, MAKEINTRESOURCEA(1));
  window_class.lpszClassName = kApplicationClass;
  RegisterClassA(&window_class);
  // A window of no size: unowned and visible, it is the task-bar entry, and nothing of it shows.
  handle_ = CreateWindowExA(0, kApplicationClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                            nullptr, nullptr, GetModuleHandleA(nullptr), this);
}

LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* application = reinterpret_cast<TApplication*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!application || application->handle_ != window)
    return DefWindowProcA(window, message, wparam, lparam);
  // The activation handlers are the program's code, which may fail like any form's.
  return HandleGuarded([&] { return application->HandleMessage(message, wparam, lparam); });
}

LRESULT TApplication::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SYSCOMMAND:
      // The task-bar entry minimises and restores the program as a whole.
      if ((wparam & 0xFFF0) == SC_MINIMIZE) {
        Minimize();
        return 0;
      }
      if ((wparam & 0xFFF0) == SC_RESTORE) {
        Restore();
        if (main_form_) main_form_->Show();
        ActivateForms();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // The entry itself is no window to work in: the form the user worked in takes over.
      if (LOWORD(wparam) != WA_INACTIVE && !minimized_) {
        ActivateForms();
        return 0;
      }
      break;
    case WM_ACTIVATEAPP:
      ActivateChanged(wparam != 0);
      break;
  }
  return DefWindowProcA(handle_, message, wparam, lparam);
}

void TApplication::ActivateForms() {
  TForm* target = active_form_;
  if (!target || !target->Visible() || !IsWindowEnabled(target->Handle())) target = main_form_;
  if (!target || !target->Visible()) return;
  // A form disabled behind a modal dialog hands activation on to that dialog.
  HWND window = GetLastActivePopup(target->Handle());
  SetForegroundWindow(window);
  SetActiveWindow(window);
}

void TApplication::Minimize() {
  if (!handle_ || minimized_) return;
  minimized_ = true;
  ShowWindow(handle_, SW_MINIMIZE);
  if (main_form_) main_form_->Hide();
}

void TApplication::Restore() {
  if (!minimized_) return;
  minimized_ = false;
  ShowWindow(handle_, SW_RESTORE);
}

void TApplication::MainFormShown(bool shown) {
  if (!handle_) return;
  if (shown || minimized_) {
    if (!IsWindowVisible(handle_)) ShowWindow(handle_, SW_SHOWNOACTIVATE);
  } else {
    ShowWindow(handle_, SW_HIDE);
  }
}

void TApplication::FormDestroyed(TForm* form) {
  if (active_form_ == form) active_form_ = nullptr;
  if (main_form_ == form) main_form_ = nullptr;
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
  // Wide retrieval: a character typed into a Unicode window (the memo) arrives whole; the system
  // converts it for the code-page windows.
  if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
    terminated_ = true;
    return false;
  }
  try {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    // Short-cut keys of a form's menu bar work wherever the focus is on the form.
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && root) {
      TForm* form = TForm::FromHandle(root);
      if (form && form->MainMenu() && IsWindowEnabled(root) &&
          form->MainMenu()->DispatchShortCut(TKeyEvent::Now(static_cast<WORD>(msg.wParam))))
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && (HeldModifiers() & kCtrl) &&
        TurnsPage(root, msg))
      return true;
    const HWND focus = GetFocus();
    if (root && IsDialogMessageW(root, &msg)) {
      // Tab, the arrows and access keys move the focus; the frame of the button that Enter
      // presses follows it. (Typing, which leaves the focus, costs nothing here.)
      if (GetFocus() != focus)
        if (TForm* form = TForm::FromHandle(root)) form->ShowEnterButton(GetFocus());
      return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
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
  // Over the window the user works in, which the box then blocks.
  HWND active = GetActiveWindow();
  MessageBoxA(active ? active : handle_, error.what(), title_.c_str(), MB_OK | MB_ICONERROR);
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

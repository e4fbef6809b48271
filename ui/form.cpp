// TForm: window class per form class, the shared window procedure, plain and modal showing.
#include "ui/form.h"

#include <exception>
#include <vector>

#include "ui/application.h"
#include "ui/button.h"
#include "ui/control.h"
#include "ui/framework_error.h"
#include "ui/guarded_handler.h"
#include "ui/main_menu.h"

namespace talo::ui {
namespace {

DWORD StyleFor(const FormDesign& design) {
  DWORD style = WS_CLIPCHILDREN;
  switch (design.border) {
    case BorderStyle::Sizeable:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      break;
    case BorderStyle::Single:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
      break;
    case BorderStyle::Dialog:
      style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      break;
    case BorderStyle::None:
      style |= WS_POPUP;
      break;
  }
  if (design.border != BorderStyle::Dialog && design.border != BorderStyle::None) {
    if (design.icons.minimize) style |= WS_MINIMIZEBOX;
    if (design.icons.maximize) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

// "MS Sans Serif" 8 point, the design font of every form: made once and shared, since a font
// costs its creation under every form, and only when a first control needs it (a font's first
// creation is the dearest step of a silent start).
HFONT CreateDesignFont() {
  HDC screen = GetDC(nullptr);
  int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

}  // namespace

void TForm::RegisterClassFor(const FormDesign& design) {
  WNDCLASSA existing;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoA(instance, design.class_name, &existing)) return;
  WNDCLASSA window_class = {};
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  window_class.lpszClassName = design.class_name;
  if (!RegisterClassA(&window_class))
    throw EFrameworkError(std::string("Cannot register window class ") + design.class_name);
}

// The window class and the brush, like the window, are made when the window is first needed.
TForm::TForm(const FormDesign& design) : design_(design), color_(design.color) {}

// The window is made when it is first needed: a form that is never shown (or given a control)
// costs no window at start-up.
HWND TForm::Handle() const {
  if (!handle_) const_cast<TForm*>(this)->CreateHandle();
  return handle_;
}

void TForm::CreateHandle() {
  RegisterClassFor(design_);
  brush_.reset(CreateSolidBrush(color_));
  HWND owner = Application ? Application->Handle() : nullptr;
  DWORD ex_style = design_.border == BorderStyle::Dialog ? WS_EX_DLGMODALFRAME : 0;
  if (!owner) ex_style |= WS_EX_APPWINDOW;
  CreateWindowExA(ex_style | WS_EX_CONTROLPARENT, design_.class_name, design_.caption,
                  StyleFor(design_), CW_USEDEFAULT, CW_USEDEFAULT, design_.width, design_.height,
                  owner, nullptr, GetModuleHandleA(nullptr), this);
  if (!handle_)
    throw EFrameworkError(std::string("Cannot create window of class ") + design_.class_name);
  if (design_.client_size) FitClientArea(design_.width, design_.height);
  if (design_.centred) CentreOnDesktop();
  CreateComponents();
}

void TForm::CentreOnDesktop() {
  RECT work, outer;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return;
  GetWindowRect(handle_, &outer);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  SetWindowPos(handle_, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The frame is measured on the created window and added to the design's client size.
void TForm::FitClientArea(int width, int height) {
  RECT outer, client;
  GetWindowRect(handle_, &outer);
  GetClientRect(handle_, &client);
  const int frame_width = (outer.right - outer.left) - client.right;
  const int frame_height = (outer.bottom - outer.top) - client.bottom;
  SetWindowPos(handle_, nullptr, 0, 0, width + frame_width, height + frame_height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TForm::~TForm() {
  if (Application) Application->FormDestroyed(this);
  if (handle_) {
    if (OnDestroy) OnDestroy();
    HWND window = handle_;
    handle_ = nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
  }
}

void TForm::FinishCreate() {
  if (OnCreate) OnCreate();
}

HFONT TForm::Font() const {
  static const GdiObject design_font(CreateDesignFont());
  return static_cast<HFONT>(design_font.get());
}

std::string TForm::Caption() const {
  char text[1024] = {};
  if (!handle_) return design_.caption;
  GetWindowTextA(handle_, text, sizeof text);
  return text;
}

void TForm::SetCaption(const std::string& caption) { SetWindowTextA(Handle(), caption.c_str()); }

void TForm::Show() {
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(handle_);
}

void TForm::Hide() {
  if (handle_) ShowWindow(handle_, SW_HIDE);
}

void TForm::Close() {
  if (handle_) SendMessageA(handle_, WM_CLOSE, 0, 0);
}

namespace {
struct DisabledWindows {
  HWND keep;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableOther(HWND window, LPARAM param) {
  auto* disabled = reinterpret_cast<DisabledWindows*>(param);
  // The task-bar entry stays usable: clicking it brings the dialog forward.
  if (Application && window == Application->Handle()) return TRUE;
  if (window != disabled->keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    disabled->windows.push_back(window);
  }
  return TRUE;
}
}  // namespace

int TForm::ShowModal() {
  if (modal_ || !Handle()) return mrNone;
  HWND previous_active = GetActiveWindow();
  DisabledWindows disabled{handle_, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&disabled));
  modal_ = true;
  modal_result_ = mrNone;
  Show();
  while (modal_result_ == mrNone && IsWindowVisible(handle_)) {
    if (!Application || !Application->ProcessMessage()) {
      PostQuitMessage(0);  // the outer loop must end too
      break;
    }
  }
  // The others are enabled before the dialog hides, so that the window it came from becomes
  // active again.
  for (HWND window : disabled.windows) EnableWindow(window, TRUE);
  modal_ = false;
  Hide();
  if (previous_active && IsWindowVisible(previous_active)) SetActiveWindow(previous_active);
  int result = modal_result_ == mrNone ? mrCancel : modal_result_;
  modal_result_ = mrNone;
  return result;
}

namespace {
BOOL CALLBACK CollectControl(HWND window, LPARAM param) {
  if (TControl* control = TControl::FromHandle(window))
    reinterpret_cast<std::vector<TControl*>*>(param)->push_back(control);
  return TRUE;
}
}  // namespace

std::vector<TControl*> TForm::Controls() const {
  std::vector<TControl*> controls;
  if (handle_) EnumChildWindows(handle_, CollectControl, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

void TForm::SelectFirst() {
  if (!handle_) return;
  if (HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE)) SetFocus(first);
}

void TForm::ShowEnterButton(HWND focus) {
  auto* focused = dynamic_cast<TButton*>(TControl::FromHandle(focus));
  TButton* enter = focused && focused->Form() == this ? focused : default_button_;
  for (TControl* control : Controls())
    if (auto* button = dynamic_cast<TButton*>(control)) button->ShowAsDefault(button == enter);
}

bool TForm::PressButton(TButton* button) {
  if (!button || !button->Handle() || !IsWindowVisible(button->Handle()) ||
      !IsWindowEnabled(button->Handle()))
    return false;
  button->Click();
  return true;
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT routed = 0;
  const auto background = [this](HDC dc) {
    SetBkColor(dc, color_);
    return static_cast<HBRUSH>(brush_.get());
  };
  if (TControl::RouteChildMessage(message, wparam, lparam, background, routed)) return routed;
  switch (message) {
    case WM_COMMAND:
      if (!lparam && HIWORD(wparam) == 0 && main_menu_ &&
          main_menu_->DispatchCommand(LOWORD(wparam)))
        return 0;
      // Enter and Escape arrive from IsDialogMessage as IDOK and IDCANCEL when no child window
      // of the form carries those identifiers.
      if (LOWORD(wparam) == IDOK && PressButton(default_button_)) return 0;
      if (LOWORD(wparam) == IDCANCEL && PressButton(cancel_button_)) return 0;
      break;
    case DM_GETDEFID:
      if (default_button_ && default_button_->Handle())
        return MAKELRESULT(GetDlgCtrlID(default_button_->Handle()), DC_HASDEFID);
      return 0;
    case WM_SIZE:
      TControl::AlignChildren(handle_);
      break;
    case WM_SHOWWINDOW:
      if (Application && Application->MainForm() == this) Application->MainFormShown(wparam != 0);
      if (wparam && OnShow) OnShow();
      if (!wparam && OnHide) OnHide();
      break;
    case WM_SYSCOMMAND:
      // The main form's minimise box minimises the application (its task-bar entry).
      if ((wparam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
        Application->Minimize();
        return 0;
      }
      break;
    case WM_CLOSE: {
      CloseAction action = CloseAction::Hide;
      if (OnClose) OnClose(action);
      if (action == CloseAction::None) return 0;
      if (modal_) {
        // ShowModal hides the form once the others are enabled again.
        if (modal_result_ == mrNone) modal_result_ = mrCancel;
        return 0;
      }
      Hide();
      return 0;
    }
    case WM_ACTIVATEAPP:
      if (Application) Application->ActivateChanged(wparam != 0);
      break;
    case WM_ACTIVATE:
      // The focused control is kept while another window is active and gets the focus back, as
      // a dialog's does.
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(handle_, focus)) last_focus_ = focus;
        return 0;
      }
      if (Application) Application->FormActivated(this);
      if (last_focus_ && IsChild(handle_, last_focus_) && IsWindowVisible(last_focus_) &&
          IsWindowEnabled(last_focus_)) {
        SetFocus(last_focus_);
        return 0;
      }
      break;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(handle_, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, reinterpret_cast<HBRUSH>(brush_.get()));
      return 1;
    }
  }
  return DefWindowProcA(handle_, message, wparam, lparam);
}

TForm* TForm::FromHandle(HWND window) {
  // Only the forms' own windows carry a form in their user data.
  if (!window || GetClassLongPtrA(window, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(WindowProc))
    return nullptr;
  return reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK TForm::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    auto* form = static_cast<TForm*>(create->lpCreateParams);
    form->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!form) return DefWindowProcA(window, message, wparam, lparam);
  return HandleGuarded([&] { return form->HandleMessage(message, wparam, lparam); });
}

}  // namespace talo::ui

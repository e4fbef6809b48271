// TFormMain: the main window.
#include "app/form_main.h"

#include "app/globals.h"
#include "res/resource_ids.h"
#include "ui/application.h"

namespace talo {
namespace {
ui::FormDesign MainDesign() {
  ui::FormDesign design;
  design.class_name = kMainWindowClass;
  design.caption = kMainWindowCaption;
  design.width = 797;
  design.height = 346;
  design.border = ui::BorderStyle::Single;
  design.icons.minimize = true;
  design.icons.maximize = false;
  return design;
}

HICON LoadSmallIcon(int id) {
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
}
}  // namespace

TFormMain::TFormMain()
    : TForm(MainDesign()),
      icon_enabled_(LoadSmallIcon(IDI_TRAY_ENABLED)),
      icon_disabled_(LoadSmallIcon(IDI_TRAY_DISABLED)) {
  OnClose = [this](ui::CloseAction& action) { fmClose(action); };
  FinishCreate();
}

void TFormMain::fmClose(ui::CloseAction& action) {
  // Closing never ends the program: the window only hides.
  Hide();
  action = ui::CloseAction::None;
}

void TFormMain::ShowMainWindowRequest() {
  HWND active_popup = GetLastActivePopup(Handle());
  if (!IsWindowEnabled(Handle()) ||
      (active_popup && active_popup != Handle() && IsWindowVisible(active_popup)))
    return;
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  Show();
}

namespace {
void MoveWindowTo(HWND window, int left, int width) {
  RECT area;
  GetWindowRect(window, &area);
  SetWindowPos(window, nullptr, left, area.top, width, area.bottom - area.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

void TFormMain::Park() {
  RECT area;
  GetWindowRect(Handle(), &area);
  parked_ = true;
  visible_before_park_ = Visible();
  left_before_park_ = area.left;
  width_before_park_ = area.right - area.left;
  MoveWindowTo(Handle(), area.left, 128);
  MoveWindowTo(Handle(), -256, 128);
  if (!visible_before_park_) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void TFormMain::Unpark() {
  if (!parked_) return;
  if (!visible_before_park_) Hide();
  RECT area;
  GetWindowRect(Handle(), &area);
  MoveWindowTo(Handle(), left_before_park_, area.right - area.left);
  MoveWindowTo(Handle(), left_before_park_, width_before_park_);
  parked_ = false;
}

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SHOWMAINWINDOW) {
    ShowMainWindowRequest();
    return 0;
  }
  return TForm::HandleMessage(message, wparam, lparam);
}

}  // namespace talo

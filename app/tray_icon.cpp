// The notification-area icon.
#include "app/tray_icon.h"

#include <shellapi.h>

#include "app/form_main.h"
#include "app/globals.h"
#include "base/text.h"

namespace talo {

TSysTrayIcon::~TSysTrayIcon() { Remove(); }

bool TSysTrayIcon::Prepare(HWND owner, UINT id, UINT callback_message, HICON icon,
                           const char* tip) {
  Remove();
  if (!owner || !icon) {
    Remove();
    return false;
  }
  record_.size = sizeof record_;
  record_.window = owner;
  record_.id = id;
  record_.flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_.callback_message = callback_message;
  record_.icon = icon;
  CopyText(record_.tip, sizeof record_.tip, tip);
  state_ = kPrepared;
  return true;
}

bool TSysTrayIcon::Show() {
  if (state_ == kShown) return true;
  if (state_ != kPrepared) return false;
  if (!Shell_NotifyIconA(NIM_ADD, reinterpret_cast<NOTIFYICONDATAA*>(&record_))) return false;
  state_ = kShown;
  return true;
}

void TSysTrayIcon::Remove() {
  if (state_ == kShown) Shell_NotifyIconA(NIM_DELETE, reinterpret_cast<NOTIFYICONDATAA*>(&record_));
  state_ = kEmpty;
  record_ = {};
}

bool TSysTrayIcon::ShowAgain() {
  if (state_ == kEmpty) return false;
  Shell_NotifyIconA(NIM_DELETE, reinterpret_cast<NOTIFYICONDATAA*>(&record_));
  state_ = kPrepared;
  return Show();
}

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

bool UpdateTrayIconWhenShellIsReady(bool enabled, DWORD limit_ms) {
  const DWORD start = GetTickCount();
  while (!UpdateTrayIcon(enabled)) {
    const DWORD waited = GetTickCount() - start;
    if (waited >= limit_ms) return false;
    const DWORD pause = limit_ms - waited < 500 ? limit_ms - waited : 500;
    const DWORD pause_start = GetTickCount();
    while (GetTickCount() - pause_start < pause) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, pause - (GetTickCount() - pause_start),
                                QS_SENDMESSAGE);
      MSG msg;
      PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
  }
  return true;
}

bool UpdateTrayIcon(bool enabled) {
  if (!FormMain || !TaloTrayIcon) return false;
  if (!TaloTrayIcon->Prepare(FormMain->Handle(), kTrayIconId, WM_TRAYNOTIFY,
                             FormMain->TrayIconPicture(enabled), kTrayTip))
    return false;
  return TaloTrayIcon->Show();
}

}  // namespace talo

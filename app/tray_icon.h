// TSysTrayIcon: the program's one icon in the notification area, and UpdateTrayIcon.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace talo {

// The first layout of NOTIFYICONDATAA (88 bytes in a 32-bit program), which every shell accepts.
struct NotifyIconRecord {
  DWORD size;
  HWND window;
  UINT id;
  UINT flags;
  UINT callback_message;
  HICON icon;
  char tip[64];
};
static_assert(sizeof(NotifyIconRecord) == NOTIFYICONDATAA_V1_SIZE, "the first NOTIFYICONDATAA layout");

class TSysTrayIcon {
 public:
  enum State { kEmpty = 0, kPrepared = 1, kShown = 2 };

  TSysTrayIcon() = default;
  virtual ~TSysTrayIcon();
  TSysTrayIcon(const TSysTrayIcon&) = delete;
  TSysTrayIcon& operator=(const TSysTrayIcon&) = delete;

  bool Prepare(HWND owner, UINT id, UINT callback_message, HICON icon, const char* tip);
  bool Show();
  void Remove();
  // The shell made the notification area anew (Explorer restarted): the icon that was shown, or
  // prepared and refused, is added to it; whatever is left of it in the shell is deleted first.
  bool ShowAgain();

  int StateValue() const { return state_; }
  const NotifyIconRecord& Record() const { return record_; }

 private:
  int state_ = kEmpty;
  NotifyIconRecord record_ = {};
};

inline constexpr UINT kTrayIconId = 1024;
inline constexpr char kTrayTip[] = "Tallowick";

// Replaces the notification icon with the enabled or disabled picture (delete, then add).
bool UpdateTrayIcon(bool enabled);

// The message that Explorer broadcasts when it has made the notification area (after a restart):
// every program adds its icons again. 0 when it cannot be registered.
UINT TaskbarCreatedMessage();

// At logon the program may start before Explorer has made the notification area: UpdateTrayIcon
// is tried again every half second until `limit_ms` have passed. Meanwhile the messages sent to
// this thread are served (a broadcast waits for them); posted ones wait for the message loop.
bool UpdateTrayIconWhenShellIsReady(bool enabled, DWORD limit_ms);
inline constexpr DWORD kTrayWaitLimitMs = 120000;

}  // namespace talo

// The process-wide objects of Talowick.exe. Each is created by StartApplication and freed by
// StopApplication, which sets it back to null; every user must tolerate null.
#pragma once

#include <windows.h>

#include "data/settings.h"

namespace talo {

class TFormMain;
class TFormList;
class TFormOptions;
class TFormAssign;
class TFormAbout;
class TFormRename;
class TFormUser;
class TFormWarning;
class TTaloServer;
class TSysTrayIcon;

extern TFormMain* FormMain;
extern TFormList* FormList;
extern TFormOptions* FormOptions;
extern TFormAssign* FormAssign;
extern TFormAbout* FormAbout;
extern TFormRename* FormRename;
extern TFormUser* FormUser;
extern TFormWarning* FormWarning;

// The data objects TaloSettings, TaloGraphData, TaloSysData and TaloUserData are declared with
// their classes in data/.
extern TTaloServer* TaloServer;
extern TSysTrayIcon* TaloTrayIcon;

// The thread-local keyboard hook of the GUI thread.
extern HHOOK LocalHook;

// Private window messages of the main window.
inline constexpr UINT WM_SHOWMAINWINDOW = 0x2400;
inline constexpr UINT WM_TRAYNOTIFY = 0x2410;
// Posted by the main window to itself: apply the system-wide hook rule once an event is over.
inline constexpr UINT WM_APPLYHOOKRULE = WM_APP + 1;
// Posted by the local keyboard hook: select the combination in wParam once its key is gone.
inline constexpr UINT WM_SELECTCOMBINATION = WM_APP + 2;
// Posted by the user folder's watch: a file in the folder changed.
inline constexpr UINT WM_USERFOLDERCHANGED = WM_APP + 3;

inline constexpr char kMainWindowClass[] = "TFormMain";
inline constexpr char kMainWindowCaption[] = "Quintavel Tallowick";
inline constexpr char kApplicationTitle[] = "Tallowick";

}  // namespace talo

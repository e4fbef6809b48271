// Start-up in its fixed order, the single-instance rule, and shutdown in reverse.
#include "app/startup.h"

#include <cstring>
#include <exception>
#include <memory>

#include "app/form_main.h"
#include "app/form_warning.h"
#include "app/enabled_state.h"
#include "app/form_navigation.h"
#include "app/globals.h"
#include "app/help.h"
#include "app/local_capture.h"
#include "app/tray_icon.h"
#include "app/user_data_ops.h"
#include "app/user_folder_change.h"
#include "base/unique.h"
#include "data/combination_files.h"
#include "data/graph_data.h"
#include "data/sys_data.h"
#include "data/user_data.h"
#include "forms/error_scope.h"
#include "forms/form_about.h"
#include "forms/form_assign.h"
#include "forms/form_list.h"
#include "forms/form_options.h"
#include "forms/form_services.h"
#include "forms/form_rename.h"
#include "forms/form_user.h"
#include "forms/messages.h"
#include "hook/server/talo_server.h"
#include "ui/application.h"

namespace talo {

TFormMain* FormMain = nullptr;
TFormList* FormList = nullptr;
TFormOptions* FormOptions = nullptr;
TFormAssign* FormAssign = nullptr;
TFormAbout* FormAbout = nullptr;
TFormRename* FormRename = nullptr;
TFormUser* FormUser = nullptr;
TFormWarning* FormWarning = nullptr;
TTaloServer* TaloServer = nullptr;
TSysTrayIcon* TaloTrayIcon = nullptr;
HHOOK LocalHook = nullptr;

namespace {

std::unique_ptr<ui::TApplication> TheApplication;

bool IsArgumentEnd(unsigned char c) { return c < 32 || c == 127; }

template <typename T>
void FreeGlobal(T*& global) {
  delete global;
  global = nullptr;
}

}  // namespace

int GetCommandArguments(char* buffer, const char* command_line) {
  if (!buffer) return 0;
  buffer[0] = '\0';
  if (!command_line) command_line = GetCommandLineA();
  if (!command_line) return 0;
  auto p = reinterpret_cast<const unsigned char*>(command_line);

  // The program path, normally in double quotes as the autostart entry writes it. An unquoted
  // path ends at the first blank instead, and the scan never steps past the terminator.
  bool quoted = false;
  while (*p && (*p < 32 || *p == '"')) quoted |= *p++ == '"';
  while (*p && *p >= 32 && *p != '"' && (quoted || *p != ' ')) ++p;
  if (*p) ++p;
  if (*p == ' ') ++p;

  int length = 0;
  while (length < kArgumentBufferSize - 1 && !IsArgumentEnd(p[length])) {
    buffer[length] = char(p[length]);
    ++length;
  }
  buffer[length] = '\0';
  return length;
}

Switches ParseSwitches(const char* arguments) {
  Switches switches;
  if (!arguments) return switches;
  switches.silent = std::strstr(arguments, "/s") || std::strstr(arguments, "/S");
  switches.terminate =
      !switches.silent && (std::strstr(arguments, "/t") || std::strstr(arguments, "/T"));
  return switches;
}

HWND FindPreviousInstance(const char* class_name, const char* caption) {
  if (!class_name || !caption || !*class_name) return nullptr;
  return FindWindowA(class_name, caption);
}

bool CloseInstance(HWND window) {
  if (!window) return false;
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (!PostMessageA(window, WM_QUIT, 0, 0)) return false;
  if (process_id == 0) return false;
  const DWORD start = GetTickCount();
  for (;;) {
    // A process that has ended but whose handle someone still holds can still be opened: its
    // signalled state says it is gone.
    Handle process(OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, process_id));
    if (!process || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) return true;
    process.reset();
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return false;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      Sleep(10);  // nothing to pump: do not spin a core while the other process ends
    }
    if (GetTickCount() - start > 10000) return false;
  }
}

namespace {

// What the forms ask of the program: the operations of app/ that they must not call themselves.
void ConnectFormServices() {
  FormServices.show_help = ShowHelp;
  FormServices.show_about = ShowAboutForm;
  FormServices.edit_assignment = EditAssignment;
  FormServices.rename_shortcut = [](int kind) {
    return FormRename ? FormRename->EditName(kind) : 0;
  };
  FormServices.select_user_folder = [] {
    if (FormUser) FormUser->ShowModal();
  };
  FormServices.commit_user_data = CommitUserData;
  FormServices.set_enabled_state = SetEnabledState;
  FormServices.change_use_default_user = ChangeUseDefaultUser;
  FormServices.change_user_base_dir = ChangeUserBaseDir;
}

}  // namespace

void CreateForms() {
  ConnectFormServices();
  FormMain = new TFormMain();
  if (ui::Application) ui::Application->SetMainForm(FormMain);
  FormList = new TFormList();
  FormOptions = new TFormOptions();
  FormAssign = new TFormAssign();
  FormAbout = new TFormAbout();
  FormRename = new TFormRename();
  FormUser = new TFormUser();
  FormWarning = new TFormWarning();
}

void FreeForms() {
  FreeGlobal(FormWarning);
  FreeGlobal(FormUser);
  FreeGlobal(FormRename);
  FreeGlobal(FormAbout);
  FreeGlobal(FormAssign);
  FreeGlobal(FormOptions);
  FreeGlobal(FormList);
  if (ui::Application) ui::Application->SetMainForm(nullptr);
  FreeGlobal(FormMain);
}

namespace {

// Steps 5 on; raises the message text of a failing step.
void CreateEverything(bool silent) {
  TheApplication = std::make_unique<ui::TApplication>();
  TheApplication->SetTitle(kApplicationTitle);
  TheApplication->Initialize();
  TheApplication->SetShowMainForm(!silent);

  CreateForms();

  TaloGraphData = new TTaloGraphData();
  TaloSysData = new TTaloSysData();
  TaloUserData = new TTaloUserData();
  TaloSettings = new TTaloRegistry();
  TaloServer = new TTaloServer();
  TaloTrayIcon = new TSysTrayIcon();

  Check(TaloGraphData->CreateView(), msg::kGraphicsMemory);
  Check(TaloGraphData->LoadFile(TaloSettings->InstallDir()), msg::kReadGraphicsFile);
  Check(TaloSysData->CreateView(), msg::kSystemMemory);
  Check(TaloSysData->LoadFile(TaloSettings->InstallDir()), msg::kReadSystemFile);
  Check(TaloUserData->CreateView(), msg::kUserMemory);
}

// Steps 13 on, once the views exist. False for a quiet end (the failure was shown already).
bool StartServices(bool silent) {
  if (!OpenUserData(true)) return false;
  Check(TaloServer->Start(TaloSettings->InstallDir(), TaloSettings->UserDir()), msg::kServer);
  LocalHook = SetWindowsHookExA(WH_KEYBOARD, LocalKeyboardProc, nullptr, GetCurrentThreadId());
  Check(LocalHook != nullptr, msg::kLocalHook);
  if (silent) Check(TaloServer->EnableHook(TaloSettings->Enabled()), msg::kUniversalHook);
  Check(UpdateTrayIconWhenShellIsReady(TaloSettings->Enabled(), kTrayWaitLimitMs),
        msg::kTrayIcon);
  return true;
}

}  // namespace

bool StartApplication() {
  char arguments[kArgumentBufferSize];
  GetCommandArguments(arguments);
  const Switches switches = ParseSwitches(arguments);

  HWND previous = FindPreviousInstance(kMainWindowClass, kMainWindowCaption);
  if (switches.terminate) {
    CloseInstance(previous);
    return false;
  }
  if (previous) {
    if (!switches.silent) {
      // Windows lets the first instance bring its window to the front only when this one, which
      // the user just started and which may take the front, hands that right over first.
      DWORD first_process = 0;
      GetWindowThreadProcessId(previous, &first_process);
      if (first_process) AllowSetForegroundWindow(first_process);
      PostMessageA(previous, WM_SHOWMAINWINDOW, 0, 0);
    }
    return false;
  }

  try {
    CreateEverything(switches.silent);
    return StartServices(switches.silent);
  } catch (const ErrorText& error) {
    const char* text = error.Text().empty() ? msg::kUnrecognized : error.Text().c_str();
    MessageBoxA(TheApplication ? TheApplication->Handle() : nullptr, text, msg::kFatalCaption,
                MB_OK | MB_ICONERROR);
  } catch (const std::exception& error) {
    // The framework's own errors, and anything else a step could not survive (out of memory).
    if (TheApplication)
      TheApplication->ShowException(error);
    else
      MessageBoxA(nullptr, error.what(), msg::kFatalCaption, MB_OK | MB_ICONERROR);
  }
  return false;
}

void StopApplication() {
  if (LocalHook) {
    UnhookWindowsHookEx(LocalHook);
    LocalHook = nullptr;
  }
  FreeForms();
  DeleteWorkingFiles();
  FreeGlobal(TaloTrayIcon);
  // Closes the block, then removes the system-wide hook and unloads the library.
  FreeGlobal(TaloServer);
  FreeGlobal(TaloSettings);
  FreeGlobal(TaloUserData);
  FreeGlobal(TaloSysData);
  FreeGlobal(TaloGraphData);
  TheApplication.reset();
}

void ExitApplication() {
  if (ui::Application) ui::Application->Terminate();
}

void RunApplication() {
  try {
    if (ui::Application) ui::Application->Run();
  } catch (const std::exception& error) {
    ui::Application->ShowException(error);
  }
}

}  // namespace talo

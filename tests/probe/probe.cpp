// probe.exe: lets shell-level tests look at the running program from inside the Wine session.
//
//   probe window CLASS CAPTION [TIMEOUT_MS]   prints "found visible|hidden", and " disabled"
//                                             when it is; exit 1 when absent
//   probe msgbox CAPTION [TIMEOUT_MS]         prints the box's text; exit 1 when absent
//   probe press CAPTION BUTTON_ID             presses the button of the dialog with that caption
//                                             that has one with this ID
//   probe mapping NAME SIZE                   prints the block's bytes as hex; exit 1 when absent
//   probe clipboard [TEXT]                    prints the clipboard's text, or puts TEXT there
//   probe clipboard-utf8 FILE                 puts the UTF-8 file's text there as CF_UNICODETEXT
//   probe clipboard-bitmap WIDTH HEIGHT       puts a dark grey picture (CF_DIB) there
//   probe clipboard-files PATH...             puts a file list (CF_HDROP) there
//   probe clipboard-formats                   prints the clipboard's format numbers
//   probe rect CLASS CAPTION                  prints "left top right bottom client_left client_top"
//   probe focus CLASS CAPTION                 prints what WM_GETTEXT answers for the control that
//                                             has the focus (an edit's text), in UTF-8
//   probe default CLASS CAPTION               prints the texts of the buttons drawn with the
//                                             thick default frame (the one Enter presses)
//   probe foreground                          prints the class of the foreground window
//   probe close CLASS CAPTION                 asks the window to close (WM_CLOSE)
//   probe chars CLASS CAPTION FILE            posts the UTF-8 file's text as wide WM_CHAR
//                                             messages to the control that has the focus, as
//                                             typing does
//   probe texts CLASS CAPTION                 prints the texts of the children of every such
//                                             window
//   probe version FILE                        prints the file's product version
//   probe userdir                             prints the user data folder that the settings name
//   probe userdata FOLDER CODE:STATUS...      writes FOLDER's User.dat with those status bytes
//                                             (numbers in C notation); the program must not run
//   probe save-loop FOLDER                    saves FOLDER's User.dat as the program does, every
//                                             status byte 0x11, then every one 0x12, and again,
//                                             until killed
//   probe save-each FOLDER FIRST COUNT STATUS saves FOLDER's User.dat COUNT times, each time
//                                             with one more code from FIRST on set to STATUS
//                                             (hexadecimal numbers)
//   probe user-state FOLDER                   opens FOLDER's User.dat as a start does; prints
//                                             "loaded|restored|missing|held|damaged" and
//                                             "uniform 0xNN" or "mixed"
//   probe listview CLASS CAPTION              prints the window's list view: "column I L T R B"
//                                             per header, "row I CHECKED L T R B TEXT|TEXT|..."
//                                             per row, rectangles on the screen
//   probe child CLASS CAPTION TEXT            prints "L T R B checked|unchecked enabled|disabled
//                                             CONTENT" of the child whose text, or else class,
//                                             is TEXT; CONTENT is what WM_GETTEXT answers (an
//                                             edit's text, which the window text is not)
//   probe pif FILE TITLE PROGRAM              writes a genuine program information file
//   probe hold FILE [LOCKED]                  stays in the desktop (a hidden window) until FILE
//                                             exists, so that the desktop outlives the gaps
//                                             between the programs a test starts there; holds
//                                             LOCKED open without sharing meanwhile
//   probe process CLASS CAPTION               prints "PID PARENT_PID PARENT" of the window's
//                                             process; PARENT is the starting program's file
//                                             name, "-" when it has ended
//   probe notification-area LOG READY CLICK DONE
//                                             a notification area in place of Explorer's (see
//                                             notification_area.h)
//   probe resources CLASS CAPTION             prints "handles=N private_kib=N windows=N gdi=N
//                                             user=N" of the window's process; gdi and user are
//                                             GetGuiResources', "-" where it answers 0 (Wine)
// A "-" for CLASS or CAPTION matches any.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/unique.h"
#include "base/wide_text.h"
#include "data/file_version.h"
#include "data/settings.h"
#include "data/user_data.h"
#include "tests/probe/notification_area.h"
#include "tests/support/object_records.h"
#include "tests/support/process_resources.h"
#include "tests/support/program_information.h"
#include "tests/support/remote_list_view.h"
#include "tests/support/temp_folder.h"
#include "tests/support/win_driver.h"

using namespace talo::test;

namespace {

const char* Any(const char* arg) { return std::string(arg) == "-" ? nullptr : arg; }
DWORD Timeout(int argc, char** argv, int index) {
  return index < argc ? DWORD(std::strtoul(argv[index], nullptr, 10)) : 0;
}

BOOL CALLBACK PrintText(HWND child, LPARAM) {
  char text[512] = "";
  GetWindowTextA(child, text, sizeof text);
  std::printf("%s\n", text);
  return TRUE;
}

// The push buttons drawn with the thick default frame: the one Enter would press.
BOOL CALLBACK PrintDefaultButton(HWND child, LPARAM) {
  char class_name[16] = "";
  GetClassNameA(child, class_name, sizeof class_name);
  if (lstrcmpiA(class_name, "Button") == 0 && IsWindowVisible(child) &&
      (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
    PrintText(child, 0);
  return TRUE;
}

int WriteUserData(int argc, char** argv) {
  talo::TTaloUserData user_data;
  if (!user_data.CreateView()) return 1;
  for (int i = 3; i < argc; ++i) {
    char* rest = nullptr;
    const long code = std::strtol(argv[i], &rest, 0);
    if (*rest != ':') return 2;
    const long status = std::strtol(rest + 1, nullptr, 0);
    if (!user_data.SetStatus(static_cast<unsigned char>(status), static_cast<int>(code))) return 1;
  }
  return user_data.SaveFile(argv[2]) ? 0 : 1;
}

// Every save changes every status byte: a save cut anywhere would leave a mixture.
// The view of a program that was just killed lives on until Wine's server has ended that
// process: the next one waits for the name to be free.
bool CreateFreedView(talo::TTaloUserData& user_data) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (user_data.CreateView()) return true;
    Sleep(50);
  }
  std::printf("the user data view stays taken\n");
  return false;
}

int SaveLoop(const char* folder) {
  talo::TTaloUserData user_data;
  if (!CreateFreedView(user_data)) return 1;
  user_data.OpenFile(folder);
  for (unsigned char status = 0x11;; status ^= 0x03) {
    for (int code = 0; code < 2048; ++code) user_data.SetStatus(status, code);
    if (!user_data.SaveFile(folder)) {
      std::printf("save failed: error %lu\n", GetLastError());
      return 1;
    }
  }
}

int SaveEach(const char* folder, int first, int count, unsigned char status) {
  talo::TTaloUserData user_data;
  if (!user_data.CreateView()) return 1;
  user_data.OpenFile(folder);
  for (int code = first; code < first + count; ++code) {
    if (!user_data.SetStatus(status, code) || !user_data.SaveFile(folder)) {
      std::printf("save of 0x%X failed: error %lu\n", code, GetLastError());
      return 1;
    }
  }
  return 0;
}

int PrintUserState(const char* folder) {
  talo::TTaloUserData user_data;
  if (!CreateFreedView(user_data)) return 1;
  static const char* const kNames[] = {"loaded", "restored", "missing", "held", "damaged"};
  std::printf("%s ", kNames[int(user_data.OpenFile(folder))]);
  unsigned char first = 0, status = 0;
  user_data.GetStatus(first, 0);
  for (int code = 1; code < 2048; ++code) {
    user_data.GetStatus(status, code);
    if (status != first) return std::printf("mixed\n"), 0;
  }
  std::printf("uniform 0x%02X\n", first);
  return 0;
}

int PrintListView(HWND window) {
  HWND list = window ? FindWindowExA(window, nullptr, "SysListView32", nullptr) : nullptr;
  ListViewContent content;
  if (!ReadRemoteListView(list, content)) return 1;
  for (size_t i = 0; i < content.headers.size(); ++i) {
    const RECT& area = content.headers[i];
    std::printf("column %u %ld %ld %ld %ld\n", unsigned(i), area.left, area.top, area.right,
                area.bottom);
  }
  for (size_t i = 0; i < content.rows.size(); ++i) {
    const ListViewRow& row = content.rows[i];
    std::printf("row %u %d %ld %ld %ld %ld ", unsigned(i), row.checked ? 1 : 0, row.bounds.left,
                row.bounds.top, row.bounds.right, row.bounds.bottom);
    for (size_t column = 0; column < row.texts.size(); ++column)
      std::printf("%s%s", column ? "|" : "", row.texts[column].c_str());
    std::printf("\n");
  }
  return 0;
}

struct ChildQuery {
  const char* text;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM param) {
  auto* query = reinterpret_cast<ChildQuery*>(param);
  char text[512] = "";
  GetWindowTextA(child, text, sizeof text);
  char class_name[64] = "";
  GetClassNameA(child, class_name, sizeof class_name);
  if (std::string(text) == query->text) {
    query->found = child;
    return FALSE;
  }
  if (!query->found && std::string(class_name) == query->text) query->found = child;
  return TRUE;
}

HWND FindChild(HWND window, const char* text) {
  ChildQuery query{text, nullptr};
  if (window) EnumChildWindows(window, MatchChild, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

int PrintChild(HWND window, const char* text) {
  ChildQuery query{text, FindChild(window, text)};
  if (!query.found) return 1;
  RECT area;
  GetWindowRect(query.found, &area);
  const bool checked = SendMessageA(query.found, BM_GETCHECK, 0, 0) == BST_CHECKED;
  char content[1024] = "";
  SendMessageA(query.found, WM_GETTEXT, sizeof content, reinterpret_cast<LPARAM>(content));
  std::printf("%ld %ld %ld %ld %s %s %s\n", area.left, area.top, area.right, area.bottom,
              checked ? "checked" : "unchecked",
              IsWindowEnabled(query.found) ? "enabled" : "disabled", content);
  return 0;
}

void PrintGuiResource(const char* name, HANDLE process, DWORD kind) {
  const DWORD count = GetGuiResources(process, kind);
  if (count)
    std::printf(" %s=%lu", name, count);
  else
    std::printf(" %s=-", name);
}

int PrintResources(HWND window) {
  DWORD process_id = 0;
  if (!window || !GetWindowThreadProcessId(window, &process_id)) return 1;
  talo::Handle process(
      OpenProcess(PROCESS_DUP_HANDLE | PROCESS_QUERY_INFORMATION, FALSE, process_id));
  if (!process) return 1;
  std::printf("handles=%d private_kib=%u windows=%d", CountHandles(process.get()),
              unsigned(CommittedPrivateBytes(process.get()) / 1024), CountWindows(process_id));
  PrintGuiResource("gdi", process.get(), GR_GDIOBJECTS);
  PrintGuiResource("user", process.get(), GR_USEROBJECTS);
  std::printf("\n");
  return 0;
}

// The process entry of `process_id` from a snapshot of all processes.
bool FindProcess(DWORD process_id, PROCESSENTRY32* entry) {
  talo::Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  entry->dwSize = sizeof *entry;
  for (BOOL more = Process32First(snapshot.get(), entry); more;
       more = Process32Next(snapshot.get(), entry))
    if (entry->th32ProcessID == process_id) return true;
  return false;
}

int PrintProcess(HWND window) {
  DWORD process_id = 0;
  PROCESSENTRY32 process = {}, parent = {};
  if (!window || !GetWindowThreadProcessId(window, &process_id) ||
      !FindProcess(process_id, &process))
    return 1;
  const bool parent_runs = FindProcess(process.th32ParentProcessID, &parent);
  std::printf("%lu %lu %s\n", process_id, process.th32ParentProcessID,
              parent_runs ? parent.szExeFile : "-");
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: probe window|msgbox|press|mapping|clipboard|clipboard-bitmap|clipboard-files"
               "|clipboard-formats|rect|focus|default|foreground|close|texts|version|userdir"
               "|userdata|listview|child|child-shown|resources|pif|hold|process|notification-area"
               " ...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "window" && argc >= 4) {
    HWND window = WaitForWindow(Any(argv[2]), Any(argv[3]), Timeout(argc, argv, 4));
    if (!window) return 1;
    std::printf("found %s%s\n", IsWindowVisible(window) ? "visible" : "hidden",
                IsWindowEnabled(window) ? "" : " disabled");
    return 0;
  }
  if (command == "msgbox" && argc >= 3) {
    HWND box = WaitForWindow("#32770", argv[2], Timeout(argc, argv, 3));
    if (!box) return 1;
    std::printf("%s\n", ReadMessageBox(box).text.c_str());
    return 0;
  }
  if (command == "press" && argc >= 4) {
    // A setup's message box has the caption of the setup's own dialog: the one with the button.
    for (HWND dialog : TopLevelWindows("#32770", Any(argv[2])))
      if (PressDialogButton(dialog, std::atoi(argv[3]))) {
        std::printf("pressed\n");
        return 0;
      }
    return 1;
  }
  if (command == "mapping" && argc >= 4) {
    std::string bytes = ReadSharedMemory(argv[2], std::strtoul(argv[3], nullptr, 10));
    if (bytes.empty()) return 1;
    for (size_t i = 0; i < bytes.size(); ++i)
      std::printf("%02X%s", unsigned(static_cast<unsigned char>(bytes[i])),
                  (i + 1) % 32 == 0 ? "\n" : "");
    std::printf("\n");
    return 0;
  }
  if (command == "version" && argc >= 3) {
    char version[64] = "";
    int length = 0;
    talo::VersionStringRequest requests[talo::kVersionStringCount] = {};
    requests[talo::kProductVersion] = {version, sizeof version, &length};
    if (!talo::GetFileVersionStrings(argv[2], requests)) return 1;
    std::printf("%s\n", version);
    return 0;
  }
  if (command == "texts" && argc >= 4) {
    const std::vector<HWND> windows = TopLevelWindows(Any(argv[2]), Any(argv[3]));
    for (HWND window : windows) EnumChildWindows(window, PrintText, 0);
    return windows.empty() ? 1 : 0;
  }
  if (command == "foreground") {
    char class_name[64] = "";
    if (HWND window = GetForegroundWindow()) GetClassNameA(window, class_name, sizeof class_name);
    std::printf("%s\n", class_name);
    return 0;
  }
  if (command == "default" && argc >= 4) {
    HWND window = WaitForWindow(Any(argv[2]), Any(argv[3]), 0);
    if (window) EnumChildWindows(window, PrintDefaultButton, 0);
    return window ? 0 : 1;
  }
  if ((command == "rect" || command == "focus" || command == "close" || command == "chars") &&
      argc >= 4) {
    HWND window = WaitForWindow(Any(argv[2]), Any(argv[3]), 0);
    if (!window) return 1;
    if (command == "close") return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (command == "chars" && argc >= 5) {
      GUITHREADINFO info = {};
      info.cbSize = sizeof info;
      if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus)
        return 1;
      const std::string utf8 = ReadFileBytes(argv[4]);
      for (wchar_t unit : talo::WidenUtf8(utf8.data(), utf8.size()))
        if (!PostMessageW(info.hwndFocus, WM_CHAR, unit, 1)) return 1;
      return 0;
    }
    if (command == "focus") {
      GUITHREADINFO info = {};
      info.cbSize = sizeof info;
      wchar_t text[1024] = L"";
      if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus)
        SendMessageW(info.hwndFocus, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
      std::printf("%s\n", talo::NarrowToUtf8(text).c_str());
      return 0;
    }
    RECT area;
    GetWindowRect(window, &area);
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    std::printf("%ld %ld %ld %ld %ld %ld\n", area.left, area.top, area.right, area.bottom, client.x,
                client.y);
    return 0;
  }
  if (command == "clipboard-bitmap" && argc >= 4) {
    const std::string picture = SampleDib(std::atoi(argv[2]), std::atoi(argv[3]), 24, 0x60);
    return PutOnClipboard({{CF_DIB, picture}}) ? 0 : 1;
  }
  if (command == "clipboard-files" && argc >= 3) {
    const std::vector<std::string> paths(argv + 2, argv + argc);
    return PutOnClipboard({{CF_HDROP, FileListBytes(paths)}}) ? 0 : 1;
  }
  if (command == "clipboard-formats") {
    for (unsigned format : ClipboardFormats()) std::printf("%u ", format);
    std::printf("\n");
    return 0;
  }
  if (command == "pif" && argc >= 5) {
    return WriteFileBytes(argv[2], ProgramInformationBytes(argv[3], argv[4])) ? 0 : 1;
  }
  if (command == "hold" && argc >= 3) {
    // Wine closes a desktop once no process uses it; an explorer that enters it just then waits
    // for good. A window makes this process one of the desktop's users.
    HWND keeper =
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    talo::FileHandle locked(argc >= 4 ? CreateFileA(argv[3], GENERIC_READ, 0, nullptr,
                                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                                      : INVALID_HANDLE_VALUE);
    if (argc >= 4 && !locked) return 1;
    while (GetFileAttributesA(argv[2]) == INVALID_FILE_ATTRIBUTES) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(100);
    }
    if (keeper) DestroyWindow(keeper);
    return 0;
  }
  if (command == "process" && argc >= 4)
    return PrintProcess(WaitForWindow(Any(argv[2]), Any(argv[3]), 0));
  if (command == "notification-area" && argc >= 6)
    return RunNotificationArea(argv[2], argv[3], argv[4], argv[5]);
  if (command == "userdir") {
    talo::TTaloRegistry settings;
    std::printf("%s\n", settings.UserDir());
    return settings.UserDir()[0] ? 0 : 1;
  }
  if (command == "userdata" && argc >= 3) return WriteUserData(argc, argv);
  if (command == "save-loop" && argc >= 3) return SaveLoop(argv[2]);
  if (command == "save-each" && argc >= 6)
    return SaveEach(argv[2], std::strtol(argv[3], nullptr, 16), std::strtol(argv[4], nullptr, 16),
                    static_cast<unsigned char>(std::strtol(argv[5], nullptr, 16)));
  if (command == "user-state" && argc >= 3) return PrintUserState(argv[2]);
  if (command == "listview" && argc >= 4)
    return PrintListView(WaitForWindow(Any(argv[2]), Any(argv[3]), 0));
  if (command == "child" && argc >= 5)
    return PrintChild(WaitForWindow(Any(argv[2]), Any(argv[3]), 0), argv[4]);
  // Printed, not only returned: a probe run in a desktop returns explorer's exit code.
  if (command == "child-shown" && argc >= 5) {
    HWND child = FindChild(WaitForWindow(Any(argv[2]), Any(argv[3]), 0), argv[4]);
    std::printf("%s\n", child && IsWindowVisible(child) ? "shown" : "not shown");
    return 0;
  }
  if (command == "resources" && argc >= 4)
    return PrintResources(WaitForWindow(Any(argv[2]), Any(argv[3]), 0));
  if (command == "clipboard" && argc >= 3) return WriteClipboardText(argv[2]) ? 0 : 1;
  if (command == "clipboard-utf8" && argc >= 3) {
    const std::string utf8 = ReadFileBytes(argv[2]);
    return WriteClipboardUnicode(talo::WidenUtf8(utf8.data(), utf8.size())) ? 0 : 1;
  }
  if (command == "clipboard") {
    std::printf("%s\n", ReadClipboardText().c_str());
    return 0;
  }
  return Usage();
}

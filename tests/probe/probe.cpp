// probe.exe: lets shell-level tests look at the running program from inside the Wine session.
//
//   probe window CLASS CAPTION [TIMEOUT_MS]   prints "found visible|hidden"; exit 1 when absent
//   probe msgbox CAPTION [TIMEOUT_MS]         prints the box's text; exit 1 when absent
//   probe press CAPTION BUTTON_ID             presses a button of the dialog with that caption
//   probe mapping NAME SIZE                   prints the block's bytes as hex; exit 1 when absent
//   probe clipboard [TEXT]                    prints the clipboard's text, or puts TEXT there
//   probe clipboard-bitmap WIDTH HEIGHT       puts a dark grey picture (CF_DIB) there
//   probe clipboard-files PATH...             puts a file list (CF_HDROP) there
//   probe clipboard-formats                   prints the clipboard's format numbers
//   probe rect CLASS CAPTION                  prints "left top right bottom client_left client_top"
//   probe focus CLASS CAPTION                 prints the text of the control that has the focus
//   probe close CLASS CAPTION                 asks the window to close (WM_CLOSE)
//   probe texts CLASS CAPTION                 prints the texts of the window's children, a line
//   each probe control CLASS CAPTION TEXT          prints "enabled|disabled checked|unchecked" of
//   the
//                                             child whose text is TEXT; exit 1 when absent
//   probe version FILE                        prints the file's product version
// A "-" for CLASS or CAPTION matches any.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/file_version.h"
#include "tests/support/object_records.h"
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

// The state of the child window whose text is `text`: "enabled|disabled checked|unchecked".
struct ControlSearch {
  const char* text;
  HWND found;
};
BOOL CALLBACK FindByText(HWND child, LPARAM search_address) {
  auto* search = reinterpret_cast<ControlSearch*>(search_address);
  char text[512] = "";
  GetWindowTextA(child, text, sizeof text);
  if (std::string(text) != search->text) return TRUE;
  search->found = child;
  return FALSE;
}

int Usage() {
  std::fprintf(stderr,
               "usage: probe "
               "window|msgbox|press|mapping|clipboard|clipboard-bitmap|clipboard-files|clipboard-"
               "formats|rect|focus|close|texts|control|version ...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "window" && argc >= 4) {
    HWND window = WaitForWindow(Any(argv[2]), Any(argv[3]), Timeout(argc, argv, 4));
    if (!window) return 1;
    std::printf("found %s\n", IsWindowVisible(window) ? "visible" : "hidden");
    return 0;
  }
  if (command == "msgbox" && argc >= 3) {
    HWND box = WaitForWindow("#32770", argv[2], Timeout(argc, argv, 3));
    if (!box) return 1;
    std::printf("%s\n", ReadMessageBox(box).text.c_str());
    return 0;
  }
  if (command == "press" && argc >= 4) {
    HWND box = WaitForWindow("#32770", argv[2], 0);
    return box && PressDialogButton(box, std::atoi(argv[3])) ? 0 : 1;
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
    HWND window = WaitForWindow(Any(argv[2]), Any(argv[3]), 0);
    if (!window) return 1;
    EnumChildWindows(window, PrintText, 0);
    return 0;
  }
  if (command == "control" && argc >= 5) {
    HWND window = WaitForWindow(Any(argv[2]), Any(argv[3]), 0);
    ControlSearch search = {argv[4], nullptr};
    if (window) EnumChildWindows(window, FindByText, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    const bool checked = SendMessageA(search.found, BM_GETCHECK, 0, 0) == BST_CHECKED;
    std::printf("%s %s\n", IsWindowEnabled(search.found) ? "enabled" : "disabled",
                checked ? "checked" : "unchecked");
    return 0;
  }
  if ((command == "rect" || command == "focus" || command == "close") && argc >= 4) {
    HWND window = WaitForWindow(Any(argv[2]), Any(argv[3]), 0);
    if (!window) return 1;
    if (command == "close") return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (command == "focus") {
      GUITHREADINFO info = {};
      info.cbSize = sizeof info;
      char text[256] = "";
      if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus)
        GetWindowTextA(info.hwndFocus, text, sizeof text);
      std::printf("%s\n", text);
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
  if (command == "clipboard" && argc >= 3) return WriteClipboardText(argv[2]) ? 0 : 1;
  if (command == "clipboard") {
    std::printf("%s\n", ReadClipboardText().c_str());
    return 0;
  }
  return Usage();
}

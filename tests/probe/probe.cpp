// probe.exe: lets shell-level tests look at the running program from inside the Wine session.
//
//   probe window CLASS CAPTION [TIMEOUT_MS]   prints "found visible|hidden"; exit 1 when absent
//   probe msgbox CAPTION [TIMEOUT_MS]         prints the box's text; exit 1 when absent
//   probe press CAPTION BUTTON_ID             presses a button of the dialog with that caption
//   probe mapping NAME SIZE                   prints the block's bytes as hex; exit 1 when absent
//   probe clipboard [TEXT]                    prints the clipboard's text, or puts TEXT there
//   probe rect CLASS CAPTION                  prints "left top right bottom client_left client_top"
//   probe focus CLASS CAPTION                 prints the text of the control that has the focus
//   probe close CLASS CAPTION                 asks the window to close (WM_CLOSE)
//   probe texts CLASS CAPTION                 prints the texts of the window's children, a line each
//   probe version FILE                        prints the file's product version
// A "-" for CLASS or CAPTION matches any.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "data/file_version.h"
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

int Usage() {
  std::fprintf(stderr, "usage: probe window|msgbox|press|mapping|clipboard|rect|focus|close|texts|version ...\n");
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
  if (command == "clipboard" && argc >= 3) return WriteClipboardText(argv[2]) ? 0 : 1;
  if (command == "clipboard") {
    std::printf("%s\n", ReadClipboardText().c_str());
    return 0;
  }
  return Usage();
}

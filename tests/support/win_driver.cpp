// Process, window, message box, shared memory and clipboard helpers for tests and probe.exe.
#include "tests/support/win_driver.h"

#include <cstring>
#include <utility>

#include "base/unique.h"

namespace talo::test {

std::string UnixToWindowsPath(const std::string& unix_path) {
  std::string path = "Z:" + unix_path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string InstallFolder() { return UnixToWindowsPath(TALO_INSTALL_DIR_UNIX) + "\\"; }
std::string SourceFolder() { return UnixToWindowsPath(TALO_SOURCE_DIR_UNIX) + "\\"; }

Process::~Process() {
  if (info_.hProcess) CloseHandle(info_.hProcess);
  if (info_.hThread) CloseHandle(info_.hThread);
}

Process::Process(Process&& other) noexcept : info_(std::exchange(other.info_, {})) {}

Process Process::Start(const std::string& program, const std::string& arguments) {
  Process process;
  std::string command = "\"" + program + "\"";
  if (!arguments.empty()) command += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process.info_))
    process.info_ = {};
  return process;
}

bool Process::WaitForExit(DWORD timeout_ms) {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, timeout_ms) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (info_.hProcess) GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void Process::Kill() {
  if (info_.hProcess && !WaitForExit(0)) {
    TerminateProcess(info_.hProcess, 1);
    WaitForExit(5000);
  }
}

namespace {

struct WindowQuery {
  const char* class_name;
  const char* caption;
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* query = reinterpret_cast<WindowQuery*>(param);
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  if (query->caption && lstrcmpA(text, query->caption) != 0) return TRUE;
  if (query->class_name) {
    char class_name[256] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (lstrcmpA(class_name, query->class_name) != 0) return TRUE;
  }
  if (query->process_id) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != query->process_id) return TRUE;
  }
  query->found = window;
  return FALSE;
}

template <typename Condition>
bool PollUntil(DWORD timeout_ms, Condition condition) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(25);
  }
}

}  // namespace

HWND WaitForWindow(const char* class_name, const char* caption, DWORD timeout_ms,
                   DWORD process_id) {
  WindowQuery query{class_name, caption, process_id, nullptr};
  PollUntil(timeout_ms, [&] {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found != nullptr;
  });
  return query.found;
}

bool WaitForWindowGone(HWND window, DWORD timeout_ms) {
  return PollUntil(timeout_ms, [&] { return !IsWindow(window); });
}

bool WaitForVisible(HWND window, bool visible, DWORD timeout_ms) {
  return PollUntil(timeout_ms, [&] { return bool(IsWindowVisible(window)) == visible; });
}

namespace {
// Icon handles and window surfaces of another process cannot be read here; the screen can. The
// error icon is the one that is mostly red (the warning icon is yellow, the others blue).
bool ShowsErrorIcon(HWND control) {
  RECT area;
  GetWindowRect(control, &area);
  HDC screen = GetDC(nullptr);
  int red = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      COLORREF pixel = GetPixel(screen, x, y);
      if (pixel != CLR_INVALID && GetRValue(pixel) > 160 && GetGValue(pixel) < 120 &&
          GetBValue(pixel) < 120)
        ++red;
    }
  ReleaseDC(nullptr, screen);
  return red > 100;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  auto* content = reinterpret_cast<MessageBoxContent*>(param);
  char class_name[64] = {};
  char text[2048] = {};
  GetClassNameA(child, class_name, sizeof class_name);
  GetWindowTextA(child, text, sizeof text);
  if (lstrcmpiA(class_name, "Button") == 0) {
    content->buttons.push_back(text);
  } else if (lstrcmpiA(class_name, "Static") == 0) {
    LONG style = GetWindowLongA(child, GWL_STYLE);
    // The box may not have painted its icon yet.
    if ((style & SS_TYPEMASK) == SS_ICON)
      content->error_icon |= PollUntil(3000, [&] { return ShowsErrorIcon(child); });
    else if (text[0])
      content->text = text;
  }
  return TRUE;
}
}  // namespace

MessageBoxContent ReadMessageBox(HWND box) {
  MessageBoxContent content;
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  char caption[512] = {};
  GetWindowTextA(box, caption, sizeof caption);
  content.caption = caption;
  EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&content));
  return content;
}

bool PressDialogButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) return false;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return true;
}

bool SharedMemoryExists(const std::string& name) {
  Handle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
  return bool(mapping);
}

bool WaitForSharedMemory(const std::string& name, DWORD timeout_ms) {
  return PollUntil(timeout_ms, [&] { return SharedMemoryExists(name); });
}

std::string ReadSharedMemory(const std::string& name, size_t size) {
  Handle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
  if (!mapping) return {};
  MappingView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) return {};
  MEMORY_BASIC_INFORMATION region = {};
  VirtualQuery(view.get(), &region, sizeof region);
  if (region.RegionSize < size) size = region.RegionSize;
  return std::string(static_cast<const char*>(view.get()), size);
}

std::string ReadClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (auto* chars = static_cast<const char*>(GlobalLock(data))) {
      text.assign(chars, strnlen(chars, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool WriteClipboardText(const std::string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return false;
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  const bool set = SetClipboardData(CF_TEXT, block) != nullptr;
  if (!set) GlobalFree(block);
  CloseClipboard();
  return set;
}

}  // namespace talo::test

// Process, window, message box, shared memory and clipboard helpers for tests and probe.exe.
#include "tests/support/win_driver.h"

#include <shellapi.h>

#include <cstdlib>
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

DWORD Stretched(DWORD timeout_ms) {
  static const DWORD factor = [] {
    char text[16] = {};
    GetEnvironmentVariableA("TALO_WAIT_FACTOR", text, sizeof text);
    const int value = atoi(text);
    return value > 1 ? DWORD(value) : 1u;
  }();
  if (timeout_ms == INFINITE || timeout_ms > INFINITE / factor) return timeout_ms;
  return timeout_ms * factor;
}

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
  return info_.hProcess &&
         WaitForSingleObject(info_.hProcess, Stretched(timeout_ms)) == WAIT_OBJECT_0;
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
  std::vector<HWND>* every;  // when set, collects every match instead of stopping at the first
};

// The caption is read last and only when asked for: reading it sends WM_GETTEXT to a window of
// another thread of this process, which blocks while that thread waits for the caller (a
// DialogAnswerer's watcher being joined).
BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* query = reinterpret_cast<WindowQuery*>(param);
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
  if (query->caption) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    if (lstrcmpA(text, query->caption) != 0) return TRUE;
  }
  query->found = window;
  if (!query->every) return FALSE;
  query->every->push_back(window);
  return TRUE;
}

template <typename Condition>
bool PollUntil(DWORD timeout_ms, Condition condition) {
  const DWORD start = GetTickCount();
  const DWORD limit = Stretched(timeout_ms);
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > limit) return false;
    Sleep(25);
  }
}

// Another program may hold the clipboard for a moment (Wine's clipboard manager does whenever the
// clipboard changes); a second's patience is what any program that uses it needs.
bool OpenClipboardPatiently() {
  return PollUntil(1000, [] { return OpenClipboard(nullptr) != FALSE; });
}

}  // namespace

HWND WaitForWindow(const char* class_name, const char* caption, DWORD timeout_ms,
                   DWORD process_id) {
  WindowQuery query{class_name, caption, process_id, nullptr, nullptr};
  PollUntil(timeout_ms, [&] {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found != nullptr;
  });
  return query.found;
}

std::vector<HWND> TopLevelWindows(const char* class_name, const char* caption) {
  std::vector<HWND> every;
  WindowQuery query{class_name, caption, 0, nullptr, &every};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
  return every;
}

bool WaitForWindowGone(HWND window, DWORD timeout_ms) {
  return PollUntil(timeout_ms, [&] { return !IsWindow(window); });
}

bool WaitForVisible(HWND window, bool visible, DWORD timeout_ms) {
  return PollUntil(timeout_ms, [&] { return bool(IsWindowVisible(window)) == visible; });
}

bool WaitForForeground(HWND window, DWORD timeout_ms) {
  return PollUntil(timeout_ms, [&] { return GetForegroundWindow() == window; });
}

namespace {
// Icon handles and window surfaces of another process cannot be read here; the screen can. The
// standard icons differ by their main colour: error red, warning yellow, information and question
// blue. Returns 0 while the icon has not been painted.
char IconColour(HWND control) {
  RECT area;
  GetWindowRect(control, &area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return 0;
  // One copy of the screen area, then the pixels from memory: a read per pixel is slow.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  GdiObject bitmap(CreateCompatibleBitmap(screen, width, height));
  HGDIOBJ old = SelectObject(memory, bitmap.get());
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  std::vector<RGBQUAD> pixels(size_t(width) * height);
  GetDIBits(memory, static_cast<HBITMAP>(bitmap.get()), 0, height, pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  int red = 0, yellow = 0, blue = 0;
  for (const RGBQUAD& pixel : pixels) {
    int r = pixel.rgbRed, g = pixel.rgbGreen, b = pixel.rgbBlue;
    if (r > 160 && g < 120 && b < 120) ++red;
    if (r > 160 && g > 140 && b < 100) ++yellow;
    if (b > 140 && r < 100) ++blue;
  }
  const int enough = 100;
  if (red > enough && red >= yellow && red >= blue) return 'r';
  if (yellow > enough && yellow >= blue) return 'y';
  return blue > enough ? 'b' : 0;
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
    if ((style & SS_TYPEMASK) == SS_ICON) {
      char colour = 0;
      PollUntil(3000, [&] { return (colour = IconColour(child)) != 0; });
      content->error_icon |= colour == 'r';
      content->warning_icon |= colour == 'y';
    } else if (text[0])
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
  if (!OpenClipboardPatiently()) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (auto* chars = static_cast<const char*>(GlobalLock(data))) {
      text.assign(chars, strnlen(chars, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool TrayIconExists(HWND owner, UINT id) {
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = owner;
  data.uID = id;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

namespace {
bool WriteClipboardBytes(UINT format, const void* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return false;
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  if (!OpenClipboardPatiently()) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  const bool set = SetClipboardData(format, block) != nullptr;
  if (!set) GlobalFree(block);
  CloseClipboard();
  return set;
}
}  // namespace

bool WriteClipboardText(const std::string& text) {
  return WriteClipboardBytes(CF_TEXT, text.c_str(), text.size() + 1);
}

bool WriteClipboardUnicode(const std::wstring& text) {
  return WriteClipboardBytes(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

bool WaitForTrayIcon(HWND owner, UINT id, DWORD timeout_ms) {
  return PollUntil(timeout_ms, [&] { return TrayIconExists(owner, id); });
}

}  // namespace talo::test

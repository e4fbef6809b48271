// Start-up benchmark: time from process start until the notification icon exists, for
// `Talowick.exe /s` and for a minimal program with one window and one icon, alternated in one run.
// Prints each median and their ratio.
//   startup_bench.exe [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/installation.h"

using namespace talo::test;

namespace {

// Milliseconds from CreateProcess until the icon of the window `class_name` is in the tray; the
// program is then asked to quit and waited for.
double TimeToTrayIcon(const std::string& program, const std::string& arguments,
                      const char* class_name) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  Process process = Process::Start(program, arguments);
  HWND window = nullptr;
  for (;;) {
    if (!window) window = FindWindowA(class_name, nullptr);
    if (window && TrayIconExists(window, 1024)) break;
    QueryPerformanceCounter(&now);
    if (now.QuadPart - start.QuadPart > frequency.QuadPart * 20) return -1;
    Sleep(1);
  }
  QueryPerformanceCounter(&now);
  PostMessageA(window, WM_QUIT, 0, 0);
  process.WaitForExit(10000);
  return double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
  TestInstallation installation;
  char own_path[MAX_PATH];
  GetModuleFileNameA(nullptr, own_path, MAX_PATH);
  std::string minimal = own_path;
  minimal = minimal.substr(0, minimal.rfind('\\') + 1) + "minimal_tray.exe";

  std::vector<double> program_times, baseline_times;
  for (int round = 0; round < rounds; ++round) {
    baseline_times.push_back(TimeToTrayIcon(minimal, "", "MinimalTray"));
    program_times.push_back(TimeToTrayIcon(installation.Program(), "/s", "TFormMain"));
  }
  const double program = Median(program_times), baseline = Median(baseline_times);
  std::printf("start to tray icon, median of %d rounds:\n", rounds);
  std::printf("  minimal program   %8.1f ms\n", baseline);
  std::printf("  Talowick.exe /s   %8.1f ms\n", program);
  std::printf("  ratio             %8.2f (budget 1.5)\n", program / baseline);
  return 0;
}

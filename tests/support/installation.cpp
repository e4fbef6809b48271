// A temporary installation of the built program for end-to-end tests.
#include "tests/support/installation.h"

#include <windows.h>

#include "data/graph_data.h"
#include "data/sys_data.h"
#include "tests/support/win_driver.h"

namespace talo::test {
namespace {

// A data file with the program's own header and a zero body, written through the same classes
// that load it.
template <typename Data>
void WriteEmptyDataFile(const std::string& path) {
  Data data;
  if (data.CreateView()) data.Save(path.c_str());
}

}  // namespace

TestInstallation::TestInstallation(bool with_data_files)
    : install_dir_(HKEY_LOCAL_MACHINE, kSettingsKey, "InstallDir"),
      user_dir_(HKEY_CURRENT_USER, kSettingsKey, "UserDir"),
      use_default_user_(HKEY_CURRENT_USER, kSettingsKey, "UseDefaultUser"),
      enabled_(HKEY_CURRENT_USER, kSettingsKey, "Enabled") {
  const std::string built = InstallFolder();
  for (const char* name : {"Talowick.exe", "Talospur.dll"})
    CopyFileA((built + name).c_str(), install_.File(name).c_str(), FALSE);
  if (with_data_files) {
    for (const char* name : {"Graphics.dat", "System.dat"})
      CopyFileA((built + name).c_str(), install_.File(name).c_str(), TRUE);
    if (!FileExists(install_.File("Graphics.dat")))
      WriteEmptyDataFile<TTaloGraphData>(install_.File("Graphics.dat"));
    if (!FileExists(install_.File("System.dat")))
      WriteEmptyDataFile<TTaloSysData>(install_.File("System.dat"));
  }
  WriteRegistryText(HKEY_LOCAL_MACHINE, kSettingsKey, "InstallDir", install_.Path());
  WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, "UserDir", user_base_.Path());
  WriteRegistryDword(HKEY_CURRENT_USER, kSettingsKey, "UseDefaultUser", 1);
  WriteRegistryDword(HKEY_CURRENT_USER, kSettingsKey, "Enabled", 1);
}

Process TestInstallation::Start(const std::string& arguments) const {
  return Process::Start(Program(), arguments);
}

void EndRunningInstances() {
  for (int i = 0; i < 5; ++i) {
    HWND window = FindWindowA("TFormMain", nullptr);
    if (!window) return;
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) return;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, Stretched(5000));
    CloseHandle(process);
  }
}

}  // namespace talo::test

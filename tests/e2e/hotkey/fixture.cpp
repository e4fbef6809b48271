// hotkey_fixture.exe READY_FILE [shipped]: a throw-away installation for the end-to-end tests with
// real keys, held while a test runs. It copies the built program, hook library and data files into
// a temporary install folder, writes a System.dat in which only Ctrl + Alt + F5, F6 and F7 may be
// assigned (with "shipped": keeps the shipped one), and a user data folder with
//
//   Ctrl + Alt + F5   enabled text   "Pasted by Tallowick"
//   Ctrl + Alt + F6   disabled text  "must not appear"
//   Ctrl + Alt + F7   no assignment
//
// points the registry at them, writes "install=<folder>" and "user=<user data folder>" into
// READY_FILE and waits until a file named READY_FILE plus ".done" appears; then it puts the
// registry back and removes the folders.
#include <windows.h>

#include <cstdio>
#include <string>

#include "data/sys_data.h"
#include "data/user_data.h"
#include "tests/support/installation.h"

namespace {

constexpr int kCtrlAltF5 = 0x674;
constexpr int kCtrlAltF6 = 0x675;
constexpr int kCtrlAltF7 = 0x676;
constexpr unsigned char kAvailable = 0x20;
constexpr DWORD kLongestRun = 10 * 60 * 1000;

bool WriteSystemData(const std::string& install_dir) {
  talo::TTaloSysData system_data;  // its view is gone again before the program starts
  if (!system_data.CreateView()) return false;
  for (int code : {kCtrlAltF5, kCtrlAltF6, kCtrlAltF7})
    system_data.View()[1024 + code] = kAvailable;
  return system_data.Save((install_dir + "System.dat").c_str());
}

bool WriteUserData(const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  talo::TTaloUserData user_data;
  return user_data.CreateView() && user_data.SetStatus(0x18, kCtrlAltF5) &&
         user_data.SetStatus(0x08, kCtrlAltF6) && user_data.SaveFile(folder.c_str()) &&
         talo::test::WriteFileBytes(folder + "0674.txt", "Pasted by Tallowick") &&
         talo::test::WriteFileBytes(folder + "0675.txt", "must not appear");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string ready_file = argv[1];
  talo::test::TestInstallation installation;
  const bool shipped_system_data = argc > 2 && std::string(argv[2]) == "shipped";
  if ((!shipped_system_data && !WriteSystemData(installation.InstallDir())) ||
      !WriteUserData(installation.UserBaseDir() + "Default\\")) {
    std::fprintf(stderr, "cannot prepare the installation\n");
    return 1;
  }
  if (!talo::test::WriteFileBytes(ready_file, "install=" + installation.InstallDir() + "\nuser=" +
                                                  installation.UserBaseDir() + "Default\\\n"))
    return 1;
  const DWORD start = GetTickCount();
  while (GetFileAttributesA((ready_file + ".done").c_str()) == INVALID_FILE_ATTRIBUTES &&
         GetTickCount() - start < kLongestRun)
    Sleep(100);
  return 0;
}

// hotkey_fixture.exe READY_FILE [shipped | soak OPENER]: a throw-away installation for the
// end-to-end tests with real keys, held while a test runs. It copies the built program, hook
// library and data files into a temporary install folder, writes a System.dat in which only
// Ctrl + Alt + F5 to F9 and Ctrl + V may be assigned (with "shipped": keeps the shipped one), and a
// user data folder with
//
//   Ctrl + Alt + F5   enabled text   "Pasted by Tallowick"
//   Ctrl + Alt + F6   disabled text  "must not appear"
//   Ctrl + Alt + F7   no assignment
//   Ctrl + V          enabled text   "Once" (not with "shipped")
//
// and with "soak" also
//
//   Ctrl + Alt + F8   enabled object  a 32 x 32 picture of 24 bits (CF_DIB, 3112 bytes)
//   Ctrl + Alt + F9   enabled shortcut  a shell link to a document of a file type whose open
//                                       command is the program OPENER with a log and the document
//                                       (it adds a line to the log)
//
// points the registry at them, writes "install=<folder>", "user=<user data folder>" (and
// "launches=<the log>") into READY_FILE and waits until a file named READY_FILE plus ".done"
// appears; then it puts the registry back and removes the folders.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "content/shell_link.h"
#include "data/sys_data.h"
#include "data/user_data.h"
#include "tests/support/installation.h"
#include "tests/support/object_records.h"
#include "tests/support/saved_registry.h"

namespace {

constexpr int kCtrlAltF5 = 0x674;
constexpr int kCtrlAltF6 = 0x675;
constexpr int kCtrlAltF7 = 0x676;
constexpr int kCtrlAltF8 = 0x677;
constexpr int kCtrlAltF9 = 0x678;
constexpr int kCtrlV = 0x256;
constexpr unsigned char kAvailable = 0x20;
constexpr unsigned char kCommonlyUsed = 0x22;
constexpr unsigned char kEnabledObject = 0x1C;
constexpr unsigned char kEnabledShellLink = 0x11;
constexpr char kDocumentType[] = "Software\\Classes\\.talosoak";
constexpr char kDocumentClass[] = "Software\\Classes\\TaloSoakDocument";
// A fixture left behind by a test that died gives up by itself; the soak run is the longest.
constexpr DWORD kLongestRun = 60 * 60 * 1000;

bool WriteSystemData(const std::string& install_dir) {
  talo::TTaloSysData system_data;  // its view is gone again before the program starts
  if (!system_data.CreateView()) return false;
  for (int code : {kCtrlAltF5, kCtrlAltF6, kCtrlAltF7, kCtrlAltF8, kCtrlAltF9})
    system_data.View()[1024 + code] = kAvailable;
  system_data.View()[1024 + kCtrlV] = kCommonlyUsed;
  return system_data.Save((install_dir + "System.dat").c_str());
}

bool WriteUserData(const std::string& folder, bool shipped, bool soak) {
  CreateDirectoryA(folder.c_str(), nullptr);
  talo::TTaloUserData user_data;
  return user_data.CreateView() && user_data.SetStatus(0x18, kCtrlAltF5) &&
         user_data.SetStatus(0x08, kCtrlAltF6) &&
         (shipped || (user_data.SetStatus(0x18, kCtrlV) &&
                      talo::test::WriteFileBytes(folder + "0256.txt", "Once"))) &&
         (!soak || (user_data.SetStatus(kEnabledObject, kCtrlAltF8) &&
                    user_data.SetStatus(kEnabledShellLink, kCtrlAltF9))) &&
         user_data.SaveFile(folder.c_str()) &&
         talo::test::WriteFileBytes(folder + "0674.txt", "Pasted by Tallowick") &&
         talo::test::WriteFileBytes(folder + "0675.txt", "must not appear");
}

// The soak run's document type: opening a ".talosoak" document runs `opener` with the log of
// launches and the document's path.
class DocumentType {
 public:
  DocumentType(const std::string& opener, const std::string& launches)
      : type_(HKEY_LOCAL_MACHINE, kDocumentType), class_(HKEY_LOCAL_MACHINE, kDocumentClass) {
    registered_ =
        talo::test::WriteRegistryText(HKEY_LOCAL_MACHINE, kDocumentType, "", "TaloSoakDocument") &&
        talo::test::WriteRegistryText(HKEY_LOCAL_MACHINE,
                                      std::string(kDocumentClass) + "\\shell\\open\\command", "",
                                      "\"" + opener + "\" \"" + launches + "\" \"%1\"");
  }
  bool Registered() const { return registered_; }

 private:
  talo::test::SavedRegistryKey type_;
  talo::test::SavedRegistryKey class_;
  bool registered_ = false;
};

// The content files of the soak run's object and shortcut, the document, and an empty log.
bool WriteSoakContent(const std::string& folder, const std::string& document,
                      const std::string& launches) {
  using talo::test::ObjectFileBytes;
  using talo::test::SampleDib;
  talo::ShellLinkFields link;
  link.path = document;
  return talo::test::WriteFileBytes(folder + "0677.obj",
                                    ObjectFileBytes({{CF_DIB, SampleDib(32, 32, 24)}})) &&
         talo::test::WriteFileBytes(document, "a document") &&
         talo::test::WriteFileBytes(launches, "") &&
         talo::CreateShellLink((folder + "0678.lnk").c_str(), link);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string ready_file = argv[1];
  talo::test::TestInstallation installation;
  const std::string mode = argc > 2 ? argv[2] : "";
  const bool soak = mode == "soak" && argc > 3;
  const std::string user_folder = installation.UserBaseDir() + "Default\\";
  const bool shipped = mode == "shipped";
  if ((!shipped && !WriteSystemData(installation.InstallDir())) ||
      !WriteUserData(user_folder, shipped, soak)) {
    std::fprintf(stderr, "cannot prepare the installation\n");
    return 1;
  }
  std::string ready = "install=" + installation.InstallDir() + "\nuser=" + user_folder + "\n";
  std::unique_ptr<DocumentType> document_type;
  if (soak) {
    const std::string document = installation.UserBaseDir() + "soak.talosoak";
    const std::string launches = installation.UserBaseDir() + "launches.log";
    document_type = std::make_unique<DocumentType>(argv[3], launches);
    if (!document_type->Registered() || !WriteSoakContent(user_folder, document, launches)) {
      std::fprintf(stderr, "cannot prepare the soak assignments\n");
      return 1;
    }
    ready += "launches=" + launches + "\n";
  }
  if (!talo::test::WriteFileBytes(ready_file, ready)) return 1;
  const DWORD start = GetTickCount();
  while (GetFileAttributesA((ready_file + ".done").c_str()) == INVALID_FILE_ATTRIBUTES &&
         GetTickCount() - start < kLongestRun)
    Sleep(100);
  return 0;
}

// The shortcut readers of the editor: shell links through IShellLink, internet shortcuts through
// the profile functions, and the preview of a combination's stored shortcut (its icon and name);
// and the hook's check of a stored shortcut before it hands it to the shell.
//
// All of them take a file name: each input is written to a file. The guard page protects only the
// layout checks, which the shell link reader runs on the input and the preview reader on the
// sibling file of its input, placed before one.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "content/icon_file_layout.h"
#include "content/internet_shortcut.h"
#include "content/program_information_layout.h"
#include "content/shell_link.h"
#include "content/shell_link_layout.h"
#include "content/shortcut_check.h"
#include "content/shortcut_file.h"
#include "tests/fuzz/fuzz_reader.h"
#include "tests/fuzz/guarded_memory.h"
#include "tests/support/icon_files.h"
#include "tests/support/program_information.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_settings.h"
#include "tests/support/win_driver.h"

namespace talo::fuzz {
namespace {

bool MakeLinkSeeds(std::vector<std::string>& seeds) {
  const std::string path = ScratchFolder() + "seed.lnk";
  const std::string program = test::InstallFolder() + "Talowick.exe";
  ShellLinkFields plain;
  plain.path = program;
  ShellLinkFields full = plain;
  full.arguments = "/s \"quoted argument\"";
  full.working_directory = test::InstallFolder();
  full.description = "A description of the link";
  full.icon_path = program;
  full.icon_index = 1;
  ShellLinkFields folder;
  folder.path = ScratchFolder();
  folder.description = "A folder";
  for (const ShellLinkFields* fields : {&plain, &full, &folder}) {
    if (!CreateShellLink(path.c_str(), *fields)) {
      std::fprintf(stderr, "cannot prepare: CreateShellLink\n");
      return false;
    }
    seeds.push_back(ReadWholeFile(path));
  }
  seeds.push_back(test::ProgramInformationBytes("A program information file", "C:\\EDIT.COM"));
  return true;
}

bool MakeInternetShortcutSeeds(std::vector<std::string>& seeds) {
  const std::string path = ScratchFolder() + "seed.url";
  const char* const shortcuts[][2] = {{"http://www.example.com/", "Example"},
                                      {"about:blank", "New URL"},
                                      {"file:///C:/docs/letter.txt", ""}};
  for (const auto& shortcut : shortcuts) {
    DeleteFileA(path.c_str());
    if (!WriteInternetShortcut(path.c_str(), shortcut[0], shortcut[1])) {
      std::fprintf(stderr, "cannot prepare: WriteInternetShortcut\n");
      return false;
    }
    seeds.push_back(ReadWholeFile(path));
  }
  return true;
}

// A shell link's bytes (they start with 'L') are a ".lnk", anything else a ".url" or, for every
// fourth input, a ".pif".
int KindOfInput(const std::string& shortcut) {
  std::uint32_t sum = 0;
  for (unsigned char c : shortcut) sum += c;
  return !shortcut.empty() && shortcut[0] == 'L' ? kShellLink
         : sum % 4 == 0                          ? kProgramInformation
                                                 : kInternetShortcut;
}

class ShellLinkReader : public FuzzReader {
 public:
  bool MakeSeeds(std::vector<std::string>& seeds) override { return MakeLinkSeeds(seeds); }
  bool Read(const std::string& input) override {
    IsWholeShellLink(placed_.Place(input), input.size());
    IsWholeProgramInformation(placed_.Place(input), input.size());
    if (!WriteInputFile(path_, input)) return false;
    ShellLinkFields fields;
    return ReadShellLink(path_.c_str(), fields);
  }

 private:
  std::string path_ = ScratchFolder() + "input.lnk";
  GuardedMemory placed_{16 * 1024};
};

class InternetShortcutReader : public FuzzReader {
 public:
  bool MakeSeeds(std::vector<std::string>& seeds) override {
    return MakeInternetShortcutSeeds(seeds);
  }
  bool Read(const std::string& input) override {
    if (!WriteInputFile(path_, input)) return false;
    std::string address, description;
    return ReadInternetShortcut(path_.c_str(), &address, &description);
  }
  std::size_t MaxSize() const override { return 4 * 1024; }

 private:
  std::string path_ = ScratchFolder() + "input.url";
};

// The stored shortcut of a combination as the editor previews it, and a sibling file that a link
// can name as its icon location or target: an input is the shortcut's bytes, then, after
// kSiblingMark, the sibling's, written as "Sibling.ico" and "Sibling.exe" into a folder of a
// fixed name (so that a saved input replays in another process); the shortcut's kind as
// KindOfInput gives it.
class ShortcutPreviewReader : public FuzzReader {
 public:
  static constexpr int kCode = 0x674;
  static constexpr char kSiblingMark[] = "\r\n--sibling--\r\n";
  ShortcutPreviewReader() { CreateDirectoryA(SiblingFolder().c_str(), nullptr); }
  ~ShortcutPreviewReader() override { test::RemoveTree(SiblingFolder()); }

  bool MakeSeeds(std::vector<std::string>& seeds) override {
    return MakeLinkSeeds(seeds) && MakeInternetShortcutSeeds(seeds) && MakeSiblingSeeds(seeds);
  }
  bool Read(const std::string& input) override {
    const std::size_t mark = input.find(kSiblingMark);
    const std::string shortcut = input.substr(0, mark);
    for (const char* name : kSiblingNames) DeleteFileA((SiblingFolder() + name).c_str());
    if (mark != std::string::npos) {
      const std::string sibling = input.substr(mark + sizeof kSiblingMark - 1);
      IsWholeIconFile(placed_.Place(sibling), sibling.size());
      IsWholeExecutableIcon(placed_.Place(sibling), sibling.size(), 0);
      for (const char* name : kSiblingNames)
        if (!WriteInputFile(SiblingFolder() + name, sibling)) return false;
    }
    const int kind = KindOfInput(shortcut);
    char name[16];
    std::snprintf(name, sizeof name, "%04X%s", kCode, ShortcutExtension(kind));
    for (int other : {kShellLink, kProgramInformation, kInternetShortcut}) {
      char stale[16];
      std::snprintf(stale, sizeof stale, "%04X%s", kCode, ShortcutExtension(other));
      DeleteFileA(settings_.UserFile(stale).c_str());
    }
    if (!WriteInputFile(settings_.UserFile(name), shortcut)) return false;
    IconHandle icon;
    std::string description;
    return ReadShortcutPreview(kind, kCode, icon, description);
  }

 private:
  static constexpr const char* kSiblingNames[] = {"Sibling.ico", "Sibling.exe"};
  static std::string SiblingFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "talo-fuzz-sibling\\";
  }
  // Links whose icon location is the sibling, as an icon file and as an executable, and a link
  // whose target is the sibling icon file.
  bool MakeSiblingSeeds(std::vector<std::string>& seeds) {
    const std::string path = ScratchFolder() + "seed.lnk";
    const std::string icon = test::IconFileBytes(RGB(255, 0, 0));
    const std::string executable = test::ExecutableWithIconBytes(RGB(0, 0, 255)).bytes;
    ShellLinkFields icon_location;
    icon_location.path = test::InstallFolder() + "Talowick.exe";
    icon_location.description = "A picture of its own";
    icon_location.icon_path = SiblingFolder() + kSiblingNames[0];
    ShellLinkFields program_location = icon_location;
    program_location.icon_path = SiblingFolder() + kSiblingNames[1];
    ShellLinkFields target;
    target.path = SiblingFolder() + kSiblingNames[0];
    target.description = "An icon file";
    const struct {
      const ShellLinkFields* link;
      const std::string* sibling;
    } seeded[] = {{&icon_location, &icon}, {&program_location, &executable}, {&target, &icon}};
    // The shell resolves a link's target when the link is made, so the target exists by then.
    if (!WriteInputFile(target.path, icon)) {
      std::fprintf(stderr, "cannot prepare: the sibling file\n");
      return false;
    }
    for (const auto& seed : seeded) {
      if (!CreateShellLink(path.c_str(), *seed.link)) {
        std::fprintf(stderr, "cannot prepare: CreateShellLink\n");
        return false;
      }
      seeds.push_back(ReadWholeFile(path) + kSiblingMark + *seed.sibling);
    }
    return true;
  }

  test::TestSettings settings_;
  GuardedMemory placed_{16 * 1024};
};

// The hook's execution of a stored shortcut, up to the shell: the check of the file it holds open
// (on the input before a guard page, and through the file as the hook reads it), and for an
// accepted input what the shell then reads of it: the link object's loading, the profile's URL.
// The shell is never asked to open anything here. The kind as KindOfInput gives it.
class HookShortcutReader : public FuzzReader {
 public:
  bool MakeSeeds(std::vector<std::string>& seeds) override {
    return MakeLinkSeeds(seeds) && MakeInternetShortcutSeeds(seeds);
  }
  bool Read(const std::string& input) override {
    const int kind = KindOfInput(input);
    const auto assignment = static_cast<AssignmentKind>(kind);
    CheckShortcutBytes(assignment, placed_.Place(input), input.size());
    const std::string path = ScratchFolder() + "hook" + ShortcutExtension(kind);
    if (!WriteInputFile(path, input)) return false;
    {
      FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file || CheckShortcutFile(file.get(), GetFileSize(file.get(), nullptr), assignment) ==
                       ShortcutLayout::kBroken)
        return false;
    }
    if (kind == kInternetShortcut) {
      std::string address;
      return ReadInternetShortcut(path.c_str(), &address, nullptr);
    }
    ShellLinkFields fields;
    return ReadShellLink(path.c_str(), fields);
  }

 private:
  GuardedMemory placed_{16 * 1024};
};

}  // namespace

std::unique_ptr<FuzzReader> MakeHookShortcutReader() {
  return std::make_unique<HookShortcutReader>();
}
std::unique_ptr<FuzzReader> MakeShellLinkReader() { return std::make_unique<ShellLinkReader>(); }
std::unique_ptr<FuzzReader> MakeInternetShortcutReader() {
  return std::make_unique<InternetShortcutReader>();
}
std::unique_ptr<FuzzReader> MakeShortcutPreviewReader() {
  return std::make_unique<ShortcutPreviewReader>();
}

}  // namespace talo::fuzz

// Shortcut files, the editor's working shortcut and the text assignment file, on real files.
#include "content/shortcut_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/wide_text.h"
#include "content/internet_shortcut.h"
#include "content/link_file.h"
#include "content/path_names.h"
#include "content/program_information_layout.h"
#include "content/shell_link.h"
#include "content/shell_link_layout.h"
#include "content/text_assignment.h"
#include "tests/support/program_information.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_settings.h"

namespace talo {
namespace {

using test::FileExists;
using test::WriteFileBytes;

class ShortcutFile : public ::testing::Test {
 protected:
  std::string User(const std::string& name) const { return settings_.UserFile(name); }
  // This program's working copy with `extension`: its path, or its name alone.
  std::string Working(const std::string& extension, bool path = true) const {
    return path ? settings_.WorkingFile(extension) : settings_.WorkingName(extension);
  }
  std::string Source(const std::string& name) const { return sources_.File(name); }
  // The names of the shortcut files under a base name, as they lie in the folder.
  static std::vector<std::string> FilesUnder(const std::string& base) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((base + ".*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(entry.cFileName);
    while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
  }
  std::string MakeLink(const std::string& name) const {
    ShellLinkFields fields;
    fields.path = Source("target.txt");
    EXPECT_TRUE(WriteFileBytes(fields.path, "target"));
    EXPECT_TRUE(CreateShellLink(Source(name).c_str(), fields));
    return Source(name);
  }
  test::TestSettings settings_;
  test::TempFolder sources_;
};

TEST_F(ShortcutFile, DroppedFilesFoldersAndProgramsGetLinksNamedByTitle) {
  ASSERT_TRUE(WriteFileBytes(Source("report.txt"), "report"));
  ASSERT_TRUE(CreateDirectoryA(Source("Tools").c_str(), nullptr));
  char program[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(nullptr, program, MAX_PATH), 0u);
  const struct {
    std::string target, description;
  } cases[] = {{Source("report.txt"), "report.txt"},
               {Source("Tools"), "Tools"},
               {program, FileNamePart(program)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    ASSERT_TRUE(WriteFileBytes(Working(".url"), "[InternetShortcut]\r\nURL=about:blank\r\n"));
    EXPECT_EQ(CreateWorkingShortcut(c.target.c_str()), kShellLink);
    EXPECT_EQ(FilesUnder(Working("")), std::vector<std::string>{Working(".lnk", false)});
    ShellLinkFields read;
    ASSERT_TRUE(ReadShellLink(Working(".lnk").c_str(), read));
    EXPECT_EQ(read.path, c.target);
    EXPECT_EQ(read.description, c.description);
  }
}

// The URL is only copied, never used here: one longer than a path is taken too.
TEST_F(ShortcutFile, ADroppedInternetShortcutKeepsItsLetterCaseAndGetsItsTitle) {
  const std::string url = "http://example.com/?q=" + std::string(1000, 'q');
  ASSERT_TRUE(WriteFileBytes(Source("x.URL"), "[InternetShortcut]\r\nURL=" + url + "\r\n"));
  MakeLink("Temp.lnk");
  ASSERT_TRUE(CopyFileA(Source("Temp.lnk").c_str(), Working(".lnk").c_str(), FALSE));
  EXPECT_EQ(CreateWorkingShortcut(Source("x.URL").c_str()), kInternetShortcut);
  EXPECT_EQ(FilesUnder(Working("")), std::vector<std::string>{Working(".URL", false)});
  EXPECT_NE(test::ReadFileBytes(Working(".URL")).find("URL=" + url), std::string::npos);
  std::string description;
  EXPECT_EQ(GetShortcutDescription(description, kInternetShortcut), 1);
  EXPECT_EQ(description, "x");
}

TEST_F(ShortcutFile, ADroppedPifGetsTheFirst29CharactersOfItsTitle) {
  const std::string title = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
  ASSERT_TRUE(CopyFileA(MakeLink("made.lnk").c_str(), Source(title + ".pif").c_str(), FALSE));
  EXPECT_EQ(CreateWorkingShortcut(Source(title + ".pif").c_str()), kProgramInformation);
  std::string description;
  EXPECT_EQ(GetShortcutDescription(description, kProgramInformation), 29);
  EXPECT_EQ(description, title.substr(0, 29));
}

// A genuine program information file has a layout of its own, which only a ".pif" may have.
TEST_F(ShortcutFile, AGenuinePifPassesItsOwnLayoutCheckOnlyAsAPif) {
  const std::string pif = test::ProgramInformationBytes("Editor", "C:\\EDIT.COM");
  ASSERT_TRUE(WriteFileBytes(User("0674.pif"), pif));
  ASSERT_TRUE(WriteFileBytes(User("0674.lnk"), pif));
  EXPECT_TRUE(IsWholeLinkFile(User("0674.pif").c_str()));
  EXPECT_FALSE(IsWholeLinkFile(User("0674.lnk").c_str()));
  // The second heading pointing back at the first (a loop), the last section beyond the end.
  for (auto [at, value] : {std::pair{0x187 + 16, 0x171}, std::pair{0x205 + 20, 0x100}}) {
    std::string damaged = pif;
    damaged[at] = char(value & 0xFF);
    damaged[at + 1] = char(value >> 8);
    EXPECT_FALSE(IsWholeProgramInformation(reinterpret_cast<const unsigned char*>(damaged.data()),
                                           damaged.size()));
  }
}

TEST_F(ShortcutFile, AnInternetShortcutWithoutDescriptionCannotBeRead) {
  ASSERT_TRUE(WriteFileBytes(Working(".url"), "[InternetShortcut]\r\nURL=http://a.example/\r\n"));
  std::string address = "old", description = "old";
  EXPECT_FALSE(ReadInternetShortcut(Working(".url").c_str(), &address, &description));
  EXPECT_EQ(address + description, "");
  EXPECT_TRUE(ReadInternetShortcut(Working(".url").c_str(), &address, nullptr));
  IconHandle icon;
  EXPECT_FALSE(ReadShortcutPreview(kInternetShortcut, kWorkingCopy, icon, description));
  EXPECT_FALSE(icon);
}

TEST_F(ShortcutFile, UntrustedSourcesLeaveNoShortcut) {
  const std::string noise("\x4c\x00\x00\x00\x01\x14\x02\xff\x13\x37garbage\x80\x90", 21);
  ASSERT_TRUE(WriteFileBytes(Source("damaged.lnk"), noise));
  ASSERT_TRUE(WriteFileBytes(Source("damaged.url"), noise));
  ASSERT_TRUE(WriteFileBytes(Source(".txt"), "only an extension"));
  for (const std::string& source :
       {std::string("C:\\"), Source(".txt"), Source("damaged.lnk"), Source("damaged.url")}) {
    SCOPED_TRACE(source);
    ASSERT_TRUE(WriteFileBytes(Working(".url"), "[InternetShortcut]\r\nURL=about:blank\r\n"));
    EXPECT_EQ(CreateWorkingShortcut(source.c_str()), kNoShortcut);
    EXPECT_EQ(FilesUnder(Working("")), std::vector<std::string>{});
  }
  const std::string long_base = Source(std::string(768, 'b'));
  EXPECT_EQ(CreateShortcutFile(long_base.c_str(), Source("damaged.url").c_str(), true), 0);
  ShellLinkFields read;
  read.path = "old";
  EXPECT_FALSE(ReadShellLink(Source("damaged.lnk").c_str(), read));
  EXPECT_EQ(read.path, "");

  // A link name that does not fit is refused, not cut; a line break would add a key to a .url.
  ShellLinkFields fields;
  fields.path = Source("damaged.lnk");
  EXPECT_FALSE(CreateShellLink(Source(std::string(300, 'n') + ".lnk").c_str(), fields));
  EXPECT_FALSE(WriteInternetShortcut(Source("a.url").c_str(), "about:blank", "x\r\nURL=file:c:"));
}

// Wine's link reader allocates and reads whatever size a damaged link claims (1.7 GB took it 12
// seconds), and its icon extraction reads a shortcut that starts like an icon file past its end.
TEST_F(ShortcutFile, ShortcutsThatWouldStallOrCrashTheShellAreRefusedBeforeItReadsThem) {
  const std::string made = test::ReadFileBytes(MakeLink("made.lnk"));
  ASSERT_GT(made.size(), 80u);
  auto whole = [](const std::string& bytes) {
    return IsWholeShellLink(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  };
  EXPECT_TRUE(whole(made));
  auto claim = [&](size_t at, const std::string& size) {
    std::string bytes = made;
    bytes.replace(at, size.size(), size);
    return bytes;
  };
  const std::string huge("\x8d\x10\x00\x69", 4);
  // The item list's size follows the header; the last four bytes end the extra data.
  for (const std::string& damaged : {claim(76, "\xff\xff"), claim(made.size() - 4, huge),
                                     made.substr(0, made.size() / 2), made.substr(0, 75)}) {
    EXPECT_FALSE(whole(damaged));
    ASSERT_TRUE(WriteFileBytes(User("0674.lnk"), damaged));
    ShellLinkFields read;
    EXPECT_FALSE(ReadShellLink(User("0674.lnk").c_str(), read));
  }

  const std::string section = "\r\n[InternetShortcut]\r\nURL=about:blank\r\nDescription=Blank\r\n";
  ASSERT_TRUE(WriteFileBytes(User("0674.url"), std::string("\0\0\1\0\xff\xff", 6) + section));
  IconHandle icon;
  std::string description;
  EXPECT_FALSE(ReadShortcutPreview(kInternetShortcut, 0x674, icon, description));
  ASSERT_TRUE(WriteFileBytes(User("0674.url"), section));
  EXPECT_TRUE(ReadShortcutPreview(kInternetShortcut, 0x674, icon, description));
  EXPECT_EQ(description, "Blank");
}

TEST_F(ShortcutFile, PreviewOfAStoredShortcutBecomesTheOnlyWorkingShortcut) {
  ASSERT_TRUE(CreateDirectoryA(Source("Tools").c_str(), nullptr));
  ASSERT_EQ(CreateShortcutFile(User("0674").c_str(), Source("Tools").c_str(), true), kShellLink);
  ASSERT_TRUE(WriteFileBytes(Working(".url"), "[InternetShortcut]\r\nURL=about:blank\r\n"));
  IconHandle icon;
  std::string description;
  ASSERT_TRUE(ReadShortcutPreview(kShellLink, 0x674, icon, description));
  EXPECT_TRUE(icon);
  EXPECT_EQ(description, "Tools");
  EXPECT_EQ(FilesUnder(Working("")), std::vector<std::string>{Working(".lnk", false)});
  EXPECT_FALSE(ReadShortcutPreview(kInternetShortcut, 0x674, icon, description));
  EXPECT_FALSE(icon);
  EXPECT_EQ(description, "");
}

TEST_F(ShortcutFile, APreviewStillHasAPictureWhenTheLinksTargetIsGone) {
  ASSERT_TRUE(CreateDirectoryA(Source("Tools").c_str(), nullptr));
  ASSERT_EQ(CreateWorkingShortcut(Source("Tools").c_str()), kShellLink);
  ASSERT_TRUE(RemoveDirectoryA(Source("Tools").c_str()));
  IconHandle icon;
  std::string description;
  EXPECT_TRUE(ReadShortcutPreview(kShellLink, kWorkingCopy, icon, description));
  EXPECT_TRUE(icon);
  EXPECT_EQ(description, "Tools");
}

TEST_F(ShortcutFile, CommitReplacesEveryStoredKindByTheWorkingShortcut) {
  ASSERT_TRUE(CreateDirectoryA(Source("Tools").c_str(), nullptr));
  ASSERT_EQ(CreateWorkingShortcut(Source("Tools").c_str()), kShellLink);
  ASSERT_TRUE(WriteFileBytes(User("0674.url"), "[InternetShortcut]\r\nURL=about:blank\r\n"));
  ASSERT_TRUE(SetFileAttributesA(User("0674.url").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(CommitShortcut(0x674, kShellLink));
  EXPECT_EQ(FilesUnder(User("0674")), std::vector<std::string>{"0674.lnk"});
  EXPECT_TRUE(FileExists(Working(".lnk"))) << "editing goes on with the working copy";

  EXPECT_FALSE(CommitShortcut(0x674, kInternetShortcut)) << "there is no working .url";
  EXPECT_EQ(FilesUnder(User("0674")), std::vector<std::string>{"0674.lnk"})
      << "a failed commit keeps the stored shortcut";
  EXPECT_TRUE(CommitShortcut(0x674, kNoShortcut));
  EXPECT_EQ(FilesUnder(User("0674")), std::vector<std::string>{});
}

TEST_F(ShortcutFile, DescriptionsOfWorkingShortcutsRoundTrip) {
  std::string description;
  EXPECT_FALSE(SetShortcutDescription("Renamed", kShellLink)) << "no working shortcut yet";
  EXPECT_EQ(GetShortcutDescription(description, kShellLink), 0);
  ASSERT_TRUE(WriteFileBytes(Source("x.url"), "[InternetShortcut]\r\nURL=about:blank\r\n"));
  for (const std::string& source : {MakeLink("y.lnk"), Source("x.url")}) {
    SCOPED_TRACE(source);
    const int kind = CreateWorkingShortcut(source.c_str());
    ASSERT_NE(kind, kNoShortcut);
    EXPECT_TRUE(SetShortcutDescription("Renamed", kind));
    EXPECT_EQ(GetShortcutDescription(description, kind), 7);
    EXPECT_EQ(description, "Renamed");
  }
}

TEST_F(ShortcutFile, TextAssignmentFiles) {
  const std::string file = User("0674.txt");
  std::wstring text;
  ASSERT_TRUE(SaveTextAssignment(L"typed\r\ntext", 0x674));
  ASSERT_TRUE(LoadTextAssignment(text, 0x674));
  EXPECT_EQ(text, L"typed\r\ntext");
  EXPECT_TRUE(SaveTextAssignment(L"", 0x674));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(LoadTextAssignment(text, 0x674));

  // What a box cannot hold is shown cut, and said so: the editor then keeps the stored file.
  bool whole = false;
  ASSERT_TRUE(SaveTextAssignment(L"caf\u00e9", 0x674));
  ASSERT_TRUE(LoadTextAssignment(text, 0x674, &whole));
  EXPECT_TRUE(whole);
  std::string long_text(70000, 'a');
  long_text[65533] = 'z';
  const std::string utf16("h\0i\0", 4);
  for (const std::string& cut : {long_text, utf16}) {
    ASSERT_TRUE(WriteFileBytes(file, cut));
    ASSERT_TRUE(LoadTextAssignment(text, 0x674, &whole));
    EXPECT_FALSE(whole);
  }
  EXPECT_EQ(text, L"h");

  HANDLE lock = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(LoadTextAssignment(text, 0x674));
  EXPECT_EQ(text, L"");
  EXPECT_FALSE(SaveTextAssignment(L"", 0x674)) << "the file could not be deleted";
  CloseHandle(lock);
}

// The walk with real keys compares the stored bytes of a code-page text and of a text in several
// scripts; these are the texts it does not meet.
TEST(TextAssignment, TextsTheCodePageDoesNotHoldExactlyGoAsUtf8AndComeBackWhole) {
  // U+0100 has a best fit ("A"); the code-page bytes of the second would begin like the mark.
  for (const wchar_t* text : {L"\u0100", L"\u00ef\u00bb\u00bfabc"}) {
    EXPECT_EQ(EncodeTextAssignment(text).substr(0, 3), "\xef\xbb\xbf");
    EXPECT_EQ(DecodeTextAssignment(EncodeTextAssignment(text)), text);
  }
  // A long one is cut to the box's limit, never between the halves of a character.
  std::string long_utf8 = "\xef\xbb\xbf" + std::string(65533, 'a');
  for (int i = 0; i < 100; ++i) long_utf8 += "\xf0\x9f\x98\x80";
  EXPECT_EQ(DecodeTextAssignment(long_utf8), std::wstring(65533, L'a'));
  // Not UTF-8 after the mark: the code page's text, whole, mark and all.
  EXPECT_EQ(DecodeTextAssignment("\xef\xbb\xbf" "caf\xe9"), WidenAnsi("\xef\xbb\xbf" "caf\xe9"));
}

}  // namespace
}  // namespace talo

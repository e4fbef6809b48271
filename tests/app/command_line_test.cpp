// The argument text and the switches read from a command line.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "app/startup.h"

namespace talo {
namespace {

std::string Arguments(const std::string& command_line) {
  char buffer[kArgumentBufferSize];
  std::memset(buffer, 'x', sizeof buffer);
  int length = GetCommandArguments(buffer, command_line.c_str());
  EXPECT_EQ(length, int(std::strlen(buffer)));
  return buffer;
}

TEST(CommandArguments, TakeTheTextAfterTheQuotedProgramPath) {
  struct Case {
    const char* command_line;
    const char* arguments;
  } cases[] = {
      {"\"C:\\Program Files\\Talowick.exe\" /s", "/s"},
      {"\"C:\\Program Files\\Talowick.exe\"  /s /t", " /s /t"},  // only one blank is skipped
      {"\"C:\\Talowick.exe\"/t", "/t"},
      {"\"C:\\Talowick.exe\"", ""},
      {"\x01\x02\"C:\\Talowick.exe\" /s", "/s"},
      {"\"C:\\Talowick.exe\" /s\r\nignored", "/s"},
      {"\"C:\\Talowick.exe\" a\x7F" "b", "a"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Arguments(c.command_line), c.arguments) << c.command_line;
}

TEST(CommandArguments, AnUnquotedProgramPathEndsAtTheFirstBlankAndNothingBeyondTheEndIsRead) {
  EXPECT_EQ(Arguments("C:\\Tools\\Talowick.exe /s"), "/s");
  EXPECT_EQ(Arguments("Talowick.exe"), "");
  EXPECT_EQ(Arguments("\"C:\\unterminated quote"), "");

  // The command line sits at the very end of a committed page followed by a guard page: a read
  // past its terminator would fault.
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  char* pages = static_cast<char*>(
      VirtualAlloc(nullptr, info.dwPageSize * 2, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(pages, nullptr);
  DWORD old;
  VirtualProtect(pages + info.dwPageSize, info.dwPageSize, PAGE_NOACCESS, &old);
  for (const char* line : {"Talowick.exe", "\"Talowick.exe\"", "\"Talowick.exe", ""}) {
    size_t size = std::strlen(line) + 1;
    char* text = pages + info.dwPageSize - size;
    std::memcpy(text, line, size);
    char buffer[kArgumentBufferSize];
    EXPECT_EQ(GetCommandArguments(buffer, text), 0) << line;
  }
  VirtualFree(pages, 0, MEM_RELEASE);
}

TEST(CommandArguments, AnOverlongArgumentTextIsCutTo4095Characters) {
  std::string command_line = "\"C:\\Talowick.exe\" " + std::string(10000, 'a');
  std::string arguments = Arguments(command_line);
  EXPECT_EQ(arguments, std::string(kArgumentBufferSize - 1, 'a'));
}

TEST(CommandArguments, HighCharactersArePartOfTheText) {
  EXPECT_EQ(Arguments("\"C:\\T.exe\" \xE9t\xE9 /s"), "\xE9t\xE9 /s");
}

TEST(Switches, AreFoundAnywhereAsSubstringsAndSilentWins) {
  struct Case {
    const char* arguments;
    bool silent;
    bool terminate;
  } cases[] = {
      {"", false, false},       {"/s", true, false},        {"/S", true, false},
      {"/t", false, true},      {"/T", false, true},        {"/s /t", true, false},
      {"/T/S", true, false},    {"x/sy", true, false},      {"C:/temp", false, true},
      {"s t -s -t", false, false},
  };
  for (const Case& c : cases) {
    Switches switches = ParseSwitches(c.arguments);
    EXPECT_EQ(switches.silent, c.silent) << c.arguments;
    EXPECT_EQ(switches.terminate, c.terminate) << c.arguments;
  }
}

}  // namespace
}  // namespace talo

// The built Talowick.exe started for real: fatal start-up errors and the single-instance rule.
#include <gtest/gtest.h>

#include "base/unique.h"
#include "tests/support/installation.h"

namespace talo::test {
namespace {

constexpr DWORD kTimeout = 20000;
constexpr char kMainClass[] = "TFormMain";
constexpr char kMainCaption[] = "Quintavel Tallowick";

// The main window exists from the first start-up step on; the instance is up once its icon is in
// the notification area, the last step.
HWND WaitForRunningInstance(const Process& program) {
  HWND window = WaitForWindow(kMainClass, kMainCaption, kTimeout, program.Id());
  WaitForTrayIcon(window, 1024, kTimeout);
  return window;
}

class Startup : public ::testing::Test {
 protected:
  void SetUp() override { EndRunningInstances(); }
  void TearDown() override { EndRunningInstances(); }
};

TEST_F(Startup, MissingGraphicsFileShowsTheFatalErrorBoxThenEndsLeavingNothing) {
  TestInstallation installation(/*with_data_files=*/false);
  Process program = installation.Start("/s");
  ASSERT_TRUE(program.Started());

  HWND box = WaitForWindow("#32770", "Fatal error.", kTimeout, program.Id());
  ASSERT_NE(box, nullptr);
  MessageBoxContent content = ReadMessageBox(box);
  EXPECT_EQ(content.text, "Unable to read Tallowick graphics data file, 'GRAPHICS.DAT'.");
  EXPECT_TRUE(content.error_icon);
  EXPECT_EQ(content.buttons, std::vector<std::string>{"OK"});
  // The graphics view exists while the box is up; it must be gone afterwards.
  EXPECT_TRUE(SharedMemoryExists("TALLOWWICKGRAPHICSDATA"));

  ASSERT_TRUE(PressDialogButton(box, IDOK));
  ASSERT_TRUE(program.WaitForExit(kTimeout));
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_EQ(FindWindowA(kMainClass, nullptr), nullptr);
  EXPECT_FALSE(SharedMemoryExists("TALLOWWICKGRAPHICSDATA"));
}

TEST_F(Startup, EachFailingStepEndsWithItsOwnFatalMessage) {
  const struct {
    const char* broken;  // a data file to remove or damage, or a view another program holds
    const char* message;
  } cases[] = {
      {"System.dat", "Unable to read Tallowick system data file, 'SYSTEM.DAT'."},
      {"User.dat", "Tallowick user data file, 'USER.DAT', contains an unrecognized data format."},
      {"TALLOWWICKGRAPHICSDATA",
       "An internal graphics data memory error has occurred within Tallowick, 'TALOWICK.EXE'."},
      {"TALLOWWICKSYSTEMDATA",
       "An internal system data memory error has occurred within Tallowick, 'TALOWICK.EXE'."},
      {"TALLOWWICKUSERDATA",
       "An internal user data memory error has occurred within Tallowick, 'TALOWICK.EXE'."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.broken);
    TestInstallation installation;
    const std::string broken = c.broken;
    Handle held_view;
    if (broken == "System.dat") DeleteFileA((installation.InstallDir() + broken).c_str());
    if (broken == "User.dat") {
      CreateDirectoryA((installation.UserBaseDir() + "Default").c_str(), nullptr);
      WriteFileBytes(installation.UserBaseDir() + "Default\\User.dat", "too short");
    }
    if (broken.rfind("TALLOWWICK", 0) == 0)
      held_view.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096,
                                         broken.c_str()));

    Process program = installation.Start("/s");
    HWND box = WaitForWindow("#32770", "Fatal error.", kTimeout, program.Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ReadMessageBox(box).text, c.message);
    PressDialogButton(box, IDOK);
    ASSERT_TRUE(program.WaitForExit(kTimeout));
    EXPECT_EQ(program.ExitCode(), 0u);
  }
}

TEST_F(Startup, SecondStartShowsTheFirstWindowOnlyWithoutTheSilentSwitch) {
  TestInstallation installation;
  Process first = installation.Start("/s");
  HWND window = WaitForRunningInstance(first);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));

  for (const char* arguments : {"/s", "/S", "/s /t", "-x/S/T"}) {
    SCOPED_TRACE(arguments);
    Process second = installation.Start(arguments);
    ASSERT_TRUE(second.WaitForExit(kTimeout));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindow(window)) << "a silent second start must leave the first alone";
  }

  Process second = installation.Start();
  ASSERT_TRUE(second.WaitForExit(kTimeout));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(WaitForVisible(window, true, kTimeout));
  EXPECT_EQ(WaitForWindow("#32770", nullptr, 0, second.Id()), nullptr);
}

TEST_F(Startup, TerminateSwitchEndsTheRunningInstanceAndItself) {
  TestInstallation installation;
  Process first = installation.Start("/s");
  HWND window = WaitForRunningInstance(first);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(SharedMemoryExists("TALLOWWICKSYSTEMDATA"));

  Process terminator = installation.Start("/T");
  ASSERT_TRUE(terminator.WaitForExit(kTimeout));
  EXPECT_EQ(terminator.ExitCode(), 0u);
  ASSERT_TRUE(first.WaitForExit(kTimeout));
  EXPECT_EQ(first.ExitCode(), 0u);
  EXPECT_FALSE(SharedMemoryExists("TALLOWWICKSYSTEMDATA"));
  EXPECT_FALSE(SharedMemoryExists("TALLOWWICKGRAPHICSDATA"));
}

TEST_F(Startup, SilentStartStaysResidentWithItsIconAndTheThreeViews) {
  TestInstallation installation;
  Process program = installation.Start("/s");
  HWND window = WaitForRunningInstance(program);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(TrayIconExists(window, 1024));
  EXPECT_TRUE(FileExists(installation.UserBaseDir() + "Default\\User.dat"));

  const struct {
    const char* name;
    size_t size;
    std::string kind;
  } views[] = {{"TALLOWWICKGRAPHICSDATA", 100196, "GRAPHICS"},
               {"TALLOWWICKSYSTEMDATA", 7168, std::string("\0\0SYSTEM", 8)},
               {"TALLOWWICKUSERDATA", 3072, std::string("\0\0\0\0USER", 8)}};
  for (const auto& view : views) {
    SCOPED_TRACE(view.name);
    std::string bytes = ReadSharedMemory(view.name, view.size + 4096);
    // Views are whole pages: the block covers the size rounded up to the page.
    EXPECT_EQ(bytes.size(), (view.size + 4095) / 4096 * 4096);
    EXPECT_EQ(bytes.substr(0, 16), std::string("QVDF\0\0\0\0TALOWICK", 16));
    EXPECT_EQ(bytes.substr(16, 8), view.kind);
  }

  Process terminator = installation.Start("/t");
  ASSERT_TRUE(program.WaitForExit(kTimeout));
  EXPECT_FALSE(TrayIconExists(window, 1024));
  EXPECT_FALSE(SharedMemoryExists("TALLOWWICKUSERDATA"));
}

TEST_F(Startup, TerminateSwitchWithoutARunningInstanceEndsQuietly) {
  TestInstallation installation;
  Process program = installation.Start("/t");
  ASSERT_TRUE(program.WaitForExit(kTimeout));
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_EQ(FindWindowA(kMainClass, nullptr), nullptr);
}

}  // namespace
}  // namespace talo::test

// Combination codes: display names, status byte rules and content file names.
#include "data/combination.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/mapped_view.h"
#include "tests/support/unique_name.h"

namespace talo {
namespace {

// A block laid out like the system data: status bytes at 1024 + code, key names at 3072 + 16 * key.
class SystemTables : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(view_.Create(test::UniqueName("system").c_str(), 7168)); }
  void SetKeyName(int virtual_key, const std::string& bytes) {
    std::memcpy(view_.View() + 3072 + 16 * virtual_key, bytes.data(), bytes.size());
  }
  void SetStatus(int code, unsigned char status) { view_.View()[1024 + code] = status; }

  TMappedView view_;
};

TEST_F(SystemTables, DisplayNamePutsShiftCtrlAltInThatOrderBeforeTheKeyName) {
  SetKeyName(0x30, "0");
  SetKeyName(0x70, "F1");
  SetKeyName(0x41, "A");
  struct Case {
    int code;
    const char* expected;
  } cases[] = {
      {0x0730, "Shift + Ctrl + Alt + 0"},
      {0x0670, "Ctrl + Alt + F1"},
      {0x0141, "Shift + A"},
      {0x0041, "A"},
      {0x0570, "Shift + Alt + F1"},
      {0x0230, "Ctrl + 0"},
      {0x0441, "Alt + A"},
  };
  for (const Case& c : cases) {
    char name[64];
    EXPECT_EQ(DisplayName(view_, c.code, name, sizeof name), int(std::strlen(c.expected)));
    EXPECT_STREQ(name, c.expected) << std::hex << c.code;
  }
}

TEST_F(SystemTables, KeyWithoutNameHasEmptyDisplayNameWhateverTheModifiers) {
  SetKeyName(0x41, "A");
  for (int code : {0x0007, 0x0107, 0x0707}) {
    char name[64] = "stale";
    EXPECT_EQ(DisplayName(view_, code, name, sizeof name), 0);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(KeyName(view_, code, name, sizeof name), 0);
    EXPECT_STREQ(name, "");
  }
}

TEST_F(SystemTables, DamagedKeyNameOfSixteenBytesIsCutToFifteen) {
  SetKeyName(0x42, "ABCDEFGHIJKLMNOP");
  SetKeyName(0x43, "after");
  char name[64];
  EXPECT_EQ(KeyName(view_, 0x42, name, sizeof name), 15);
  EXPECT_STREQ(name, "ABCDEFGHIJKLMNO");
  EXPECT_EQ(DisplayName(view_, 0x0742, name, sizeof name), 36);
  EXPECT_STREQ(name, "Shift + Ctrl + Alt + ABCDEFGHIJKLMNO");
}

TEST_F(SystemTables, KeyNameReadsTheBaseKeyWhateverTheModifiers) {
  SetKeyName(0x70, "F1");
  char name[16];
  EXPECT_EQ(KeyName(view_, 0x0770, name, sizeof name), 2);
  EXPECT_STREQ(name, "F1");
}

TEST_F(SystemTables, DisplayNameIsCutToTheCallersBuffer) {
  SetKeyName(0x41, "A");
  char guarded[16];
  std::memset(guarded, '#', sizeof guarded);
  EXPECT_EQ(DisplayName(view_, 0x0341, guarded, 10), 9);
  EXPECT_STREQ(guarded, "Shift + C");
  EXPECT_EQ(guarded[10], '#');
}

TEST_F(SystemTables, StatusByteDecidesAvailabilityAndCommonUse) {
  struct Case {
    unsigned char status;
    bool available;
    bool commonly_used;
  } cases[] = {
      {0x00, false, false}, {0x01, false, false}, {0x10, false, false}, {0x11, false, false},
      {0x02, true, true},   {0x12, true, true},   {0x13, true, false},  {0x20, true, false},
      {0x21, true, false},  {0x03, true, false},  {0xFF, true, false},
  };
  int code = 0x0100;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "status 0x" << std::hex << int(c.status));
    ++code;
    SetStatus(code, c.status);
    unsigned char status = 0;
    EXPECT_TRUE(SystemStatus(view_, code, status));
    EXPECT_EQ(status, c.status);
    bool available = !c.available;
    EXPECT_TRUE(IsAvailable(view_, code, available));
    EXPECT_EQ(available, c.available);
    EXPECT_EQ(IsAvailableStatus(c.status), c.available);
    EXPECT_EQ(IsCommonlyUsedStatus(c.status), c.commonly_used);
  }
}

TEST_F(SystemTables, KeyHasAnAvailableCombinationWhenAnyModifierSetIsAvailable) {
  for (int modifiers = 0; modifiers < 8; ++modifiers) {
    SetStatus((modifiers << 8) | 0x41, 0x11);
    SetStatus((modifiers << 8) | 0x42, 0x10);
  }
  SetStatus(0x0742, 0x13);  // only Shift + Ctrl + Alt + B
  bool available = true;
  EXPECT_TRUE(KeyHasAvailableCombination(view_, 0x41, available));
  EXPECT_FALSE(available);
  EXPECT_TRUE(KeyHasAvailableCombination(view_, 0x42, available));
  EXPECT_TRUE(available);
}

TEST_F(SystemTables, CodesOutsideTheTablesFailWithClearedOutputs) {
  SetKeyName(0x41, "A");
  unsigned char status = 0xAA;
  bool available = true;
  char name[64] = "stale";
  EXPECT_FALSE(SystemStatus(view_, 0x800, status));
  EXPECT_EQ(status, 0);
  EXPECT_FALSE(IsAvailable(view_, -1, available));
  EXPECT_FALSE(available);
  EXPECT_EQ(DisplayName(view_, 0x841, name, sizeof name), 0);
  EXPECT_STREQ(name, "");
  available = true;
  EXPECT_FALSE(KeyHasAvailableCombination(view_, 0x100, available));
  EXPECT_FALSE(available);
}

TEST(SystemTableQueries, FailWithClearedOutputsUnlessTheViewIsOpenAtExactlySystemDataSize) {
  TMappedView closed;
  TMappedView smaller, larger, user_sized;
  ASSERT_TRUE(smaller.Create(test::UniqueName("smaller").c_str(), 7167));
  ASSERT_TRUE(larger.Create(test::UniqueName("larger").c_str(), 7169));
  ASSERT_TRUE(user_sized.Create(test::UniqueName("user").c_str(), 3072));
  // Content that would answer every query if the size were right.
  for (TMappedView* view : {&smaller, &larger}) {
    std::memcpy(view->View() + 3072 + 16 * 0x41, "A", 2);
    std::memset(view->View() + 1024, 0x20, 2048);
  }
  for (const TMappedView* view : {&closed, &smaller, &larger, &user_sized}) {
    SCOPED_TRACE(testing::Message() << "view size " << view->Size());
    char name[64] = "stale";
    EXPECT_EQ(KeyName(*view, 0x41, name, sizeof name), 0);
    EXPECT_STREQ(name, "");
    std::strcpy(name, "stale");
    EXPECT_EQ(DisplayName(*view, 0x141, name, sizeof name), 0);
    EXPECT_STREQ(name, "");
    unsigned char status = 0xAA;
    EXPECT_FALSE(SystemStatus(*view, 0x41, status));
    EXPECT_EQ(status, 0);
    bool available = true;
    EXPECT_FALSE(IsAvailable(*view, 0x41, available));
    EXPECT_FALSE(available);
    available = true;
    EXPECT_FALSE(KeyHasAvailableCombination(*view, 0x41, available));
    EXPECT_FALSE(available);
  }
}

TEST(AssignmentKinds, ChooseTheContentFileExtension) {
  struct Case {
    int value;
    const char* extension;
    bool shortcut;
  } cases[] = {
      {0, nullptr, false}, {1, ".lnk", true},    {2, ".pif", true},  {3, ".url", true},
      {4, nullptr, false}, {7, nullptr, false},  {8, ".txt", false}, {9, nullptr, false},
      {12, ".obj", false}, {15, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    // Enabled bit set: the kind is the low four bits of the user status byte.
    AssignmentKind kind = KindOfStatus(static_cast<unsigned char>(0x10 | c.value));
    EXPECT_EQ(static_cast<int>(kind), c.value);
    const char* extension = AssignmentExtension(kind);
    if (c.extension)
      EXPECT_STREQ(extension, c.extension);
    else
      EXPECT_EQ(extension, nullptr);
    EXPECT_EQ(IsShortcutKind(kind), c.shortcut);
  }
}

TEST(ContentFileNames, AreFolderCodeInFourUpperCaseHexDigitsAndExtension) {
  struct Case {
    int code;
    const char* extension;
    const char* expected;
  } cases[] = {
      {0x000, ".dat", "C:\\Data\\0000.dat"}, {0x7FF, ".dat", "C:\\Data\\07FF.dat"},
      {0x241, ".txt", "C:\\Data\\0241.txt"}, {0x6AB, ".obj", "C:\\Data\\06AB.obj"},
      {0x0CF, ".lnk", "C:\\Data\\00CF.lnk"},
  };
  for (const Case& c : cases) {
    char path[772];
    EXPECT_EQ(FormatCombinationFileName(path, sizeof path, "C:\\Data\\", c.code, c.extension),
              int(std::strlen(c.expected)));
    EXPECT_STREQ(path, c.expected);
  }
  char path[772];
  EXPECT_EQ(FormatWorkingFileName(path, sizeof path, "C:\\Data\\", "0A1B2C3D", ".lnk"), 24);
  EXPECT_STREQ(path, "C:\\Data\\Temp0A1B2C3D.lnk");
}

TEST(ContentFileNames, MissingPartsOrForeignCodesGiveAnEmptyName) {
  struct Case {
    const char* folder;
    int code;
    const char* extension;
  } cases[] = {
      {nullptr, 0x41, ".txt"},       {"", 0x41, ".txt"},
      {"C:\\Data\\", 0x41, nullptr}, {"C:\\Data\\", 0x800, ".txt"},
      {"C:\\Data\\", -1, ".txt"},
  };
  for (const Case& c : cases) {
    char path[772] = "stale";
    EXPECT_EQ(FormatCombinationFileName(path, sizeof path, c.folder, c.code, c.extension), 0);
    EXPECT_STREQ(path, "");
  }
  char path[772] = "stale";
  EXPECT_EQ(FormatWorkingFileName(path, sizeof path, nullptr, "0A1B2C3D", ".obj"), 0);
  EXPECT_STREQ(path, "");
  std::strcpy(path, "stale");
  EXPECT_EQ(FormatWorkingFileName(path, sizeof path, "C:\\Data\\", "0A1B2C3D", nullptr), 0);
  EXPECT_STREQ(path, "");
}

TEST(ContentFileNames, ANameThatWouldNotFitIsRefusedWithoutWritingPastTheBuffer) {
  struct Guarded {
    char path[772];
    char guard[16];
  };
  // 763 + "0241" + ".txt" is exactly 771 characters: the longest path there is room for.
  std::string fitting_folder = "C:\\" + std::string(759, 'f') + "\\";
  ASSERT_EQ(fitting_folder.size(), 763u);
  for (const std::string& folder : {fitting_folder + "x", fitting_folder + std::string(900, 'x')}) {
    Guarded out;
    std::memset(&out, '#', sizeof out);
    EXPECT_EQ(FormatCombinationFileName(out.path, sizeof out.path, folder.c_str(), 0x241, ".txt"),
              0);
    EXPECT_STREQ(out.path, "");
    EXPECT_EQ(FormatWorkingFileName(out.path, sizeof out.path, folder.c_str(), "", ".txt"), 0);
    EXPECT_STREQ(out.path, "");
    EXPECT_EQ(std::string(out.guard, sizeof out.guard), std::string(16, '#'));
  }
  Guarded out;
  std::memset(&out, '#', sizeof out);
  EXPECT_EQ(
      FormatCombinationFileName(out.path, sizeof out.path, fitting_folder.c_str(), 0x241, ".txt"),
      771);
  EXPECT_EQ(std::string(out.path), fitting_folder + "0241.txt");
  EXPECT_EQ(std::string(out.guard, sizeof out.guard), std::string(16, '#'));

  char small[8];
  EXPECT_EQ(FormatCombinationFileName(small, sizeof small, "C:\\", 0x241, ".txt"), 0);
  EXPECT_STREQ(small, "");
}

}  // namespace
}  // namespace talo

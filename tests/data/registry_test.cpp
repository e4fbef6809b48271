// Registry helpers over full key paths, against the real registry of the test prefix.
#include "data/registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "tests/support/saved_registry.h"

namespace talo {
namespace {

using test::SavedRegistryKey;

struct ParseCase {
  const char* path;
  HKEY root;  // null: refused
  const char* subkey;
};

TEST(RegistryKeyPath, RootsAreRecognisedAndTheSubkeyLosesOuterBackslashes) {
  const ParseCase cases[] = {
      {"HKEY_CURRENT_USER\\Software\\Quintavel Software", HKEY_CURRENT_USER,
       "Software\\Quintavel Software"},
      {"HKEY_LOCAL_MACHINE\\Software", HKEY_LOCAL_MACHINE, "Software"},
      {"HKEY_CLASSES_ROOT\\.txt", HKEY_CLASSES_ROOT, ".txt"},
      {"HKEY_USERS\\.DEFAULT", HKEY_USERS, ".DEFAULT"},
      {"hkey_current_user\\Software", HKEY_CURRENT_USER, "Software"},
      {"Hkey_Local_Machine\\Software", HKEY_LOCAL_MACHINE, "Software"},
      {"\\\\HKEY_CURRENT_USER\\\\Software\\Run\\\\", HKEY_CURRENT_USER, "Software\\Run"},
      {"HKEY_CURRENT_USER\\Software\\", HKEY_CURRENT_USER, "Software"},
      // Refused: a root alone, with only backslashes after it, or an unknown root.
      {"HKEY_CURRENT_USER", nullptr, ""},
      {"HKEY_CURRENT_USER\\\\\\", nullptr, ""},
      {"HKEY_CURRENT_CONFIG\\Software", nullptr, ""},
      {"HKCU\\Software", nullptr, ""},
      {"HKEY_CURRENT_USERS\\Software", nullptr, ""},
      {"Software\\Quintavel Software", nullptr, ""},
      {"", nullptr, ""},
  };
  for (const ParseCase& c : cases) {
    HKEY root = HKEY_PERFORMANCE_DATA;  // must be replaced or cleared
    char subkey[256] = "old";
    int length = ParseKeyPath(c.path, &root, subkey, sizeof subkey);
    EXPECT_EQ(c.root, root) << c.path;
    EXPECT_STREQ(c.subkey, subkey) << c.path;
    EXPECT_EQ(static_cast<int>(std::strlen(c.subkey)), length) << c.path;
  }
}

TEST(RegistryKeyPath, ASubkeyTooLongForTheBufferIsRefusedNotCut) {
  HKEY root = nullptr;
  char subkey[9] = "old";
  EXPECT_EQ(0, ParseKeyPath("HKEY_CURRENT_USER\\Software\\X", &root, subkey, sizeof subkey));
  EXPECT_EQ(nullptr, root);
  EXPECT_STREQ("", subkey);
  EXPECT_EQ(8, ParseKeyPath("HKEY_CURRENT_USER\\Software", &root, subkey, sizeof subkey));
}

class RegistryValues : public ::testing::Test {
 protected:
  static constexpr const char* kSubkey = "Software\\Quintavel Software\\TallowickTest";
  static constexpr const char* kPath =
      "HKEY_CURRENT_USER\\Software\\Quintavel Software\\TallowickTest\\Values";
  SavedRegistryKey saved_{HKEY_CURRENT_USER, kSubkey};
};

TEST_F(RegistryValues, WrittenValuesReadBackWithTheirTypeCodeAndLength) {
  const unsigned char bytes[] = {1, 2, 3, 0, 5, 6};
  std::uint32_t number = 0x12345678;
  ASSERT_TRUE(WriteValue(kPath, "Binary", bytes, kRegTypeBinary, sizeof bytes));
  ASSERT_TRUE(WriteValue(kPath, "Number", &number, kRegTypeDword, 4));
  ASSERT_TRUE(WriteValue(kPath, "Text", "C:\\Tallowick\\", kRegTypeText, 0));
  ASSERT_TRUE(WriteValue(kPath, "Empty", bytes, kRegTypeBinary, -5));

  unsigned char buffer[64];
  int type = -1, length = -1;
  ASSERT_TRUE(ReadValue(buffer, &type, &length, kPath, "Binary", sizeof buffer));
  EXPECT_EQ(kRegTypeBinary, type);
  ASSERT_EQ(6, length);
  EXPECT_EQ(0, std::memcmp(bytes, buffer, 6));

  ASSERT_TRUE(ReadValue(buffer, &type, &length, kPath, "Number", sizeof buffer));
  EXPECT_EQ(kRegTypeDword, type);
  EXPECT_EQ(4, length);
  std::uint32_t read_number = 0;
  std::memcpy(&read_number, buffer, 4);
  EXPECT_EQ(number, read_number);

  ASSERT_TRUE(ReadValue(buffer, &type, &length, kPath, "Text", sizeof buffer));
  EXPECT_EQ(kRegTypeText, type);
  EXPECT_EQ(13, length);
  EXPECT_STREQ("C:\\Tallowick\\", reinterpret_cast<char*>(buffer));
  EXPECT_EQ("C:\\Tallowick\\",
            test::ReadRegistryText(HKEY_CURRENT_USER, std::string(kSubkey) + "\\Values", "Text"));

  ASSERT_TRUE(ReadValue(buffer, &type, &length, kPath, "Empty", sizeof buffer));
  EXPECT_EQ(kRegTypeBinary, type);
  EXPECT_EQ(0, length);
}

TEST_F(RegistryValues, AFailedReadZeroesTheStartOfTheBufferAndReportsAnEmptyText) {
  ASSERT_TRUE(WriteValue(kPath, "Long", "longer than eight", kRegTypeText, 0));
  const char* missing_cases[][2] = {
      {kPath, "Missing"},
      {"HKEY_CURRENT_USER\\Software\\Quintavel Software\\TallowickTest\\NoKey", "Long"},
      {"HKEY_NOWHERE\\Software", "Long"},
      {kPath, "Long"},  // does not fit the 8-byte buffer
  };
  for (const auto& c : missing_cases) {
    unsigned char buffer[8];
    std::memset(buffer, 0xAB, sizeof buffer);
    int type = -1, length = -1;
    EXPECT_FALSE(ReadValue(buffer, &type, &length, c[0], c[1], sizeof buffer)) << c[0];
    EXPECT_EQ(kRegTypeText, type);
    EXPECT_EQ(0, length);
    EXPECT_EQ(0, buffer[0] | buffer[1] | buffer[2] | buffer[3]);
    EXPECT_EQ(0xAB, buffer[4]);
  }
}

TEST_F(RegistryValues, ATextFillingTheBufferWithoutTerminatorIsRefused) {
  const std::string subkey = std::string(kSubkey) + "\\Values";
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0,
                                           KEY_SET_VALUE, nullptr, &key, nullptr));
  RegSetValueExA(key, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abcd"), 4);
  RegCloseKey(key);

  char buffer[5] = "zzzz";
  int length = -1;
  ASSERT_TRUE(ReadValue(buffer, nullptr, &length, kPath, "Bare", sizeof buffer));
  EXPECT_STREQ("abcd", buffer);
  EXPECT_EQ(4, length);
  char exact[4];
  EXPECT_FALSE(ReadValue(exact, nullptr, &length, kPath, "Bare", sizeof exact));
}

TEST_F(RegistryValues, DeletingRemovesTheValueAndFailsWhenItIsAbsent) {
  const std::string subkey = std::string(kSubkey) + "\\Values";
  ASSERT_TRUE(WriteValue(kPath, "Doomed", "x", kRegTypeText, 0));
  EXPECT_FALSE(ValueIsAbsent(kPath, "Doomed"));
  EXPECT_TRUE(DeleteValue(kPath, "Doomed"));
  EXPECT_FALSE(test::RegistryValueExists(HKEY_CURRENT_USER, subkey, "Doomed"));
  EXPECT_TRUE(ValueIsAbsent(kPath, "Doomed"));
  EXPECT_FALSE(DeleteValue(kPath, "Doomed"));

  const char* no_key = "HKEY_CURRENT_USER\\Software\\Quintavel Software\\TallowickTest\\NoKey";
  EXPECT_FALSE(DeleteValue(no_key, "Doomed"));
  EXPECT_TRUE(ValueIsAbsent(no_key, "Doomed"));
  EXPECT_FALSE(ValueIsAbsent("HKEY_NOWHERE\\Software", "Doomed"));
}

}  // namespace
}  // namespace talo

// The shipped "System.dat" as the program loads it: key names, the status policy and the header.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "data/combination.h"
#include "data/sys_data.h"
#include "tests/support/temp_folder.h"
#include "tests/support/win_driver.h"

namespace talo {
namespace {

// The Tags of the main window's 104 key images, row by row; the right Ctrl, Alt and Windows keys
// repeat the codes of their left twins, 14 is the keypad Enter and 15 the right Shift.
// clang-format off
constexpr int kPictureKeys[] = {
    27, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 44, 145, 19,
    192, 49, 50, 51, 52, 53, 54, 55, 56, 57, 48, 189, 187, 8, 45, 36, 33, 144, 111, 106, 109,
    9, 81, 87, 69, 82, 84, 89, 85, 73, 79, 80, 219, 221, 220, 46, 35, 34, 103, 104, 105, 107,
    20, 65, 83, 68, 70, 71, 72, 74, 75, 76, 186, 222, 13, 100, 101, 102,
    16, 90, 88, 67, 86, 66, 78, 77, 188, 190, 191, 15, 38, 97, 98, 99, 14,
    17, 91, 18, 32, 18, 91, 93, 17, 37, 40, 39, 96, 110,
};
// clang-format on
static_assert(sizeof kPictureKeys / sizeof kPictureKeys[0] == 104, "one Tag per key image");

// Keys of the picture that no modifier set makes assignable: the modifiers, the Windows and
// Applications keys, the lock keys, Print Screen and the keypad Enter.
constexpr int kNeverAvailableKeys[] = {16, 15, 17, 18, 91, 93, 20, 144, 145, 44, 14};

bool IsPictureKey(int virtual_key) {
  return std::find(std::begin(kPictureKeys), std::end(kPictureKeys), virtual_key) !=
         std::end(kPictureKeys);
}

bool IsNeverAvailable(int virtual_key) {
  return std::find(std::begin(kNeverAvailableKeys), std::end(kNeverAvailableKeys), virtual_key) !=
         std::end(kNeverAvailableKeys);
}

class ShippedSystemData : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(data_.CreateView());
    ASSERT_TRUE(data_.LoadFile(test::InstallFolder().c_str()))
        << "System.dat is missing from " << test::InstallFolder() << " or of another version";
  }

  std::string Name(int code) const {
    char name[kDisplayNameCapacity];
    DisplayName(data_, code, name, sizeof name);
    return name;
  }

  TTaloSysData data_;
};

TEST_F(ShippedSystemData, EveryKeyOfThePictureHasItsOwnName) {
  std::set<std::string> names;
  std::set<int> keys(std::begin(kPictureKeys), std::end(kPictureKeys));
  for (int key : keys) {
    char name[kKeyNameEntrySize];
    EXPECT_GT(KeyName(data_, key, name, sizeof name), 0) << "key " << key;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), keys.size()) << "two keys share a name";
}

TEST_F(ShippedSystemData, KeysOffThePictureHaveNoNameAndNoAvailableCombination) {
  for (int key = 0; key < 256; ++key) {
    if (IsPictureKey(key)) continue;
    char name[kKeyNameEntrySize] = "stale";
    EXPECT_EQ(KeyName(data_, key, name, sizeof name), 0) << "key " << key << " is named " << name;
    bool available = true;
    ASSERT_TRUE(KeyHasAvailableCombination(data_, key, available));
    EXPECT_FALSE(available) << "key " << key;
  }
}

TEST_F(ShippedSystemData, KeysAndCombinationsReadAsUsersExpect) {
  struct Case {
    int code;
    const char* expected;
  } cases[] = {
      {0x1B, "Esc"},
      {0x70, "F1"},
      {0x7B, "F12"},
      {0x08, "Backspace"},
      {0x67, "Num 7"},
      {0x91, "Scroll Lock"},
      {0x2C, "Print Screen"},
      {0x13, "Pause"},
      {0x0E, "Num Enter"},
      {0x0F, "Right Shift"},
      {0x5D, "Applications"},
      {0x22, "Page Down"},
      {0x25, "Left Arrow"},
      {0xC0, "`"},
      {0xBC, ","},
      {0x0674, "Ctrl + Alt + F5"},
      {0x0473, "Alt + F4"},
      {0x0141, "Shift + A"},
      {0x0730, "Shift + Ctrl + Alt + 0"},
      {0x062E, "Ctrl + Alt + Delete"},
      {0x0220, "Ctrl + Space"},
      {0x026B, "Ctrl + Num +"},
  };
  for (const Case& c : cases) EXPECT_EQ(Name(c.code), c.expected) << std::hex << c.code;
}

enum class Expected { kUnavailable, kCommonlyUsed, kAvailable };

TEST_F(ShippedSystemData, PolicyKeepsSystemAndTypingKeysAndWarnsAboutCommonOnes) {
  struct Case {
    int code;
    Expected expected;
  } cases[] = {
      // Taken by Windows before any program sees them.
      {0x0409, Expected::kUnavailable},  // Alt + Tab
      {0x0509, Expected::kUnavailable},  // Shift + Alt + Tab
      {0x062E, Expected::kUnavailable},  // Ctrl + Alt + Delete
      {0x066E, Expected::kUnavailable},  // Ctrl + Alt + Num .
      {0x0473, Expected::kUnavailable},  // Alt + F4
      {0x021B, Expected::kUnavailable},  // Ctrl + Esc
      {0x041B, Expected::kUnavailable},  // Alt + Esc
      {0x031B, Expected::kUnavailable},  // Shift + Ctrl + Esc
      {0x0213, Expected::kUnavailable},  // Ctrl + Pause arrives as Break
      {0x042C, Expected::kUnavailable},  // Alt + Print Screen
      // Typing and moving the caret.
      {0x0041, Expected::kUnavailable},  // A
      {0x0141, Expected::kUnavailable},  // Shift + A
      {0x01BF, Expected::kUnavailable},  // Shift + /
      {0x000D, Expected::kUnavailable},  // Enter
      {0x0109, Expected::kUnavailable},  // Shift + Tab
      {0x001B, Expected::kUnavailable},  // Esc
      {0x0020, Expected::kUnavailable},  // Space
      {0x0125, Expected::kUnavailable},  // Shift + Left Arrow
      {0x0065, Expected::kUnavailable},  // Num 5
      {0x0461, Expected::kUnavailable},  // Alt + Num 1 types a character code
      // Commonly used: assignable with a warning.
      {0x0243, Expected::kCommonlyUsed},  // Ctrl + C
      {0x0256, Expected::kCommonlyUsed},  // Ctrl + V
      {0x0258, Expected::kCommonlyUsed},  // Ctrl + X
      {0x025A, Expected::kCommonlyUsed},  // Ctrl + Z
      {0x0259, Expected::kCommonlyUsed},  // Ctrl + Y
      {0x0241, Expected::kCommonlyUsed},  // Ctrl + A
      {0x0253, Expected::kCommonlyUsed},  // Ctrl + S
      {0x024F, Expected::kCommonlyUsed},  // Ctrl + O
      {0x024E, Expected::kCommonlyUsed},  // Ctrl + N
      {0x0250, Expected::kCommonlyUsed},  // Ctrl + P
      {0x0246, Expected::kCommonlyUsed},  // Ctrl + F
      {0x0257, Expected::kCommonlyUsed},  // Ctrl + W
      {0x0446, Expected::kCommonlyUsed},  // Alt + F
      {0x0070, Expected::kCommonlyUsed},  // F1
      {0x0179, Expected::kCommonlyUsed},  // Shift + F10
      {0x0645, Expected::kCommonlyUsed},  // Ctrl + Alt + E, AltGr + E
      {0x0420, Expected::kCommonlyUsed},  // Alt + Space
      {0x0209, Expected::kCommonlyUsed},  // Ctrl + Tab
      // Free to assign.
      {0x0674, Expected::kAvailable},  // Ctrl + Alt + F5
      {0x034B, Expected::kAvailable},  // Shift + Ctrl + K
      {0x054B, Expected::kAvailable},  // Shift + Alt + K
      {0x0075, Expected::kAvailable},  // F6
      {0x0171, Expected::kAvailable},  // Shift + F1
      {0x0013, Expected::kAvailable},  // Pause
      {0x0265, Expected::kAvailable},  // Ctrl + Num 5
      {0x0661, Expected::kAvailable},  // Ctrl + Alt + Num 1
  };
  for (const Case& c : cases) {
    unsigned char status = 0xFF;
    bool available = false;
    ASSERT_TRUE(SystemStatus(data_, c.code, status));
    ASSERT_TRUE(IsAvailable(data_, c.code, available));
    Expected actual = !available                     ? Expected::kUnavailable
                      : IsCommonlyUsedStatus(status) ? Expected::kCommonlyUsed
                                                     : Expected::kAvailable;
    EXPECT_EQ(int(actual), int(c.expected))
        << Name(c.code) << ", status 0x" << std::hex << int(status);
  }
}

TEST_F(ShippedSystemData, ModifierLockWindowsAndUnseenKeysAreUnavailableWithEveryModifierSet) {
  for (int key : kNeverAvailableKeys) {
    for (int modifier_set = 0; modifier_set < kModifierSetCount; ++modifier_set) {
      bool available = true;
      ASSERT_TRUE(IsAvailable(data_, (modifier_set << 8) | key, available));
      EXPECT_FALSE(available) << Name((modifier_set << 8) | key);
    }
  }
}

TEST_F(ShippedSystemData, EveryOtherKeyOfThePictureCanBeSelected) {
  for (int key : kPictureKeys) {
    if (IsNeverAvailable(key)) continue;
    bool available = false;
    ASSERT_TRUE(KeyHasAvailableCombination(data_, key, available));
    EXPECT_TRUE(available) << Name(key);
  }
}

TEST_F(ShippedSystemData, StatusBytesAreOnlyTheThreeValuesOfTheRules) {
  for (int code = 0; code < kCombinationCount; ++code) {
    unsigned char status = 0xFF;
    ASSERT_TRUE(SystemStatus(data_, code, status));
    EXPECT_TRUE(status == 0x00 || status == 0x02 || status == 0x20)
        << std::hex << code << ": 0x" << int(status);
  }
}

TEST(ShippedSystemDataFile, HasTheFullSizeAndTheProgramsOwnHeader) {
  std::string file = test::ReadFileBytes(test::InstallFolder() + "System.dat");
  ASSERT_EQ(file.size(), 7168u);
  TTaloSysData fresh;
  ASSERT_TRUE(fresh.CreateView());
  std::string own_header(reinterpret_cast<const char*>(fresh.View()), kDataHeaderSize);
  EXPECT_EQ(file.substr(0, kHeaderIdentityAndVersionSize),
            own_header.substr(0, kHeaderIdentityAndVersionSize));
  // The texts after the version come from the same version resource too.
  EXPECT_EQ(file.substr(0, kDataHeaderSize), own_header);
}

}  // namespace
}  // namespace talo

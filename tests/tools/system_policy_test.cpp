// Reading the sources of the system data: the key name table and the status policy rules.
#include "tools/system_policy.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace talo {
namespace {

bool AllEmpty(const SystemKeyNames& names) {
  for (const std::string& name : names)
    if (!name.empty()) return false;
  return true;
}

// The codes whose status differs from unavailable, as "code=status" pairs in code order.
std::string Assigned(const SystemStatusTable& status) {
  std::string list;
  char entry[16];
  for (int code = 0; code < kCombinationCount; ++code) {
    if (status[code] == kUnavailableStatus) continue;
    std::snprintf(entry, sizeof entry, "%s%03X=%02X", list.empty() ? "" : " ", code, status[code]);
    list += entry;
  }
  return list;
}

TEST(SystemKeys, ReadsCodesInBothBasesNamesWithBlanksAndSkipsComments) {
  SystemKeyNames names;
  std::string error = "stale";
  ASSERT_TRUE(
      ParseSystemKeys("# keys\r\n"
                      "\n"
                      "0x1B  Esc\r\n"
                      "  112\tF1   # VK_F1\n"
                      "0x6e  Num .\n"
                      "0x21  Page Up\n"
                      "0x41  ABCDEFGHIJKLMNO",
                      names, error));
  EXPECT_EQ(error, "");
  EXPECT_EQ(names[0x1B], "Esc");
  EXPECT_EQ(names[0x70], "F1");
  EXPECT_EQ(names[0x6E], "Num .");
  EXPECT_EQ(names[0x21], "Page Up");
  EXPECT_EQ(names[0x41], "ABCDEFGHIJKLMNO");
  EXPECT_EQ(names[0x42], "");
}

TEST(SystemKeys, RefusesMalformedLinesNamingTheLine) {
  struct Case {
    const char* text;
    const char* error_start;
  } cases[] = {
      {"0x1B  Esc\n0x70", "line 2: a key needs a name"},
      {"Esc  0x1B", "line 1: \"Esc\" is no virtual-key code"},
      {"0x1G  Esc", "line 1: \"0x1G\" is no virtual-key code"},
      {"256  Big", "line 1: \"256\" is no virtual-key code"},
      {"-1  Minus", "line 1: \"-1\" is no virtual-key code"},
      {"0x41  A\n# ok\n0x41  Again", "line 3: the code 0x41 is named \"A\" already"},
      {"0x41  A\n0x42  A", "line 2: the name \"A\" is given to another key"},
      {"0x41  ABCDEFGHIJKLMNOP", "line 1: the key name \"ABCDEFGHIJKLMNOP\" is longer than 15"},
      {"0x41  A|B", "line 1: the key name \"A|B\" contains '|'"},
      {"0x41  A\x01", "line 1: the key name \"A\x01\" contains a control character"},
  };
  for (const Case& c : cases) {
    SystemKeyNames names;
    names[0x41] = "stale";
    std::string error;
    EXPECT_FALSE(ParseSystemKeys(c.text, names, error)) << c.text;
    EXPECT_EQ(error.rfind(c.error_start, 0), 0u) << c.text << " -> " << error;
    EXPECT_TRUE(AllEmpty(names)) << c.text;
  }
}

class SystemPolicy : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(
        ParseSystemKeys("0x09 Tab\n0x12 Alt\n0x41 A\n0x42 B\n0x43 C\n0x44 D\n"
                        "0x6B Num +\n0x70 F1\n0x71 F2\n0x72 F3\n0x74 F5\n",
                        names_, error))
        << error;
  }

  // The non-unavailable entries after applying `policy`, or "error: ..." when it is refused.
  std::string Apply(const std::string& policy) {
    SystemStatusTable status;
    std::string error;
    if (!ParseSystemPolicy(policy, names_, status, error)) return "error: " + error;
    return Assigned(status);
  }

  SystemKeyNames names_;
};

TEST_F(SystemPolicy, RulesSetTheirStatusForExactlyTheirModifierSet) {
  struct Case {
    const char* policy;
    const char* assigned;
  } cases[] = {
      {"available A  # free", "041=20"},
      {"common Shift+A  # warned", "141=02"},
      {"available Ctrl+Alt+A  # free", "641=20"},
      {"available Alt + Ctrl+A  # any order, blanks", "641=20"},
      {"available Shift+Ctrl+Alt+F1  # all three", "770=20"},
      {"available Ctrl+Alt  # the Alt key itself", "212=20"},
      {"common Ctrl+Num +  # a name with a plus", "26B=02"},
      {"available Any+Tab  # every set", "009=20 109=20 209=20 309=20 409=20 509=20 609=20 709=20"},
      {"# only a comment\n\n   \n", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Apply(c.policy), c.assigned) << c.policy;
}

TEST_F(SystemPolicy, LaterRulesOverrideEarlierOnesForTheCombinationsTheyName) {
  EXPECT_EQ(Apply("available Any+A  # start free\n"
                  "unavailable A    # typing\n"
                  "unavailable Shift+A  # typing\n"
                  "common Ctrl+A    # select all\n"),
            "241=02 341=20 441=20 541=20 641=20 741=20");
}

TEST_F(SystemPolicy, ListsRangesAndGroupsNameSeveralKeys) {
  EXPECT_EQ(Apply("group fkeys = F1..F3 | F5\n"
                  "group more = fkeys | Tab\n"
                  "available Shift+more  # free\n"
                  "common Ctrl+A..C | D  # range and list\n"),
            "109=20 170=20 171=20 172=20 174=20 241=02 242=02 243=02 244=02");
}

TEST_F(SystemPolicy, RefusesMalformedLinesNamingTheLineAndLeavesEverythingUnavailable) {
  struct Case {
    const char* policy;
    const char* error;
  } cases[] = {
      {"available A  # ok\navailable B", "line 2: the rule needs its reason after '#'"},
      {"allowed A  # no such status", "line 1: \"allowed\" is neither"},
      {"available Ctrl+Q  # unknown key", "line 1: unknown key or group \"Q\""},
      {"available Ctrl+  # modifier without key", "line 1: unknown key or group \"Ctrl+\""},
      {"available  # nothing named", "line 1: a key, range or group is missing"},
      {"available A | | B  # empty item", "line 1: a key, range or group is missing"},
      {"available Ctrl+Ctrl+A  # twice", "line 1: \"Ctrl+\" repeats a modifier"},
      {"available Any+Ctrl+A  # mixed", "line 1: \"Ctrl+\" repeats a modifier"},
      {"available Shift+Any+A  # mixed", "line 1: \"Any+\" repeats a modifier"},
      {"available C..A  # backwards", "line 1: the range \"C..A\" runs backwards"},
      {"available F1..F5  # F4 has no name", "line 1: the range \"F1..F5\" has a code without"},
      {"available A..Q  # unknown end", "line 1: the range \"A..Q\" needs a known key"},
      {"group fkeys F1 | F2", "line 1: a group is defined as"},
      {"group Fkeys = F1", "line 1: \"Fkeys\" is no group name"},
      {"group fkeys = F1\ngroup fkeys = F2", "line 2: the name \"fkeys\" is taken already"},
      {"group more = fkeys", "line 1: unknown key or group \"fkeys\""},
  };
  for (const Case& c : cases) {
    std::string result = Apply(c.policy);
    EXPECT_EQ(result.rfind(std::string("error: ") + c.error, 0), 0u)
        << c.policy << " -> " << result;
  }
  // A refused policy writes nothing, not even what its good lines said.
  SystemStatusTable status;
  status.fill(0x20);
  std::string error;
  EXPECT_FALSE(ParseSystemPolicy("available Any+A  # ok\nbroken", names_, status, error));
  EXPECT_EQ(Assigned(status), "");
}

}  // namespace
}  // namespace talo

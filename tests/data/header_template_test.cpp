// Data file header templates: product version numbers and the informative texts.
#include <gtest/gtest.h>

#include <string>

#include "data/binary_data.h"
#include "data/graph_data.h"
#include "data/sys_data.h"
#include "data/user_data.h"

namespace talo {
namespace {

TEST(ProductVersion, FirstFourRunsOfDigitsModulo65536WithMinusNegating) {
  struct Case {
    const char* text;
    int runs;
    unsigned short numbers[4];
  } cases[] = {
      {"1, 2, 0, 15", 4, {1, 2, 0, 15}},
      {"1.2.0.15", 4, {1, 2, 0, 15}},
      {"-1.70000", 2, {65535, 4464, 0, 0}},
      {"3", 1, {3, 0, 0, 0}},
      {"", 0, {0, 0, 0, 0}},
      {"beta", 0, {0, 0, 0, 0}},
      {"v1.2.3.4.5", 4, {1, 2, 3, 4}},
      {"7-2 - 3", 3, {7, 65534, 3, 0}},
      {"99999999999.65536", 2, {59391, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    unsigned short numbers[4] = {9, 9, 9, 9};
    EXPECT_EQ(ParseProductVersion(c.text, numbers), c.runs);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(numbers[i], c.numbers[i]) << i;
  }
  unsigned short numbers[4] = {9, 9, 9, 9};
  EXPECT_EQ(ParseProductVersion(nullptr, numbers), 0);
  EXPECT_EQ(numbers[0] | numbers[1] | numbers[2] | numbers[3], 0);
}

TEST(HeaderTemplate, TextsAreCutToTheirLimitsForEachKind) {
  const std::string long_version = "1.2.3.-4" + std::string(60, 'r');
  const std::string long_notice(80, 'c');
  struct Case {
    DataFileKind kind;
    std::string stored_tag;  // eight bytes, right-aligned
    std::string prefix;
    size_t version_chars;
  } cases[] = {
      {kSystemDataKind, std::string("\0\0SYSTEM", 8), "System Data File ", 30},
      {kUserDataKind, std::string("\0\0\0\0USER", 8), "User Data File ", 32},
      {kGraphicsDataKind, "GRAPHICS", "Graphics Data File ", 28},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.prefix);
    DataHeaderTemplate header;
    FillHeaderTemplate(header, c.kind, long_version.c_str(), long_notice.c_str());
    EXPECT_EQ(std::string(header.kind_tag, 8), c.stored_tag);
    EXPECT_EQ(std::string(header.description), c.prefix + long_version.substr(0, c.version_chars));
    EXPECT_EQ(std::string(header.description).size(), 47u);
    EXPECT_EQ(std::string(header.version_text), "Version " + long_version.substr(0, 39));
    EXPECT_EQ(std::string(header.legal_notice), long_notice.substr(0, 63));
    EXPECT_EQ(header.version[0], 1);
    EXPECT_EQ(header.version[3], 65532);
  }
}

}  // namespace
}  // namespace talo

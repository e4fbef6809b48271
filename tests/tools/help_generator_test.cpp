// The help generator on small sources: what it refuses, and files that the tests' reader reads
// back with the right topics, also when topics fill several blocks.
#include <gtest/gtest.h>

#include "tests/tools/help_file_reader.h"
#include "tools/help_file_writer.h"
#include "tools/help_source.h"

namespace talo::test {
namespace {

bool Parses(const std::string& text, std::string* error = nullptr) {
  HelpSource source;
  std::string message;
  bool ok = ParseHelpSource(text, source, message);
  if (error) *error = message;
  return ok;
}

ReadHelpFile Generate(const std::string& text) {
  HelpSource source;
  std::string error;
  EXPECT_TRUE(ParseHelpSource(text, source, error)) << error;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(BuildHelpFile(source, bytes, error)) << error;
  ReadHelpFile help;
  EXPECT_TRUE(ReadHelp(bytes, help, error)) << error;
  return help;
}

TEST(HelpSource, RefusesWhatTheHelpFileCouldNotResolve) {
  const std::string head = "@title T\n@topic a A\n";
  EXPECT_TRUE(Parses(head + "text [[a|self]]\n"));
  std::string error;
  EXPECT_FALSE(Parses(head + "see [[b|nothing]]\n", &error));
  EXPECT_NE(error.find("unknown topic b"), std::string::npos) << error;
  EXPECT_FALSE(Parses(head + "@topic b 5 B\n@topic c 5 C\n", &error));
  EXPECT_NE(error.find("context number 5"), std::string::npos) << error;
  EXPECT_FALSE(Parses(head + "@topic a Again\n"));
  EXPECT_FALSE(Parses("@title T\ntext\n@topic a A\n"));  // text before a topic
  EXPECT_FALSE(Parses("@topic a A\ntext\n"));            // no title
  EXPECT_FALSE(Parses(head + "caf\xc3\xa9\n"));          // not ASCII
  EXPECT_FALSE(Parses(head + "open [[a]] here\n"));      // link without words
  EXPECT_FALSE(Parses("@title T\n@topic a-b A\n"));      // name the hash cannot hold
}

// Topics past the first 4 KB block: offsets count the characters before them in their block.
TEST(HelpGenerator, TopicsInLaterBlocksKeepTheirOffsets) {
  std::string text = "@title T\n";
  const std::string sentence(300, 'x');
  for (int t = 0; t < 12; ++t) {
    text += "@topic t" + std::to_string(t) + " " + std::to_string(100 + t) + " Topic " +
            std::to_string(t) + "\n";
    for (int p = 0; p < 4; ++p) text += sentence + "\n\n";
  }
  ReadHelpFile help = Generate(text);
  ASSERT_EQ(help.topics.size(), 12u);
  EXPECT_GE(help.topics.back().offset, 3u * 0x8000) << "expected several blocks";
  bool mid_block = false;
  for (int t = 0; t < 12; ++t) {
    const ReadHelpTopic* topic = help.TopicAt(help.numbers.at(100 + t));
    ASSERT_NE(topic, nullptr) << t;
    EXPECT_EQ(topic->title, "Topic " + std::to_string(t));
    mid_block |= (topic->offset & 0x7FFF) != 0;
  }
  EXPECT_TRUE(mid_block) << "no topic starts inside a block";
}

TEST(HelpGenerator, RefusesAParagraphBiggerThanABlock) {
  HelpSource source;
  std::string error;
  ASSERT_TRUE(
      ParseHelpSource("@title T\n@topic a A\n" + std::string(5000, 'y') + "\n", source, error));
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(BuildHelpFile(source, bytes, error));
  EXPECT_NE(error.find("too long"), std::string::npos) << error;
}

}  // namespace
}  // namespace talo::test

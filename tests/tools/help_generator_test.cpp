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

TEST(HelpSource, ParagraphsItemsAndHeadings) {
  HelpSource source;
  std::string error;
  ASSERT_TRUE(
      ParseHelpSource("# comment\n@title T\n@topic a 7 The A\none\ntwo\n\n== Head\n"
                      "* item\n  more\n* next [[a|A]].\n",
                      source, error))
      << error;
  ASSERT_EQ(source.topics.size(), 1u);
  const HelpTopic& a = source.topics[0];
  EXPECT_TRUE(a.has_number);
  EXPECT_EQ(a.number, 7u);
  EXPECT_EQ(a.title, "The A");
  ASSERT_EQ(a.paragraphs.size(), 4u);
  EXPECT_EQ(a.paragraphs[0].runs[0].text, "one two");
  EXPECT_EQ(a.paragraphs[1].kind, HelpParagraphKind::kSubheading);
  EXPECT_EQ(a.paragraphs[2].kind, HelpParagraphKind::kBullet);
  EXPECT_EQ(a.paragraphs[2].runs[0].text, "item more");
  ASSERT_EQ(a.paragraphs[3].runs.size(), 3u);
  EXPECT_EQ(a.paragraphs[3].runs[1].jump_to, "a");
  EXPECT_EQ(a.paragraphs[3].runs[1].text, "A");
}

TEST(HelpGenerator, NumbersAndNamesLeadToTheirTopics) {
  ReadHelpFile help = Generate(
      "@title Caption\n@topic first Contents\nsee [[second|two]] and [[third|three]]\n"
      "@topic second 14 Two\nbody of two\n@topic third 18 Three\nbody of three\n");
  EXPECT_EQ(help.title, "Caption");
  ASSERT_EQ(help.topics.size(), 3u);
  EXPECT_EQ(help.TopicAt(help.contents)->title, "Contents");
  EXPECT_EQ(help.TopicAt(help.numbers.at(14))->title, "Two");
  EXPECT_EQ(help.TopicAt(help.numbers.at(18))->title, "Three");
  EXPECT_EQ(help.numbers.size(), 2u);
  EXPECT_EQ(help.TopicAt(help.hashes.at(ContextHash("third")))->title, "Three");
  EXPECT_NE(help.TopicAt(help.numbers.at(18))->text.find("body of three"), std::string::npos);
  ASSERT_EQ(help.topics[0].jumps.size(), 2u);
  EXPECT_EQ(static_cast<int32_t>(help.topics[0].jumps[1]), ContextHash("third"));
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

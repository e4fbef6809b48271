// The shipped help file, read back by the tests' own reader: every context number the program
// passes to ShowHelp opens a topic with real text, the contents topic is set, and every jump and
// context entry leads to a topic.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "forms/help_topics.h"
#include "tests/support/temp_folder.h"
#include "tests/support/win_driver.h"
#include "tests/tools/help_file_reader.h"

namespace talo::test {
namespace {

std::string SourceText(const std::string& relative) {
  std::ifstream in(SourceFolder() + relative, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The kHelp* constants forms/help_topics.h declares, by name: the numbers the program can open.
std::map<std::string, unsigned> DeclaredContexts() {
  std::map<std::string, unsigned> contexts;
  const std::string header = SourceText("forms\\help_topics.h");
  const std::regex constant(R"((kHelp\w+)\s*=\s*(\d+))");
  for (std::sregex_iterator it(header.begin(), header.end(), constant), end; it != end; ++it)
    contexts[(*it)[1]] = static_cast<unsigned>(std::stoul((*it)[2]));
  return contexts;
}

class ShippedHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string bytes = ReadFileBytes(InstallFolder() + "Talowick.hlp");
    ASSERT_FALSE(bytes.empty()) << "no Talowick.hlp in the install folder";
    std::string error;
    ASSERT_TRUE(ReadHelp(std::vector<uint8_t>(bytes.begin(), bytes.end()), help_, error)) << error;
  }
  ReadHelpFile help_;
};

TEST_F(ShippedHelp, EveryContextNumberOfTheProgramOpensATopicWithRealText) {
  const auto contexts = DeclaredContexts();
  ASSERT_EQ(contexts.size(), 5u) << "forms/help_topics.h changed: check the help source";
  EXPECT_EQ(contexts.at("kHelpMainWindow"), kHelpMainWindow);
  EXPECT_EQ(contexts.at("kHelpAssign"), kHelpAssign);
  for (const auto& [name, number] : contexts) {
    if (number == kHelpContents) continue;  // opened as the contents, not by number
    auto mapped = help_.numbers.find(number);
    ASSERT_NE(mapped, help_.numbers.end()) << name << " = " << number << " has no topic";
    const ReadHelpTopic* topic = help_.TopicAt(mapped->second);
    ASSERT_NE(topic, nullptr) << name << " maps between topics";
    EXPECT_GT(topic->text.size(), 400u) << name << ": " << topic->title;
  }
  EXPECT_EQ(help_.TopicAt(help_.numbers.at(kHelpMainWindow))->title, "The Main Window");
  EXPECT_EQ(help_.TopicAt(help_.numbers.at(kHelpList))->title, "The Assignment List");
  EXPECT_EQ(help_.TopicAt(help_.numbers.at(kHelpOptions))->title, "The Options");
  EXPECT_EQ(help_.TopicAt(help_.numbers.at(kHelpAssign))->title, "The Assignment Editor");
}

TEST_F(ShippedHelp, TheCodeOpensHelpOnlyThroughTheDeclaredContexts) {
  const auto contexts = DeclaredContexts();
  const std::regex call(R"((?:ShowHelp\(|show_help\(|menuHelp\.Attach\(\*this,\s*)(\w+)\))");
  int calls = 0;
  for (const char* file : {"app\\form_main.cpp", "forms\\help_menu.cpp", "forms\\form_list.cpp",
                           "forms\\form_options.cpp", "forms\\form_assign.cpp"}) {
    const std::string text = SourceText(file);
    ASSERT_FALSE(text.empty()) << file;
    for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it, ++calls) {
      std::string argument = (*it)[1];
      if (argument == "topic_") continue;  // the help menu passes on what Attach was given
      EXPECT_TRUE(contexts.count(argument)) << file << " opens help with " << argument;
    }
  }
  EXPECT_GE(calls, 6);
}

TEST_F(ShippedHelp, TheContentsTopicAndTheCaptionAreSet) {
  EXPECT_EQ(help_.title, "Tallowick Help");
  EXPECT_EQ(help_.caption, "Tallowick Help");
  const ReadHelpTopic* contents = help_.TopicAt(help_.contents);
  ASSERT_NE(contents, nullptr);
  EXPECT_EQ(contents->title, "Tallowick Help Contents");
  EXPECT_EQ(help_.topics.front().offset, help_.contents);
  // The contents lead to every topic the program opens by number.
  std::set<uint32_t> targets;
  for (uint32_t hash : contents->jumps) targets.insert(help_.hashes.at(static_cast<int32_t>(hash)));
  for (const auto& [number, offset] : help_.numbers)
    EXPECT_TRUE(targets.count(offset)) << "the contents do not lead to topic " << number;
}

TEST_F(ShippedHelp, EveryJumpAndContextEntryLeadsToATopic) {
  EXPECT_EQ(help_.hashes.size(), help_.topics.size());
  for (const auto& [hash, offset] : help_.hashes)
    EXPECT_NE(help_.TopicAt(offset), nullptr) << "context hash " << hash;
  for (const ReadHelpTopic& topic : help_.topics) {
    EXPECT_FALSE(topic.title.empty());
    for (uint32_t hash : topic.jumps)
      EXPECT_TRUE(help_.hashes.count(static_cast<int32_t>(hash)))
          << topic.title << " jumps nowhere";
  }
  EXPECT_EQ(help_.hashes.count(ContextHash("main_window")), 1u);
  EXPECT_EQ(help_.hashes.at(ContextHash("main_window")), help_.numbers.at(kHelpMainWindow));
}

}  // namespace
}  // namespace talo::test

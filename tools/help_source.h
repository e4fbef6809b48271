// The help text source: topics of plain paragraphs, read from a small line-based text format.
//
//   @title TEXT                    the help file's title (the help window's caption)
//   @topic NAME [NUMBER] TITLE     starts a topic; NUMBER is the context number the program
//                                  passes to WinHelp; the first topic is the contents topic
//   == TEXT                        a subheading
//   * TEXT                         a bulleted item (indented lines continue it)
//   TEXT                           body text; a blank line ends a paragraph
//   # TEXT                         a comment, at the start of a line
//
// Inside text, [[NAME|words]] is a jump to the topic NAME showing "words".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace talo {

enum class HelpParagraphKind { kBody, kSubheading, kBullet };

// A run of a paragraph: plain text, or the words of a jump to another topic.
struct HelpRun {
  std::string text;
  std::string jump_to;  // empty: plain text
};

struct HelpParagraph {
  HelpParagraphKind kind = HelpParagraphKind::kBody;
  std::vector<HelpRun> runs;
};

struct HelpTopic {
  std::string name;
  bool has_number = false;
  uint32_t number = 0;
  std::string title;
  std::vector<HelpParagraph> paragraphs;
};

struct HelpSource {
  std::string title;
  std::vector<HelpTopic> topics;
};

// Parses `text`; on failure returns false with `error` naming the line.
bool ParseHelpSource(const std::string& text, HelpSource& source, std::string& error);

}  // namespace talo

// Parsing of the help text source (format in help_source.h). Everything the help file cannot
// show or resolve is an error here, so that a bad source fails the build, not the user's F1.
#include "tools/help_source.h"

#include <cstdlib>
#include <set>
#include <sstream>

namespace talo {
namespace {

std::string Trim(const std::string& s) {
  size_t begin = s.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return "";
  size_t end = s.find_last_not_of(" \t\r");
  return s.substr(begin, end - begin + 1);
}

bool IsNumber(const std::string& s) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// Context names hash into the file's context tree: letters, digits, '.' and '_' only.
bool IsContextName(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '.' || c == '_';
    if (!ok) return false;
  }
  return true;
}

// Splits "text [[name|words]] text" into runs.
bool SplitRuns(const std::string& text, std::vector<HelpRun>& runs, std::string& error) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t open = text.find("[[", pos);
    if (open == std::string::npos) {
      runs.push_back({text.substr(pos), ""});
      break;
    }
    if (open > pos) runs.push_back({text.substr(pos, open - pos), ""});
    size_t close = text.find("]]", open);
    size_t bar = text.find('|', open);
    if (close == std::string::npos || bar == std::string::npos || bar > close) {
      error = "a link needs the form [[name|words]]";
      return false;
    }
    HelpRun jump{text.substr(bar + 1, close - bar - 1), text.substr(open + 2, bar - open - 2)};
    if (!IsContextName(jump.jump_to) || Trim(jump.text).empty()) {
      error = "a link needs a topic name and words";
      return false;
    }
    runs.push_back(jump);
    pos = close + 2;
  }
  return true;
}

}  // namespace

bool ParseHelpSource(const std::string& text, HelpSource& source, std::string& error) {
  source = HelpSource{};
  std::istringstream in(text);
  std::string line;
  int line_number = 0;
  HelpParagraph pending;
  std::string pending_text;
  auto fail = [&](const std::string& what) {
    error = "line " + std::to_string(line_number) + ": " + what;
    return false;
  };
  auto flush = [&]() {
    if (pending_text.empty()) return true;
    std::string split_error;
    if (!SplitRuns(pending_text, pending.runs, split_error)) return fail(split_error);
    source.topics.back().paragraphs.push_back(pending);
    pending = HelpParagraph{};
    pending_text.clear();
    return true;
  };

  while (std::getline(in, line)) {
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (unsigned char c : line)
      if (c >= 0x80 || (c < 0x20 && c != '\t')) return fail("only plain ASCII text is allowed");
    if (!line.empty() && line[0] == '#') continue;
    std::string trimmed = Trim(line);

    if (trimmed.rfind("@title ", 0) == 0) {
      source.title = Trim(trimmed.substr(7));
      continue;
    }
    if (trimmed.rfind("@topic ", 0) == 0) {
      if (!source.topics.empty() && !flush()) return false;
      std::istringstream words(trimmed.substr(7));
      HelpTopic topic;
      std::string word;
      words >> topic.name >> word;
      if (!IsContextName(topic.name))
        return fail("a topic needs a name of letters, digits, . and _");
      if (IsNumber(word)) {
        topic.has_number = true;
        topic.number = static_cast<uint32_t>(std::strtoul(word.c_str(), nullptr, 10));
        word.clear();
      }
      std::string rest;
      std::getline(words, rest);
      topic.title = Trim(word + rest);
      if (topic.title.empty()) return fail("a topic needs a title");
      source.topics.push_back(topic);
      continue;
    }
    if (trimmed.empty()) {
      if (!source.topics.empty() && !flush()) return false;
      continue;
    }
    if (source.topics.empty()) return fail("text before the first @topic");

    bool starts_item = trimmed.rfind("* ", 0) == 0;
    bool starts_heading = trimmed.rfind("== ", 0) == 0;
    if (starts_item || starts_heading) {
      if (!flush()) return false;
      pending.kind = starts_item ? HelpParagraphKind::kBullet : HelpParagraphKind::kSubheading;
      pending_text = Trim(trimmed.substr(starts_item ? 2 : 3));
      if (starts_heading && !flush()) return false;
      continue;
    }
    pending_text += (pending_text.empty() ? "" : " ") + trimmed;
  }
  if (!source.topics.empty() && !flush()) return false;

  line_number = 0;
  if (source.title.empty()) return fail("the source has no @title");
  if (source.topics.empty()) return fail("the source has no topic");
  std::set<std::string> names;
  std::set<uint32_t> numbers;
  for (const HelpTopic& topic : source.topics) {
    if (!names.insert(topic.name).second) return fail("topic " + topic.name + " appears twice");
    if (topic.has_number && !numbers.insert(topic.number).second)
      return fail("context number " + std::to_string(topic.number) + " appears twice");
  }
  for (const HelpTopic& topic : source.topics)
    for (const HelpParagraph& paragraph : topic.paragraphs)
      for (const HelpRun& run : paragraph.runs)
        if (!run.jump_to.empty() && !names.count(run.jump_to))
          return fail("topic " + topic.name + " links to the unknown topic " + run.jump_to);
  return true;
}

}  // namespace talo

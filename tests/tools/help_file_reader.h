// A reader of the shipped help file for the tests: it walks the file the way the help viewer
// does (directory, |SYSTEM, the topic chain, |CTXOMAP, |CONTEXT) and keeps what the tests check.
// It shares no code with the generator on purpose.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace talo::test {

struct ReadHelpTopic {
  uint32_t offset = 0;  // TOPICOFFSET: block * 0x8000 + characters before it in the block
  std::string title;
  std::string text;             // the paragraphs' characters
  std::vector<uint32_t> jumps;  // context hashes of its jumps
};

struct ReadHelpFile {
  std::string title;
  std::string caption;  // of the main window, when the file defines it
  uint32_t contents = 0xFFFFFFFF;
  std::map<std::string, uint32_t> files;  // internal files by name, offset of their header
  std::vector<ReadHelpTopic> topics;
  std::map<uint32_t, uint32_t> numbers;  // context number -> topic offset
  std::map<int32_t, uint32_t> hashes;    // context hash -> topic offset

  const ReadHelpTopic* TopicAt(uint32_t offset) const;
};

// False with `error` when the bytes are not a help file this reader understands.
bool ReadHelp(const std::vector<uint8_t>& bytes, ReadHelpFile& help, std::string& error);

// The hash of a context name, as the help viewer computes it for jumps and HELP_KEY.
int32_t ContextHash(const std::string& name);

}  // namespace talo::test

// The readable sources of the shipped system data: the key name table and the status policy.
#include "tools/system_policy.h"

#include <cstdlib>
#include <map>
#include <set>
#include <vector>

namespace talo {
namespace {

constexpr char kBlanks[] = " \t";

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

// The text split at line breaks; a carriage return before a break belongs to the break.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// A line without its comment, and the comment (a rule's reason) without its '#'.
struct SplitLine {
  std::string body;
  std::string comment;
};

SplitLine SplitComment(const std::string& line) {
  size_t hash = line.find('#');
  if (hash == std::string::npos) return {Trim(line), ""};
  return {Trim(line.substr(0, hash)), Trim(line.substr(hash + 1))};
}

// The first blank-separated word and the trimmed rest.
void SplitFirstWord(const std::string& text, std::string& word, std::string& rest) {
  size_t end = text.find_first_of(kBlanks);
  word = text.substr(0, end);
  rest = end == std::string::npos ? "" : Trim(text.substr(end));
}

std::string LineError(int line_number, const std::string& message) {
  return "line " + std::to_string(line_number) + ": " + message;
}

// A decimal or "0x" hexadecimal number from 0 to 255; -1 for anything else.
int ParseVirtualKey(const std::string& word) {
  bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
  std::string digits = hex ? word.substr(2) : word;
  const char* allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
  if (digits.empty() || digits.size() > 3 || digits.find_first_not_of(allowed) != std::string::npos)
    return -1;
  long value = std::strtol(digits.c_str(), nullptr, hex ? 16 : 10);
  return value < kVirtualKeyCount ? static_cast<int>(value) : -1;
}

// Key names end up in 16-byte NUL-padded entries and are shown in display names.
std::string KeyNameProblem(const std::string& name) {
  if (name.empty()) return "a key needs a name after its code";
  if (static_cast<int>(name.size()) > kMaxKeyNameChars)
    return "the key name \"" + name + "\" is longer than " + std::to_string(kMaxKeyNameChars) +
           " characters";
  if (name.find('|') != std::string::npos)
    return "the key name \"" + name + "\" contains '|', which separates keys in the policy";
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7F) return "the key name \"" + name + "\" contains a control character";
  return "";
}

bool IsGroupName(const std::string& name) {
  if (name.empty() || name[0] < 'a' || name[0] > 'z') return false;
  for (char c : name)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')) return false;
  return true;
}

// Applies the rules of a policy text; remembers the groups defined so far.
class PolicyReader {
 public:
  explicit PolicyReader(const SystemKeyNames& names) : names_(names) {
    for (int key = 0; key < kVirtualKeyCount; ++key)
      if (!names[key].empty()) codes_by_name_[names[key]] = key;
  }

  // Reads one line; false with `problem` set when it is malformed.
  bool ReadLine(const std::string& line, SystemStatusTable& status, std::string& problem) {
    SplitLine split = SplitComment(line);
    if (split.body.empty()) return true;
    std::string word, rest;
    SplitFirstWord(split.body, word, rest);
    if (word == "group") return DefineGroup(rest, problem);

    unsigned char value = 0;
    if (word == "unavailable") {
      value = kUnavailableStatus;
    } else if (word == "common") {
      value = kCommonlyUsedStatus;
    } else if (word == "available") {
      value = kAvailableStatus;
    } else {
      problem =
          "\"" + word + "\" is neither \"group\" nor a status (unavailable, common, available)";
      return false;
    }
    // A policy whose reasons are missing cannot be reviewed.
    if (split.comment.empty()) {
      problem = "the rule needs its reason after '#'";
      return false;
    }
    std::vector<int> modifier_sets;
    std::string items;
    if (!ParseModifiers(rest, modifier_sets, items, problem)) return false;
    std::vector<int> keys;
    if (!ResolveItems(items, keys, problem)) return false;
    for (int modifier_set : modifier_sets)
      for (int key : keys) status[(modifier_set << 8) | key] = value;
    return true;
  }

 private:
  bool DefineGroup(const std::string& definition, std::string& problem) {
    size_t equals = definition.find('=');
    if (equals == std::string::npos) {
      problem = "a group is defined as \"group NAME = ITEM | ITEM ...\"";
      return false;
    }
    std::string name = Trim(definition.substr(0, equals));
    if (!IsGroupName(name)) {
      problem = "\"" + name + "\" is no group name (a lower-case word)";
      return false;
    }
    if (codes_by_name_.count(name) || groups_.count(name)) {
      problem = "the name \"" + name + "\" is taken already";
      return false;
    }
    std::vector<int> keys;
    if (!ResolveItems(definition.substr(equals + 1), keys, problem)) return false;
    groups_[name] = keys;
    return true;
  }

  // "Shift+", "Ctrl+", "Alt+" (a blank may stand on either side of the '+') or "Any+" at the start
  // of the pattern; the rest are the items.
  static bool ParseModifiers(const std::string& pattern, std::vector<int>& modifier_sets,
                             std::string& items, std::string& problem) {
    static const struct {
      const char* word;
      int bits;
    } kModifiers[] = {{"Shift", kShiftBit}, {"Ctrl", kCtrlBit}, {"Alt", kAltBit}, {"Any", -1}};
    int bits = 0;
    bool any = false;
    bool named = false;
    size_t at = 0;
    for (bool found = true; found;) {
      found = false;
      for (const auto& modifier : kModifiers) {
        std::string word = modifier.word;
        if (pattern.compare(at, word.size(), word) != 0) continue;
        size_t plus = pattern.find_first_not_of(kBlanks, at + word.size());
        if (plus == std::string::npos || pattern[plus] != '+') continue;
        // A modifier with nothing after it stays part of the items, to be reported as unknown.
        if (pattern.find_first_not_of(kBlanks, plus + 1) == std::string::npos) continue;
        bool repeated = modifier.bits < 0 ? any || named : any || (bits & modifier.bits);
        if (repeated) {
          problem = "\"" + word + "+\" repeats a modifier or mixes \"Any+\" with others";
          return false;
        }
        if (modifier.bits < 0) {
          any = true;
        } else {
          bits |= modifier.bits;
          named = true;
        }
        at = pattern.find_first_not_of(kBlanks, plus + 1);
        found = true;
        break;
      }
    }
    items = pattern.substr(at);
    modifier_sets.clear();
    if (any) {
      for (int modifier_set = 0; modifier_set < kModifierSetCount; ++modifier_set)
        modifier_sets.push_back(modifier_set);
    } else {
      modifier_sets.push_back(bits >> 8);
    }
    return true;
  }

  // The codes of "ITEM | ITEM ...", sorted, each once.
  bool ResolveItems(const std::string& text, std::vector<int>& keys, std::string& problem) const {
    std::set<int> found;
    size_t start = 0;
    while (true) {
      size_t bar = text.find('|', start);
      std::string item = Trim(text.substr(start, bar == std::string::npos ? bar : bar - start));
      if (item.empty()) {
        problem = "a key, range or group is missing in \"" + Trim(text) + "\"";
        return false;
      }
      if (!ResolveItem(item, found, problem)) return false;
      if (bar == std::string::npos) break;
      start = bar + 1;
    }
    keys.assign(found.begin(), found.end());
    return true;
  }

  bool ResolveItem(const std::string& item, std::set<int>& keys, std::string& problem) const {
    auto key = codes_by_name_.find(item);
    if (key != codes_by_name_.end()) {
      keys.insert(key->second);
      return true;
    }
    auto group = groups_.find(item);
    if (group != groups_.end()) {
      keys.insert(group->second.begin(), group->second.end());
      return true;
    }
    size_t dots = item.find("..");
    if (dots == std::string::npos) {
      problem = "unknown key or group \"" + item + "\"";
      return false;
    }
    std::string first_name = Trim(item.substr(0, dots));
    std::string last_name = Trim(item.substr(dots + 2));
    auto first = codes_by_name_.find(first_name);
    auto last = codes_by_name_.find(last_name);
    if (first == codes_by_name_.end() || last == codes_by_name_.end()) {
      problem = "the range \"" + item + "\" needs a known key at either end";
      return false;
    }
    if (first->second > last->second) {
      problem = "the range \"" + item + "\" runs backwards";
      return false;
    }
    std::set<int> range;
    for (int code = first->second; code <= last->second; ++code) {
      // A range means a run of keys like A..Z; a hole in it is a mistake in the key table.
      if (names_[code].empty()) {
        problem = "the range \"" + item + "\" has a code without a name inside";
        return false;
      }
      range.insert(code);
    }
    keys.insert(range.begin(), range.end());
    return true;
  }

  const SystemKeyNames& names_;
  std::map<std::string, int> codes_by_name_;
  std::map<std::string, std::vector<int>> groups_;
};

}  // namespace

bool ParseSystemKeys(const std::string& text, SystemKeyNames& names, std::string& error) {
  names.fill("");
  error.clear();
  SystemKeyNames read;
  std::map<std::string, int> codes_by_name;
  int line_number = 0;
  for (const std::string& line : Lines(text)) {
    ++line_number;
    SplitLine split = SplitComment(line);
    if (split.body.empty()) continue;
    std::string word, name;
    SplitFirstWord(split.body, word, name);
    int code = ParseVirtualKey(word);
    std::string problem = KeyNameProblem(name);
    if (code < 0) {
      problem = "\"" + word + "\" is no virtual-key code from 0 to 255 (decimal or 0x hexadecimal)";
    } else if (!problem.empty()) {
      // KeyNameProblem said it.
    } else if (!read[code].empty()) {
      problem = "the code " + word + " is named \"" + read[code] + "\" already";
    } else if (codes_by_name.count(name)) {
      problem = "the name \"" + name + "\" is given to another key already";
    }
    if (!problem.empty()) {
      error = LineError(line_number, problem);
      return false;
    }
    read[code] = name;
    codes_by_name[name] = code;
  }
  names = read;
  return true;
}

bool ParseSystemPolicy(const std::string& text, const SystemKeyNames& names,
                       SystemStatusTable& status, std::string& error) {
  status.fill(kUnavailableStatus);
  error.clear();
  SystemStatusTable built;
  built.fill(kUnavailableStatus);
  PolicyReader reader(names);
  int line_number = 0;
  for (const std::string& line : Lines(text)) {
    ++line_number;
    std::string problem;
    if (!reader.ReadLine(line, built, problem)) {
      error = LineError(line_number, problem);
      return false;
    }
  }
  status = built;
  return true;
}

}  // namespace talo

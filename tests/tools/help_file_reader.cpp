// The help file reader of the tests (see help_file_reader.h).
#include "tests/tools/help_file_reader.h"

namespace talo::test {
namespace {

class Cursor {
 public:
  Cursor(const std::vector<uint8_t>& bytes, size_t at, size_t end)
      : b_(bytes), at_(at), end_(end) {}
  bool ok() const { return ok_; }
  size_t at() const { return at_; }
  uint8_t U8() { return Need(1) ? b_[at_++] : 0; }
  uint16_t U16() {
    uint16_t lo = U8();
    return static_cast<uint16_t>(lo | (U8() << 8));
  }
  uint32_t U32() {
    uint32_t lo = U16();
    return lo | (static_cast<uint32_t>(U16()) << 16);
  }
  std::string Z() {
    std::string s;
    for (uint8_t c = U8(); ok_ && c; c = U8()) s += static_cast<char>(c);
    return s;
  }
  // The variable-length numbers: the low bit of the first byte selects the long form.
  int32_t Long() {
    return Peek() & 1 ? static_cast<int32_t>((U32() - 0x80000000u) / 2) : (U16() - 0x8000) / 2;
  }
  unsigned UShort() { return Peek() & 1 ? U16() / 2u : U8() / 2u; }
  int Short() { return Peek() & 1 ? (U16() - 0x8000) / 2 : (U8() - 0x80) / 2; }
  void Skip(size_t n) {
    if (Need(n)) at_ += n;
  }

 private:
  uint8_t Peek() { return Need(1) ? b_[at_] : 0; }
  bool Need(size_t n) {
    if (at_ + n > end_) ok_ = false;
    return ok_;
  }
  const std::vector<uint8_t>& b_;
  size_t at_, end_;
  bool ok_ = true;
};

// A one-level-or-more B+ tree: down the first pointers to the first leaf, then along the leaves.
template <typename Entry>
bool WalkTree(const std::vector<uint8_t>& b, size_t file, Entry entry) {
  Cursor h(b, file + 9, b.size());
  if (h.U16() != 0x293B) return false;
  h.U16();
  unsigned page_size = h.U16();
  h.Skip(16 + 2 + 2);
  unsigned page = h.U16();
  h.U16();
  h.U16();
  unsigned levels = h.U16();
  size_t pages = file + 9 + 38;
  for (; levels > 1; --levels) {
    Cursor p(b, pages + page * page_size + 4, b.size());
    page = p.U16();
  }
  while (page != 0xFFFF && h.ok()) {
    Cursor p(b, pages + page * page_size, pages + (page + 1) * page_size);
    p.U16();
    int count = static_cast<int16_t>(p.U16());
    p.U16();
    unsigned next = p.U16();
    for (int i = 0; i < count; ++i)
      if (!entry(p) || !p.ok()) return false;
    page = next;
  }
  return h.ok();
}

// One paragraph record: its characters, jumps and the count the topic offsets advance by.
bool ReadParagraph(const std::vector<uint8_t>& b, size_t record, size_t data1_end, size_t end,
                   ReadHelpTopic& topic, unsigned& characters) {
  Cursor f(b, record + 21, data1_end);
  f.Long();
  characters = f.UShort();
  f.Skip(4);
  unsigned bits = f.U16();
  if (bits & 0x0001) f.Long();
  for (unsigned bit : {0x0002u, 0x0004u, 0x0008u, 0x0010u, 0x0020u, 0x0040u})
    if (bits & bit) f.Short();
  if (bits & 0x0100) f.Skip(3);
  if (bits & 0x0200) {
    for (int tabs = f.Short(); tabs > 0; --tabs)
      if (f.UShort() & 0x4000) f.UShort();
  }
  Cursor t(b, data1_end, end);
  for (;;) {
    topic.text += t.Z();
    uint8_t command = f.U8();
    if (!f.ok() || !t.ok()) return false;
    if (command == 0xFF) return true;
    if (command == 0x80)
      f.Skip(2);
    else if (command >= 0xE0 && command <= 0xE7)
      topic.jumps.push_back(f.U32());
    else if (command == 0x82 || command == 0x81)
      topic.text += '\n';
    else if (command == 0x83)
      topic.text += '\t';
    else if (command != 0x89)
      return false;
  }
}

}  // namespace

const ReadHelpTopic* ReadHelpFile::TopicAt(uint32_t offset) const {
  for (const ReadHelpTopic& topic : topics)
    if (topic.offset == offset) return &topic;
  return nullptr;
}

int32_t ContextHash(const std::string& name) {
  uint32_t hash = 0;
  const std::string letters = "abcdefghijklmnopqrstuvwxyz";
  for (char c : name) {
    char lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    uint32_t x = 0;
    if (letters.find(lower) != std::string::npos)
      x = 17 + static_cast<uint32_t>(letters.find(lower));
    else if (c >= '1' && c <= '9')
      x = static_cast<uint32_t>(c - '0');
    else if (c == '0')
      x = 10;
    else if (c == '.')
      x = 12;
    else if (c == '_')
      x = 13;
    if (x) hash = hash * 43 + x;
  }
  return static_cast<int32_t>(hash);
}

bool ReadHelp(const std::vector<uint8_t>& b, ReadHelpFile& help, std::string& error) {
  help = ReadHelpFile{};
  auto fail = [&](const std::string& what) {
    error = what;
    return false;
  };
  Cursor header(b, 0, b.size());
  if (header.U32() != 0x00035F3F) return fail("no help file magic");
  uint32_t directory = header.U32();
  header.U32();
  if (header.U32() != b.size()) return fail("the header's size is not the file's");

  bool tree = WalkTree(b, directory, [&](Cursor& c) {
    std::string name = c.Z();
    help.files[name] = c.U32();
    return true;
  });
  if (!tree) return fail("unreadable directory");
  for (const char* name : {"|SYSTEM", "|TOPIC", "|FONT", "|CONTEXT", "|CTXOMAP"}) {
    auto it = help.files.find(name);
    if (it == help.files.end()) return fail(std::string("no internal file ") + name);
    Cursor fh(b, it->second, b.size());
    uint32_t reserved = fh.U32(), used = fh.U32();
    if (!fh.ok() || reserved < used + 9 || it->second + reserved > b.size())
      return fail(std::string("internal file out of bounds: ") + name);
  }
  auto body = [&](const char* name) { return help.files[name] + 9; };
  auto body_end = [&](const char* name) {
    Cursor fh(b, help.files[name] + 4, b.size());
    return body(name) + fh.U32();
  };

  // |SYSTEM: a 3.1 header with uncompressed 4 KB topic blocks, then the records.
  Cursor s(b, body("|SYSTEM"), body_end("|SYSTEM"));
  if (s.U16() != 0x036C || s.U16() != 21 || s.U16() != 1) return fail("not a 3.1 |SYSTEM");
  s.U32();
  if (s.U16() != 0) return fail("compressed topics");
  for (size_t at = s.at(); s.ok() && at + 4 <= body_end("|SYSTEM");) {
    Cursor record(b, at, body_end("|SYSTEM"));
    unsigned type = record.U16(), size = record.U16();
    if (type == 1) help.title = record.Z();
    if (type == 3) help.contents = record.U32();
    if (type == 6 && size == 90) {
      record.Skip(2 + 10 + 9);  // flags, window type and name
      help.caption = record.Z();
    }
    if (!record.ok()) return fail("unreadable |SYSTEM record");
    at += 4 + size;
  }

  // |TOPIC: the record chain from the first record; offsets count characters per block.
  const size_t topic = body("|TOPIC"), topic_end = body_end("|TOPIC");
  uint32_t ref = 0x0C, block = 0xFFFFFFFF;
  unsigned characters = 0;
  for (int guard = 0; ref != 0xFFFFFFFF; ++guard) {
    if (guard > 100000) return fail("the topic chain loops");
    uint32_t index = (ref - 0x0C) >> 14, offset = (ref - 0x0C) & 0x3FFF;
    size_t at = topic + index * 4096 + 12 + offset;
    if (index != block) block = index, characters = 0;
    Cursor r(b, at, topic_end);
    uint32_t size = r.U32(), data2 = r.U32();
    r.U32();
    uint32_t next = r.U32(), data1 = r.U32();
    uint8_t type = r.U8();
    if (!r.ok() || at + size > topic_end || offset + size > 4096 - 12 || data1 > size)
      return fail("a topic record out of its block");
    if (type == 0x02) {
      ReadHelpTopic t;
      t.offset = index * 0x8000 + characters;
      t.title.assign(b.begin() + at + data1, b.begin() + at + data1 + data2);
      help.topics.push_back(t);
    } else if (type == 0x20) {
      if (help.topics.empty()) return fail("a paragraph before the first topic");
      unsigned count = 0;
      if (!ReadParagraph(b, at, at + data1, at + size, help.topics.back(), count))
        return fail("an unreadable paragraph in " + help.topics.back().title);
      characters += count;
    } else {
      return fail("an unknown topic record");
    }
    ref = next;
  }

  Cursor m(b, body("|CTXOMAP"), body_end("|CTXOMAP"));
  for (unsigned n = m.U16(); n > 0 && m.ok(); --n) {
    uint32_t number = m.U32();
    help.numbers[number] = m.U32();
  }
  if (!m.ok()) return fail("unreadable |CTXOMAP");
  int32_t last = INT32_MIN;
  bool first = true, ordered = true;
  tree = WalkTree(b, help.files["|CONTEXT"], [&](Cursor& c) {
    int32_t hash = static_cast<int32_t>(c.U32());
    if (!first && hash <= last) ordered = false;
    first = false, last = hash;
    help.hashes[hash] = c.U32();
    return true;
  });
  if (!tree) return fail("unreadable |CONTEXT");
  if (!ordered) return fail("|CONTEXT is not in hash order");
  return true;
}

}  // namespace talo::test

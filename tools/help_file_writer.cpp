// The help file: a small file system of internal files (|SYSTEM, |TOPIC, |FONT, |CONTEXT,
// |CTXOMAP) found through a directory B+ tree. Topics are a chain of records in 4 KB blocks; a
// topic is found by its TOPICOFFSET, the block number times 0x8000 plus the characters of the
// paragraphs before it in that block.
#include "tools/help_file_writer.h"

#include <algorithm>
#include <initializer_list>
#include <map>

namespace talo {
namespace {

constexpr uint32_t kNone = 0xFFFFFFFF;
constexpr size_t kBlockSize = 4096;
constexpr size_t kBlockHeader = 12;
constexpr size_t kBlockData = kBlockSize - kBlockHeader;
constexpr size_t kLinkHeader = 21;
constexpr uint8_t kTopicHeaderRecord = 0x02;
constexpr uint8_t kParagraphRecord = 0x20;

// Fonts of the |FONT table, by index.
constexpr uint16_t kBodyFont = 0, kTitleFont = 1, kSubheadingFont = 2;

struct Bytes {
  std::vector<uint8_t> data;
  void U8(unsigned v) { data.push_back(static_cast<uint8_t>(v)); }
  void U16(unsigned v) { U8(v & 0xFF), U8((v >> 8) & 0xFF); }
  void U32(uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }
  void Text(const std::string& s) { data.insert(data.end(), s.begin(), s.end()); }
  void Zeros(size_t n) { data.insert(data.end(), n, 0); }
  void Append(const std::vector<uint8_t>& more) {
    data.insert(data.end(), more.begin(), more.end());
  }
  void Put32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) data[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
};

// The format's variable-length numbers: the low bit of the first byte says "long form".
void CompressedUnsigned16(Bytes& out, unsigned v) {
  if (v < 0x80)
    out.U8(v * 2);
  else
    out.U16(v * 2 + 1);
}
void CompressedSigned16(Bytes& out, int v) {
  if (v >= -0x40 && v < 0x40)
    out.U8(static_cast<unsigned>(v * 2 + 0x80));
  else  // readers halve the odd value towards zero, so a negative one is one step further out
    out.U16(static_cast<unsigned>(v * 2 + 0x8000 + (v < 0 ? -1 : 1)));
}
void CompressedSigned32(Bytes& out, int32_t v) {
  if (v >= -0x4000 && v < 0x4000)
    out.U16(static_cast<unsigned>(v * 2 + 0x8000));
  else
    out.U32(static_cast<uint32_t>(v) * 2 + 0x80000001u);
}

struct Record {
  uint8_t type = 0;
  Bytes data1;              // after the 21-byte link header
  Bytes data2;              // the texts
  uint32_t characters = 0;  // counted into TOPICOFFSETs
  size_t topic = 0;
  // Placed:
  uint32_t block = 0;
  uint32_t position = 0;  // within the block's data
  uint32_t Size() const {
    return static_cast<uint32_t>(kLinkHeader + data1.data.size() + data2.data.size());
  }
  uint32_t Pos() const { return block * 0x4000 + position + kBlockHeader; }
};

// One paragraph: its formatting, then texts and commands in pairs, each text followed by the
// command that comes after it; 0xFF ends the list.
Record ParagraphRecord(const HelpParagraph& paragraph, const std::string* title) {
  Bytes commands, texts;
  uint32_t characters = 0;
  std::string pending;  // the text before the next command
  auto command = [&](std::initializer_list<uint8_t> bytes) {
    texts.Text(pending);
    texts.U8(0);
    characters += static_cast<uint32_t>(pending.size());
    pending.clear();
    for (uint8_t b : bytes) commands.U8(b);
  };
  auto font = [&](uint16_t index) { command({0x80, static_cast<uint8_t>(index), 0}); };

  unsigned bits = 0x0004;  // space after
  int space_after = 6, left_indent = 0, first_indent = 0;
  uint16_t base_font = kBodyFont;
  if (title) {
    base_font = kTitleFont;
    space_after = 12;
  } else if (paragraph.kind == HelpParagraphKind::kSubheading) {
    base_font = kSubheadingFont;
    bits |= 0x0002;  // space before
  } else if (paragraph.kind == HelpParagraphKind::kBullet) {
    bits |= 0x0010 | 0x0040 | 0x0200;  // hanging indent with a tab stop
    left_indent = 36;
    first_indent = -18;
    space_after = 3;
  }

  font(base_font);
  if (paragraph.kind == HelpParagraphKind::kBullet && !title) {
    pending = "\x95";  // the bullet in the Windows code page, then a tab
    command({0x83});
    ++characters;
  }
  if (title) {
    pending = *title;
  } else {
    for (const HelpRun& run : paragraph.runs) {
      if (run.jump_to.empty()) {
        pending += run.text;
        continue;
      }
      uint32_t hash = HelpContextHash(run.jump_to);
      command({0xE3, static_cast<uint8_t>(hash), static_cast<uint8_t>(hash >> 8),
               static_cast<uint8_t>(hash >> 16), static_cast<uint8_t>(hash >> 24)});
      pending = run.text;
      command({0x89});  // end of the hotspot
      font(base_font);
    }
  }
  command({0x82});  // end of paragraph
  ++characters;
  command({0xFF});  // end of the list

  Record record;
  record.type = kParagraphRecord;
  record.characters = characters;
  Bytes& d = record.data1;
  CompressedSigned32(d, static_cast<int32_t>(texts.data.size()));
  CompressedUnsigned16(d, characters);
  d.U8(0x00);
  d.U8(0x80);
  d.U16(0);
  d.U16(bits);
  if (bits & 0x0002) CompressedSigned16(d, 6);
  CompressedSigned16(d, space_after);
  if (bits & 0x0010) CompressedSigned16(d, left_indent);
  if (bits & 0x0040) CompressedSigned16(d, first_indent);
  if (bits & 0x0200) {
    CompressedSigned16(d, 1);
    CompressedUnsigned16(d, static_cast<unsigned>(left_indent));
  }
  d.Append(commands.data);
  record.data2 = texts;
  return record;
}

void LinkHeader(Bytes& out, const Record& r, uint32_t previous, uint32_t next) {
  out.U32(r.Size());
  out.U32(static_cast<uint32_t>(r.data2.data.size()));
  out.U32(previous);
  out.U32(next);
  out.U32(static_cast<uint32_t>(kLinkHeader + r.data1.data.size()));
  out.U8(r.type);
}

// A B+ tree of one leaf page, enough for the few entries of this file.
bool OneLeafTree(Bytes& out, const char* structure, unsigned flags, unsigned page_size,
                 const std::vector<Bytes>& entries) {
  size_t used = 8;
  for (const Bytes& e : entries) used += e.data.size();
  if (used > page_size) return false;
  out.U16(0x293B);
  out.U16(flags);
  out.U16(page_size);
  std::string s(structure);
  s.resize(16, '\0');
  out.Text(s);
  out.U16(0);       // must be zero
  out.U16(0);       // page splits
  out.U16(0);       // root page
  out.U16(0xFFFF);  // must be -1
  out.U16(1);       // pages
  out.U16(1);       // levels
  out.U32(static_cast<uint32_t>(entries.size()));
  out.U16(static_cast<unsigned>(page_size - used));
  out.U16(static_cast<unsigned>(entries.size()));
  out.U16(0xFFFF);
  out.U16(0xFFFF);
  for (const Bytes& e : entries) out.Append(e.data);
  out.Zeros(page_size - used);
  return true;
}

Bytes SystemFile(const std::string& title, uint32_t contents) {
  Bytes out;
  out.U16(0x036C);
  out.U16(21);  // Windows 3.1
  out.U16(1);
  out.U32(0);  // date: none, so that builds are repeatable
  out.U16(0);  // flags: topics not compressed, 4 KB blocks
  out.U16(1);  // title
  out.U16(static_cast<unsigned>(title.size() + 1));
  out.Text(title);
  out.U8(0);
  out.U16(3);  // contents topic
  out.U16(4);
  out.U32(contents);
  // The main window, so that the viewer captions it with the title whoever started it.
  out.U16(6);
  out.U16(90);
  out.U16(0x0007);  // type, name and caption given; place, size and colours the viewer's own
  auto field = [&](std::string text, size_t size) {
    text.resize(size, '\0');
    text.back() = '\0';
    out.Text(text);
  };
  field("main", 10);
  field("main", 9);
  field(title, 51);
  out.Zeros(10 + 8);
  return out;
}

Bytes FontFile() {
  struct Font {
    uint8_t attributes, half_points, r, g, b;
  };
  // Body, topic title (dark blue), subheading; sizes in half points.
  const Font fonts[] = {{0, 20, 0, 0, 0}, {1, 28, 0, 0, 0x80}, {1, 22, 0, 0, 0}};
  Bytes out;
  constexpr unsigned kFaceLength = 20;
  out.U16(1);
  out.U16(sizeof fonts / sizeof fonts[0]);
  out.U16(8);
  out.U16(8 + kFaceLength);
  std::string face = "Arial";
  face.resize(kFaceLength, '\0');
  out.Text(face);
  for (const Font& f : fonts) {
    out.U8(f.attributes);
    out.U8(f.half_points);
    out.U8(3);  // swiss
    out.U16(0);
    out.U8(f.r), out.U8(f.g), out.U8(f.b);
    out.U8(0xFF), out.U8(0xFF), out.U8(0xFF);
  }
  return out;
}

}  // namespace

uint32_t HelpContextHash(const std::string& name) {
  uint32_t hash = 0;
  for (char c : name) {
    uint32_t x = 0;
    if (c >= 'A' && c <= 'Z') x = c - 'A' + 17;
    if (c >= 'a' && c <= 'z') x = c - 'a' + 17;
    if (c >= '1' && c <= '9') x = c - '0';
    if (c == '0') x = 10;
    if (c == '.') x = 12;
    if (c == '_') x = 13;
    if (x) hash = hash * 43 + x;
  }
  return hash;
}

bool BuildHelpFile(const HelpSource& source, std::vector<uint8_t>& file, std::string& error) {
  // The records of all topics, in order: each topic's header, its title line, its paragraphs.
  std::vector<Record> records;
  for (size_t t = 0; t < source.topics.size(); ++t) {
    const HelpTopic& topic = source.topics[t];
    Record header;
    header.type = kTopicHeaderRecord;
    header.data1.Zeros(28);  // filled in once the records are placed
    header.data2.Text(topic.title);
    header.topic = t;
    records.push_back(header);
    Record title = ParagraphRecord(HelpParagraph{}, &topic.title);
    title.topic = t;
    records.push_back(title);
    for (const HelpParagraph& paragraph : topic.paragraphs) {
      Record r = ParagraphRecord(paragraph, nullptr);
      r.topic = t;
      records.push_back(r);
    }
  }

  // Placing: a record never straddles two blocks.
  std::vector<uint32_t> topic_offset(source.topics.size());
  std::vector<size_t> topic_header(source.topics.size());
  uint32_t block = 0, position = 0, characters = 0;
  for (size_t i = 0; i < records.size(); ++i) {
    Record& r = records[i];
    if (r.Size() > kBlockData) {
      error = "a paragraph of topic " + source.topics[r.topic].name + " is too long";
      return false;
    }
    if (position + r.Size() > kBlockData) ++block, position = 0, characters = 0;
    r.block = block;
    r.position = position;
    position += r.Size();
    if (r.type == kTopicHeaderRecord) {
      topic_offset[r.topic] = block * 0x8000 + characters;
      topic_header[r.topic] = i;
    }
    characters += r.characters;
  }

  // The topic headers: size, browse sequence, number, scrolling region, next topic.
  for (size_t t = 0; t < source.topics.size(); ++t) {
    size_t h = topic_header[t];
    bool last = t + 1 == source.topics.size();
    size_t end = last ? records.size() : topic_header[t + 1];
    uint32_t size = 0;
    for (size_t i = h; i < end; ++i) size += records[i].Size();
    Bytes& d = records[h].data1;
    d.Put32(0, size);
    d.Put32(4, t == 0 ? kNone : topic_offset[t - 1]);
    d.Put32(8, last ? kNone : topic_offset[t + 1]);
    d.Put32(12, static_cast<uint32_t>(t));
    d.Put32(16, kNone);
    d.Put32(20, h + 1 < end ? records[h + 1].Pos() : kNone);
    d.Put32(24, last ? kNone : records[topic_header[t + 1]].Pos());
  }

  // |TOPIC: whole blocks, each with the positions of its first and last records.
  Bytes topic_file;
  size_t next = 0;
  uint32_t last_header = kNone;
  for (uint32_t b = 0; b <= block; ++b) {
    size_t first = next;
    while (next < records.size() && records[next].block == b) {
      if (records[next].type == kTopicHeaderRecord) last_header = records[next].Pos();
      ++next;
    }
    size_t start = topic_file.data.size();
    topic_file.U32(next > 0 ? records[next - 1].Pos() : kNone);
    topic_file.U32(first < next ? records[first].Pos() : kNone);
    topic_file.U32(last_header);
    for (size_t i = first; i < next; ++i) {
      const Record& r = records[i];
      topic_file.data.resize(start + kBlockHeader + r.position, 0);
      LinkHeader(topic_file, r, i == 0 ? kNone : records[i - 1].Pos(),
                 i + 1 == records.size() ? kNone : records[i + 1].Pos());
      topic_file.Append(r.data1.data);
      topic_file.Append(r.data2.data);
    }
    topic_file.data.resize(start + kBlockSize, 0);
  }

  // |CONTEXT: topic name hashes, ordered as signed numbers.
  std::vector<std::pair<int32_t, uint32_t>> hashes;
  for (size_t t = 0; t < source.topics.size(); ++t)
    hashes.push_back(
        {static_cast<int32_t>(HelpContextHash(source.topics[t].name)), topic_offset[t]});
  std::sort(hashes.begin(), hashes.end());
  std::vector<Bytes> context_entries;
  for (size_t i = 0; i < hashes.size(); ++i) {
    if (i > 0 && hashes[i].first == hashes[i - 1].first) {
      error = "two topic names have the same hash";
      return false;
    }
    Bytes e;
    e.U32(static_cast<uint32_t>(hashes[i].first));
    e.U32(hashes[i].second);
    context_entries.push_back(e);
  }
  Bytes context_file;
  if (!OneLeafTree(context_file, "L4", 0x0002, 0x800, context_entries)) {
    error = "too many topics";
    return false;
  }

  // |CTXOMAP: the program's context numbers.
  Bytes map_file;
  std::map<uint32_t, uint32_t> numbers;
  for (size_t t = 0; t < source.topics.size(); ++t)
    if (source.topics[t].has_number) numbers[source.topics[t].number] = topic_offset[t];
  map_file.U16(static_cast<unsigned>(numbers.size()));
  for (const auto& [number, offset] : numbers) map_file.U32(number), map_file.U32(offset);

  // The file: header, the internal files, then the directory (names in byte order).
  std::map<std::string, Bytes> internal = {{"|CONTEXT", context_file},
                                           {"|CTXOMAP", map_file},
                                           {"|FONT", FontFile()},
                                           {"|SYSTEM", SystemFile(source.title, topic_offset[0])},
                                           {"|TOPIC", topic_file}};
  Bytes out;
  out.U32(0x00035F3F);
  out.U32(0);  // directory, below
  out.U32(kNone);
  out.U32(0);  // size, below
  std::vector<Bytes> directory_entries;
  for (const auto& [name, content] : internal) {
    Bytes e;
    e.Text(name);
    e.U8(0);
    e.U32(static_cast<uint32_t>(out.data.size()));
    directory_entries.push_back(e);
    out.U32(static_cast<uint32_t>(content.data.size() + 9));
    out.U32(static_cast<uint32_t>(content.data.size()));
    out.U8(0);
    out.Append(content.data);
  }
  Bytes directory;
  if (!OneLeafTree(directory, "z4", 0x0402, 0x400, directory_entries)) {
    error = "directory too big";
    return false;
  }
  out.Put32(4, static_cast<uint32_t>(out.data.size()));
  out.U32(static_cast<uint32_t>(directory.data.size() + 9));
  out.U32(static_cast<uint32_t>(directory.data.size()));
  out.U8(4);
  out.Append(directory.data);
  out.Put32(12, static_cast<uint32_t>(out.data.size()));
  file = out.data;
  return true;
}

}  // namespace talo

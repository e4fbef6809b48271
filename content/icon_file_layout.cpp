// Icon files and executables checked along the path Wine's icon reader takes through them.
#include "content/icon_file_layout.h"

#include <cstring>
#include <optional>
#include <vector>

namespace talo {
namespace {

// Little-endian fields of the file; every read is preceded by a Has for its range.
class Bytes {
 public:
  Bytes(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
  bool Has(std::uint64_t offset, std::uint64_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }
  std::uint16_t U16(std::uint64_t offset) const {
    return static_cast<std::uint16_t>(data_[offset] | data_[offset + 1] << 8);
  }
  std::uint32_t U32(std::uint64_t offset) const {
    return U16(offset) | static_cast<std::uint32_t>(U16(offset + 2)) << 16;
  }
  std::uint32_t BigEndian32(std::uint64_t offset) const {
    return static_cast<std::uint32_t>(data_[offset]) << 24 | data_[offset + 1] << 16 |
           data_[offset + 2] << 8 | data_[offset + 3];
  }
  bool Matches(std::uint64_t offset, const char* text, std::size_t length) const {
    return Has(offset, length) && std::memcmp(data_ + offset, text, length) == 0;
  }
  const unsigned char* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  const unsigned char* data_;
  std::size_t size_;
};

constexpr std::uint32_t kLargestIconSide = 256;
constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
constexpr char kPngStart[] = "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR";
constexpr std::size_t kPngStartLength = sizeof kPngStart - 1;

constexpr std::uint16_t kIconType = 3;        // RT_ICON
constexpr std::uint16_t kIconGroupType = 14;  // RT_GROUP_ICON
// Windows loads no executable with more sections; the limit also bounds the section search
// below, which runs once for each picture of a group.
constexpr std::uint16_t kMostSections = 96;

// The walk of Wine's reader through an executable mapped as data, for one icon group. Resource
// directories are searched as Wine searches them, by halving over the id entries (so that an
// unsorted directory leads both to the same entry), and relative addresses resolve through the
// section table into file offsets.
class ExecutableIconWalk {
 public:
  explicit ExecutableIconWalk(Bytes file) : file_(file) {}

  bool HoldsWholeGroup(int index) {
    if (index < 0 || !ReadHeaders() || !IsWholeDirectory(root_)) return false;
    const std::optional<std::uint64_t> groups = Find(root_, kIconGroupType);
    // Wine counts the group directory's entries in 16 bits.
    if (!groups || !IsWholeDirectory(*groups) ||
        index >= static_cast<std::uint16_t>(EntryCount(*groups)))
      return false;
    const std::optional<std::uint64_t> group = Data(Target(*groups + 16 + 8ull * index));
    std::vector<std::uint16_t> ids;
    if (!group || !ReadGroupPictureIds(*group, ids)) return false;
    const std::optional<std::uint64_t> icons = Find(root_, kIconType);
    if (!icons || !IsWholeDirectory(*icons)) return false;
    for (std::uint16_t id : ids) {
      // Wine skips an id it does not find, and a picture whose address lies in no section.
      const std::optional<std::uint64_t> name = Find(*icons, id);
      if (!name) continue;
      const std::optional<std::uint64_t> entry = DataEntry(*name);
      if (!entry) return false;
      const std::optional<std::uint64_t> picture = FileOffset(file_.U32(*entry));
      if (picture &&
          !IsWholeIconPicture(file_.data(), file_.size(), *picture, file_.U32(*entry + 4)))
        return false;
    }
    return true;
  }

 private:
  bool ReadHeaders() {
    if (!file_.Has(0, 64) || !file_.Matches(0, "MZ", 2)) return false;
    const std::uint64_t nt = file_.U32(0x3c);
    if (!file_.Has(nt, 24 + 2) || !file_.Matches(nt, "PE\0\0", 4)) return false;
    const std::uint64_t optional = nt + 24;
    std::uint64_t directory_count_at = 0;
    switch (file_.U16(optional)) {
      case 0x10b:
        directory_count_at = optional + 92;
        break;
      case 0x20b:
        directory_count_at = optional + 108;
        break;
      default:
        return false;
    }
    // The resource directory is the third data directory behind their count; the headers' size
    // lies before all of them, at the same place in both layouts.
    const std::uint64_t resource = directory_count_at + 4 + 2 * 8;
    if (!file_.Has(resource, 8) || file_.U32(directory_count_at) <= 2) return false;
    sections_ = optional + file_.U16(nt + 20);
    section_count_ = file_.U16(nt + 6);
    if (section_count_ > kMostSections || !file_.Has(sections_, 40ull * section_count_))
      return false;
    const std::uint32_t address = file_.U32(resource);
    if (address == 0) return false;
    // Wine reads a directory whose address lies below the headers' size straight from the file.
    const std::optional<std::uint64_t> root =
        address < file_.U32(optional + 60) ? address : FileOffset(address);
    if (!root) return false;
    root_ = *root;
    return true;
  }

  // The file offset of a relative address: the first section whose raw data covers it, with
  // Wine's 32-bit sum of a section's address and raw size.
  std::optional<std::uint64_t> FileOffset(std::uint32_t address) const {
    for (std::uint16_t i = 0; i < section_count_; ++i) {
      const std::uint64_t section = sections_ + 40ull * i;
      const std::uint32_t start = file_.U32(section + 12);
      const std::uint32_t end = start + file_.U32(section + 16);
      if (start <= address && end > address)
        return std::uint64_t{file_.U32(section + 20)} + (address - start);
    }
    return std::nullopt;
  }

  // A directory's header with every entry it counts.
  bool IsWholeDirectory(std::uint64_t directory) const {
    return file_.Has(directory, 16) && file_.Has(directory + 16, 8ull * EntryCount(directory));
  }
  std::uint32_t EntryCount(std::uint64_t directory) const {
    return std::uint32_t{file_.U16(directory + 12)} + file_.U16(directory + 14);
  }
  // What the entry with `id` of a whole directory leads to; nothing when it holds none.
  std::optional<std::uint64_t> Find(std::uint64_t directory, std::uint16_t id) const {
    int low = file_.U16(directory + 12);
    int high = low + file_.U16(directory + 14) - 1;
    while (low <= high) {
      const int middle = (low + high) / 2;
      const std::uint64_t entry = directory + 16 + 8ull * middle;
      if (file_.U16(entry) == id) return Target(entry);
      if (file_.U16(entry) > id)
        high = middle - 1;
      else
        low = middle + 1;
    }
    return std::nullopt;
  }
  std::uint64_t Target(std::uint64_t entry) const {
    return root_ + (file_.U32(entry + 4) & 0x7fffffffu);
  }
  // Below a name Wine takes the first language entry, whatever the directory counts, and reads
  // the 16-byte data entry it leads to.
  std::optional<std::uint64_t> DataEntry(std::uint64_t name_directory) const {
    if (!file_.Has(name_directory + 16, 8)) return std::nullopt;
    const std::uint64_t entry = Target(name_directory + 16);
    if (!file_.Has(entry, 16)) return std::nullopt;
    return entry;
  }
  // The file offset of the data below a name; nothing when it lies in no section.
  std::optional<std::uint64_t> Data(std::uint64_t name_directory) const {
    const std::optional<std::uint64_t> entry = DataEntry(name_directory);
    if (!entry) return std::nullopt;
    return FileOffset(file_.U32(*entry));
  }

  // The ids of the pictures that Wine may choose from the group data at `group`: it picks one by
  // size and colour depth, and asks for id 0 when none fits.
  bool ReadGroupPictureIds(std::uint64_t group, std::vector<std::uint16_t>& ids) const {
    ids.assign(1, 0);
    if (!file_.Has(group, 6)) return false;
    if (file_.U16(group) != 0 || (file_.U16(group + 2) & 3) == 0) return true;
    const std::uint16_t count = file_.U16(group + 4);
    if (!file_.Has(group + 6, 14ull * count)) return false;
    for (std::uint16_t i = 0; i < count; ++i) ids.push_back(file_.U16(group + 6 + 14ull * i + 12));
    return true;
  }

  Bytes file_;
  std::uint64_t root_ = 0;
  std::uint64_t sections_ = 0;
  std::uint16_t section_count_ = 0;
};

}  // namespace

bool IsWholeIconPicture(const unsigned char* data, std::size_t size, std::uint64_t offset,
                        std::uint64_t length) {
  const Bytes file(data, size);
  if (!file.Has(offset, length)) return false;
  const auto is_side = [](std::int64_t side) { return side >= 1 && side <= kLargestIconSide; };
  if (length >= kPngStartLength + 8 && file.Matches(offset, kPngStart, kPngStartLength))
    return is_side(file.BigEndian32(offset + 16)) && is_side(file.BigEndian32(offset + 20));
  if (length < kBitmapInfoHeaderSize || file.U32(offset) != kBitmapInfoHeaderSize) return false;
  const std::int64_t width = static_cast<std::int32_t>(file.U32(offset + 4));
  const std::int64_t height = static_cast<std::int32_t>(file.U32(offset + 8));
  const std::int64_t rows = height < 0 ? -height : height;
  const std::uint16_t bits = file.U16(offset + 14);
  return is_side(width) && rows >= 1 && rows <= 2 * kLargestIconSide && bits >= 1 && bits <= 32;
}

bool IsWholeIconFile(const unsigned char* data, std::size_t size) {
  const Bytes file(data, size);
  if (!file.Has(0, 6) || file.U16(0) != 0 || (file.U16(2) != 1 && file.U16(2) != 2)) return false;
  const std::uint16_t count = file.U16(4);
  if (count == 0 || !file.Has(6, 16ull * count)) return false;
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::uint64_t entry = 6 + 16ull * i;
    if (!IsWholeIconPicture(data, size, file.U32(entry + 12), file.U32(entry + 8))) return false;
  }
  return true;
}

bool IsWholeExecutableIcon(const unsigned char* data, std::size_t size, int index) {
  return ExecutableIconWalk(Bytes(data, size)).HoldsWholeGroup(index);
}

}  // namespace talo

// The shell link layout check.
#include "content/shell_link_layout.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace talo {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::size_t kFlagsOffset = 0x14;
constexpr unsigned char kLinkClass[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::uint32_t kHasItemList = 0x01;
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kIsUnicode = 0x80;
// Name, relative path, working folder, arguments and icon location, in file order.
constexpr std::uint32_t kStringFlags[] = {0x04, 0x08, 0x10, 0x20, 0x40};
// The link information's header: its size, header size, flags, then four offsets.
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;

// Reads numbers from a range of the data, and fails once a read would leave it.
class Reader {
 public:
  Reader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t Left() const { return size_ - at_; }
  std::size_t At() const { return at_; }
  bool Number(std::uint32_t& value, std::size_t width) {
    if (Left() < width) return false;
    value = 0;
    for (std::size_t i = 0; i < width; ++i) value |= std::uint32_t(data_[at_ + i]) << (8 * i);
    at_ += width;
    return true;
  }
  bool Skip(std::size_t count) {
    if (Left() < count) return false;
    at_ += count;
    return true;
  }

 private:
  const unsigned char* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Items of 16-bit sizes (each counting itself) up to a zero size, all inside the list.
bool ItemListInside(const unsigned char* list, std::size_t size) {
  Reader items(list, size);
  for (;;) {
    std::uint32_t item = 0;
    if (!items.Number(item, 2)) return false;
    if (item == 0) return true;
    if (item < 2 || !items.Skip(item - 2)) return false;
  }
}

// A NUL-terminated string that starts at `offset` of the block and ends inside it.
bool TextInside(const unsigned char* block, std::size_t size, std::uint32_t offset) {
  return offset < size && std::memchr(block + offset, 0, size - offset) != nullptr;
}

// The link information: its offsets inside it, the volume and network blocks whole, the paths
// terminated inside it.
bool LinkInfoInside(const unsigned char* info, std::size_t size) {
  if (size < kLinkInfoHeaderSize) return false;
  Reader header(info, size);
  std::uint32_t info_size, header_size, flags, volume, base_path, network, suffix;
  header.Number(info_size, 4);
  header.Number(header_size, 4);
  header.Number(flags, 4);
  header.Number(volume, 4);
  header.Number(base_path, 4);
  header.Number(network, 4);
  header.Number(suffix, 4);
  if (header_size < kLinkInfoHeaderSize || header_size > size) return false;
  // The volume and network blocks start with their own size.
  for (std::uint32_t block : {volume, network}) {
    if (block == 0) continue;
    if (block >= size || size - block < 4) return false;
    std::uint32_t block_size = 0;
    std::memcpy(&block_size, info + block, sizeof block_size);
    if (block_size < 4 || block_size > size - block) return false;
  }
  for (std::uint32_t text : {base_path, suffix})
    if (text != 0 && !TextInside(info, size, text)) return false;
  return true;
}

}  // namespace

bool IsWholeShellLink(const unsigned char* data, std::size_t size) {
  if (!data || size < kHeaderSize) return false;
  Reader link(data, size);
  std::uint32_t header_size = 0, flags = 0;
  link.Number(header_size, 4);
  if (header_size != kHeaderSize || std::memcmp(data + 4, kLinkClass, sizeof kLinkClass) != 0)
    return false;
  std::memcpy(&flags, data + kFlagsOffset, sizeof flags);
  link.Skip(kHeaderSize - 4);
  if (flags & kHasItemList) {
    std::uint32_t list_size = 0;
    if (!link.Number(list_size, 2) || link.Left() < list_size ||
        !ItemListInside(data + link.At(), list_size))
      return false;
    link.Skip(list_size);
  }
  if (flags & kHasLinkInfo) {
    std::uint32_t info_size = 0;
    const std::size_t info_at = link.At();
    if (!link.Number(info_size, 4) || info_size < 4 || link.Left() < info_size - 4 ||
        !LinkInfoInside(data + info_at, info_size))
      return false;
    link.Skip(info_size - 4);
  }
  const std::size_t char_size = flags & kIsUnicode ? 2 : 1;
  for (std::uint32_t string_flag : kStringFlags) {
    std::uint32_t characters = 0;
    if ((flags & string_flag) &&
        (!link.Number(characters, 2) || !link.Skip(characters * char_size)))
      return false;
  }
  // Extra data blocks, each counting its own size, up to a block of less than 4 bytes or the end.
  for (;;) {
    std::uint32_t block_size = 0;
    if (link.Left() < 4) return true;
    link.Number(block_size, 4);
    if (block_size < 4) return true;
    if (!link.Skip(block_size - 4)) return false;
  }
}

}  // namespace talo

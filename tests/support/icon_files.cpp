// Icon files and a small executable holding one icon, built field by field.
#include "tests/support/icon_files.h"

#include <initializer_list>

namespace talo::test {
namespace {

constexpr int kSide = 32;
constexpr std::uint32_t kSectionAddress = 0x1000;
constexpr std::size_t kHeadersSize = 0x200;

void Append(std::string& bytes, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
}

void Put(std::string& bytes, std::size_t offset, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

// A resource directory of id entries, each leading to `targets` (a directory when its high bit
// is set) relative to the resource section.
void AppendDirectory(std::string& section, std::initializer_list<std::uint32_t> ids_and_targets) {
  section.append(14, '\0');
  Append(section, static_cast<std::uint32_t>(ids_and_targets.size() / 2), 2);
  for (std::uint32_t value : ids_and_targets) Append(section, value, 4);
}

}  // namespace

std::string IconPictureBytes(COLORREF colour) {
  std::string bytes;
  for (std::uint32_t value : {40u, std::uint32_t{kSide}, 2u * kSide}) Append(bytes, value, 4);
  Append(bytes, 1, 2);
  Append(bytes, 32, 2);
  bytes.append(4 * 6, '\0');
  for (int i = 0; i < kSide * kSide; ++i)
    for (BYTE part : {GetBValue(colour), GetGValue(colour), GetRValue(colour), BYTE{0xff}})
      bytes.push_back(static_cast<char>(part));
  bytes.append(kSide * kSide / 8, '\0');  // the mask: every pixel opaque
  return bytes;
}

std::string IconFileBytes(COLORREF colour) {
  const std::string picture = IconPictureBytes(colour);
  std::string bytes;
  for (std::uint32_t value : {0u, 1u, 1u}) Append(bytes, value, 2);
  Append(bytes, kSide | kSide << 8, 4);
  Append(bytes, 1, 2);
  Append(bytes, 32, 2);
  Append(bytes, static_cast<std::uint32_t>(picture.size()), 4);
  Append(bytes, 6 + 16, 4);
  return bytes + picture;
}

ExecutableWithIcon ExecutableWithIconBytes(COLORREF colour) {
  ExecutableWithIcon result;
  const std::string picture = IconPictureBytes(colour);
  // The resource section: the root with the icon (3) and icon group (14) types, a name directory
  // below each type, a language directory below each name, the two data entries, the data.
  std::string section;
  constexpr std::uint32_t kDirectory = 0x80000000u;
  AppendDirectory(section, {3, kDirectory | 0x20, 14, kDirectory | 0x38});
  AppendDirectory(section, {1, kDirectory | 0x50});
  AppendDirectory(section, {1, kDirectory | 0x68});
  AppendDirectory(section, {0x409, 0x80});
  AppendDirectory(section, {0x409, 0x90});
  const std::uint32_t picture_at = 0xa0;
  const auto group_at = static_cast<std::uint32_t>(picture_at + picture.size());
  for (std::uint32_t value : {kSectionAddress + picture_at, std::uint32_t(picture.size()), 0u, 0u,
                              kSectionAddress + group_at, 6u + 14u, 0u, 0u})
    Append(section, value, 4);
  section += picture;
  for (std::uint32_t value : {0u, 1u, 1u}) Append(section, value, 2);
  Append(section, kSide | kSide << 8, 4);
  Append(section, 1, 2);
  Append(section, 32, 2);
  Append(section, static_cast<std::uint32_t>(picture.size()), 4);
  Append(section, 1, 2);
  const auto raw_size = static_cast<std::uint32_t>((section.size() + 0x1ff) & ~std::size_t{0x1ff});

  std::string& bytes = result.bytes;
  bytes = "MZ";
  bytes.resize(0x3c, '\0');
  result.new_header_offset = bytes.size();
  Append(bytes, 0x40, 4);
  bytes += std::string("PE\0\0", 4);
  Append(bytes, 0x14c, 2);  // i386
  Append(bytes, 1, 2);      // one section
  bytes.append(4 * 3, '\0');
  result.optional_header_size = bytes.size();
  Append(bytes, 224, 2);
  Append(bytes, 0x102, 2);  // an executable for 32-bit machines
  const std::size_t optional = bytes.size();
  bytes.resize(optional + 224, '\0');
  Put(bytes, optional, 0x10b, 2);
  Put(bytes, optional + 28, 0x400000, 4);  // image base
  Put(bytes, optional + 32, kSectionAddress, 4);
  Put(bytes, optional + 36, 0x200, 4);
  Put(bytes, optional + 48, 4, 2);  // subsystem version
  Put(bytes, optional + 56, kSectionAddress + raw_size, 4);
  Put(bytes, optional + 60, kHeadersSize, 4);
  Put(bytes, optional + 68, 2, 2);  // a windows program
  Put(bytes, optional + 92, 16, 4);
  Put(bytes, optional + 96 + 2 * 8, kSectionAddress, 4);
  Put(bytes, optional + 96 + 2 * 8 + 4, static_cast<std::uint32_t>(section.size()), 4);
  bytes += std::string(".rsrc\0\0\0", 8);
  for (std::uint32_t value : {std::uint32_t(section.size()), kSectionAddress, raw_size})
    Append(bytes, value, 4);
  result.raw_data_pointer = bytes.size();
  Append(bytes, kHeadersSize, 4);
  bytes.append(4 * 3, '\0');
  Append(bytes, 0x40000040, 4);  // initialised, readable data
  bytes.resize(kHeadersSize, '\0');
  result.root_id_count = kHeadersSize + 14;
  result.picture_size = kHeadersSize + 0x80 + 4;
  result.picture = kHeadersSize + picture_at;
  result.group_count = kHeadersSize + group_at + 4;
  bytes += section;
  bytes.resize(kHeadersSize + raw_size, '\0');
  return result;
}

std::string Patched(std::string bytes, std::size_t offset, std::uint32_t value, int width) {
  Put(bytes, offset, value, width);
  return bytes;
}

}  // namespace talo::test

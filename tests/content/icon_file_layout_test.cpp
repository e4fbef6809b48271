// The layout checks of icon files and executables, on bytes damaged where Wine's reader trusts
// them.
#include "content/icon_file_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/icon_files.h"

namespace talo {
namespace {

using test::Patched;

const unsigned char* Data(const std::string& bytes) {
  return reinterpret_cast<const unsigned char*>(bytes.data());
}

struct Damage {
  const char* what;
  std::string bytes;
};

TEST(IconFileLayout, AnIconFileIsWholeOnlyWhenEveryPictureItCountsLiesInsideIt) {
  const std::string icon = test::IconFileBytes(RGB(255, 0, 0));
  EXPECT_TRUE(IsWholeIconFile(Data(icon), icon.size()));
  const std::string cursor = Patched(icon, 2, 2, 2);
  EXPECT_TRUE(IsWholeIconFile(Data(cursor), cursor.size()));
  const auto size = static_cast<std::uint32_t>(icon.size());
  const Damage damaged[] = {
      {"a count of 65535 pictures", Patched(icon, 4, 0xffff, 2)},
      {"no picture", Patched(icon, 4, 0, 2)},
      {"a picture beyond the end", Patched(icon, 6 + 12, size, 4)},
      {"a picture longer than the file", Patched(icon, 6 + 8, size, 4)},
      {"a bitmap 2^27 pixels wide", Patched(icon, 22 + 4, 0x08000001, 4)},
      {"an animation", Patched(icon, 22, 'R' | 'I' << 8 | 'F' << 16 | 'F' << 24, 4)},
      {"a cut directory", icon.substr(0, 12)},
  };
  for (const Damage& damage : damaged)
    EXPECT_FALSE(IsWholeIconFile(Data(damage.bytes), damage.bytes.size())) << damage.what;
}

TEST(IconFileLayout, AnExecutableIsWholeOnlyWhenTheWayToItsPicturesStaysInsideIt) {
  const test::ExecutableWithIcon executable = test::ExecutableWithIconBytes(RGB(0, 0, 255));
  const std::string& bytes = executable.bytes;
  EXPECT_TRUE(IsWholeExecutableIcon(Data(bytes), bytes.size(), 0));
  EXPECT_FALSE(IsWholeExecutableIcon(Data(bytes), bytes.size(), 1)) << "it holds one group";
  const auto size = static_cast<std::uint32_t>(bytes.size());
  const Damage damaged[] = {
      {"a new header beyond the end", Patched(bytes, executable.new_header_offset, size, 4)},
      {"a 16-bit program", Patched(bytes, 0x40, 'N' | 'E' << 8, 2)},
      {"a section table beyond the end",
       Patched(bytes, executable.optional_header_size, 0xffff, 2)},
      {"resources beyond the end", Patched(bytes, executable.raw_data_pointer, size, 4)},
      {"a root directory of 65535 entries", Patched(bytes, executable.root_id_count, 0xffff, 2)},
      {"a group of 65535 pictures", Patched(bytes, executable.group_count, 0xffff, 2)},
      {"a picture longer than the file", Patched(bytes, executable.picture_size, size, 4)},
      {"a bitmap 2^27 pixels wide", Patched(bytes, executable.picture + 4, 0x08000001, 4)},
      {"a cut file", bytes.substr(0, executable.picture + 100)},
  };
  for (const Damage& damage : damaged)
    EXPECT_FALSE(IsWholeExecutableIcon(Data(damage.bytes), damage.bytes.size(), 0)) << damage.what;
}

}  // namespace
}  // namespace talo

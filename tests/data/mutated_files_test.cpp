// Damaged and hostile data files: many mutated copies of the shipped files (truncated, extended,
// flipped bytes, bogus offsets, huge sizes) go through the loaders and the picture builder. None
// may crash or read beyond its view; each loads exactly when it is long enough and its header is
// the program's, and gives pictures only where a record is sound.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "data/graph_data.h"
#include "data/sys_data.h"
#include "data/user_data.h"
#include "tests/support/bitmap_pixels.h"
#include "tests/support/temp_folder.h"
#include "tests/support/win_driver.h"

namespace talo {
namespace {

// Same seed, same mutations: a failure names a mutation that the next run repeats.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  int Below(int limit) { return static_cast<int>(Next() % static_cast<std::uint32_t>(limit)); }

 private:
  std::uint32_t state_;
};

struct Mutation {
  std::string name;
  std::string bytes;
};

std::int32_t Int32At(const std::string& bytes, size_t at) {
  std::int32_t value;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

void PutInt32(std::string& bytes, size_t at, std::int32_t value) {
  if (at + sizeof value <= bytes.size()) std::memcpy(&bytes[at], &value, sizeof value);
}

std::string ViewBytes(const TMappedView& view) {
  return std::string(reinterpret_cast<const char*>(view.View()), view.Size());
}

// Damage any data file may suffer: cut short at many lengths, grown, bytes changed anywhere or in
// the header, or replaced by noise.
std::vector<Mutation> CommonMutations(const std::string& original, Random& random) {
  std::vector<Mutation> mutations;
  const int size = static_cast<int>(original.size());
  std::vector<int> lengths = {0,    1,    23,   24,   31,       32,        1023,    1024,
                              1025, 2047, 2048, 2064, size / 2, size - 16, size - 1};
  for (int i = 0; i < 8; ++i) lengths.push_back(random.Below(size));
  for (int length : lengths)
    if (length >= 0 && length < size)
      mutations.push_back({"cut to " + std::to_string(length), original.substr(0, length)});
  mutations.push_back({"one byte more", original + 'x'});
  std::string noise_tail(4096, '\0');
  for (char& c : noise_tail) c = static_cast<char>(random.Next());
  mutations.push_back({"4096 bytes more", original + noise_tail});

  for (int i = 0; i < 40; ++i) {
    std::string bytes = original;
    // Every fourth copy is damaged in the header only, where the identity is checked.
    const int range = i % 4 == 0 ? 32 : size;
    const int flips = 1 + random.Below(16);
    for (int f = 0; f < flips; ++f)
      bytes[random.Below(range)] ^= static_cast<char>(1 + random.Below(255));
    mutations.push_back({"flips #" + std::to_string(i), bytes});
  }
  std::string noise(size, '\0');
  for (char& c : noise) c = static_cast<char>(random.Next());
  mutations.push_back({"noise", noise});
  return mutations;
}

// Writes each mutation as the data file and loads it into `data`. It must load exactly when it is
// at least as long as the view and its first `checked` header bytes are the program's, and then
// the view holds its bytes; the view never takes a foreign header. `inspect` looks at the view
// after every load, failed or not.
template <typename Data, typename Inspect>
void LoadEach(Data& data, const char* file_name, int checked,
              const std::vector<Mutation>& mutations, Inspect inspect) {
  test::TempFolder folder;
  const std::string own_header = ViewBytes(data).substr(0, checked);
  const size_t view_size = static_cast<size_t>(data.Size());
  for (const Mutation& mutation : mutations) {
    SCOPED_TRACE(mutation.name);
    ASSERT_TRUE(test::WriteFileBytes(folder.File(file_name), mutation.bytes));
    const bool loaded = data.LoadFile(folder.Path().c_str());
    const bool fits =
        mutation.bytes.size() >= view_size && mutation.bytes.compare(0, checked, own_header) == 0;
    EXPECT_EQ(loaded, fits);
    const std::string view = ViewBytes(data);
    EXPECT_EQ(view.substr(0, checked), own_header);
    if (loaded) {
      EXPECT_TRUE(view == mutation.bytes.substr(0, view_size));
    }
    inspect(view);
    if (::testing::Test::HasFailure()) return;
  }
}

// A picture record, read the way the file layout defines it, that Windows can decode without
// reading outside the record: inside the view, its rows within its data, a known depth.
bool IsSoundPicture(const std::string& view, int slot, int& width, int& height) {
  width = height = 0;
  const long long view_size = static_cast<long long>(view.size());
  if (slot < 0 || slot > 255 || view_size <= 2064) return false;
  const long long offset = Int32At(view, 1024 + 4 * slot);
  if (offset < 2048 || offset + 16 >= view_size) return false;
  const long long size = Int32At(view, offset);
  const long long w = Int32At(view, offset + 4);
  const long long h = Int32At(view, offset + 8);
  std::uint16_t bits;
  std::memcpy(&bits, view.data() + offset + 12, sizeof bits);
  if (size < 1 || offset + 16 + size > view_size) return false;
  if (w < 1 || w > 65535 || h < 1 || h > 65535) return false;
  if (bits != 1 && bits != 4 && bits != 24) return false;
  const long long row_bytes = (w * bits + 31) / 32 * 4;
  if (row_bytes * h > size) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

class MutatedFiles : public ::testing::Test {
 protected:
  test::ScreenDC screen_;
};

// Damage that aims at the picture table and the records: offsets at and beyond the ends, fields
// at their limits and beyond, slots pointed into the middle of pixel data.
std::vector<Mutation> GraphicsMutations(const std::string& original, Random& random) {
  std::vector<Mutation> mutations = CommonMutations(original, random);
  std::vector<int> used;
  for (int slot = 0; slot < 256; ++slot)
    if (Int32At(original, 1024 + 4 * slot) != 0) used.push_back(slot);
  auto any_used = [&] { return used[random.Below(static_cast<int>(used.size()))]; };

  const std::int32_t offsets[] = {0,      -1,     1,      1023,    1024,    2047,
                                  2048,   100163, 100176, 100179,  100180,  100195,
                                  100196, 100197, 65536,  INT_MAX, INT_MIN, 0x7FFF0000};
  for (std::int32_t offset : offsets) {
    std::string one = original;
    PutInt32(one, 1024 + 4 * any_used(), offset);
    mutations.push_back({"a slot at offset " + std::to_string(offset), one});
    std::string all = original;
    for (int slot = 0; slot < 256; ++slot) PutInt32(all, 1024 + 4 * slot, offset);
    mutations.push_back({"every slot at offset " + std::to_string(offset), all});
  }
  for (int i = 0; i < 12; ++i) {
    std::string bytes = original;
    for (int slot = 0; slot < 256; ++slot)
      PutInt32(bytes, 1024 + 4 * slot, 2048 + random.Below(100196 - 2048));
    mutations.push_back({"every slot into the pixels #" + std::to_string(i), bytes});
  }

  const std::int32_t extremes[] = {0,       -1,      1,       2,      15,    16,    31,
                                   32,      63,      65535,   65536,  98148, 98149, 100196,
                                   INT_MAX, INT_MIN, 0x10000, 0x7FFF, 43691, 21846};
  const char* fields[] = {"data size", "width", "height"};
  for (int field = 0; field < 3; ++field)
    for (std::int32_t value : extremes) {
      std::string bytes = original;
      PutInt32(bytes, Int32At(original, 1024 + 4 * any_used()) + 4 * field, value);
      mutations.push_back({std::string(fields[field]) + " " + std::to_string(value), bytes});
    }
  for (std::uint16_t bits : {0, 1, 2, 3, 4, 8, 16, 24, 32, 0xFFFF}) {
    std::string bytes = original;
    for (int slot : used) {
      const int at = Int32At(original, 1024 + 4 * slot) + 12;
      std::memcpy(&bytes[at], &bits, sizeof bits);
    }
    mutations.push_back({"every picture at " + std::to_string(bits) + " bits", bytes});
  }
  // The largest sides with the largest depth, whose row total no 32-bit number holds.
  for (std::int32_t height : {65535, 43691}) {
    std::string bytes = original;
    const int record = Int32At(original, 1024 + 4 * any_used());
    PutInt32(bytes, record, 100196 - record - 16);
    PutInt32(bytes, record + 4, 65535);
    PutInt32(bytes, record + 8, height);
    bytes[record + 12] = 24;
    bytes[record + 13] = 0;
    mutations.push_back({"65535 x " + std::to_string(height) + " at 24 bits", bytes});
  }
  for (int i = 0; i < 30; ++i) {
    std::string bytes = original;
    const int record = Int32At(original, 1024 + 4 * any_used());
    const int flips = 1 + random.Below(6);
    for (int f = 0; f < flips; ++f)
      bytes[record + random.Below(16)] ^= static_cast<char>(1 + random.Below(255));
    mutations.push_back({"record header flips #" + std::to_string(i), bytes});
  }
  return mutations;
}

TEST_F(MutatedFiles, GraphicsDataLoadsOnlyWholeFilesAndDecodesOnlySoundPictures) {
  const std::string original = test::ReadFileBytes(test::InstallFolder() + "Graphics.dat");
  ASSERT_EQ(original.size(), 100196u) << "the build writes Graphics.dat";
  TTaloGraphData data;
  ASSERT_TRUE(data.CreateView());
  Random random(0x5EED0001);
  const std::vector<Mutation> mutations = GraphicsMutations(original, random);
  int pictures = 0;
  LoadEach(data, "Graphics.dat", 32, mutations, [&](const std::string& view) {
    for (int slot = -1; slot <= 256; ++slot) {
      int width = 0, height = 0;
      const bool sound = IsSoundPicture(view, slot, width, height);
      PictureBitmapInfo info;
      EXPECT_EQ(data.PictureInfo(info, slot) != 0, sound) << "slot " << slot;
      HBITMAP bitmap = data.CreatePictureBitmap(slot, screen_.get());
      EXPECT_EQ(bitmap != nullptr, sound) << "slot " << slot;
      if (!bitmap) continue;
      ++pictures;
      BITMAP size = {};
      GetObject(bitmap, sizeof size, &size);
      EXPECT_EQ(size.bmWidth, width) << "slot " << slot;
      EXPECT_EQ(size.bmHeight, height) << "slot " << slot;
      DeleteObject(bitmap);
    }
  });
  EXPECT_GT(pictures, 0);
}

TEST_F(MutatedFiles, SystemDataLoadsOnlyWholeFilesOfThisVersion) {
  TTaloSysData data;
  ASSERT_TRUE(data.CreateView());
  std::string original = test::ReadFileBytes(test::InstallFolder() + "System.dat");
  if (original.size() != 7168u) {
    // Without a shipped file, a file of the program's own making with a body of every byte value.
    for (int at = 1024; at < data.Size(); ++at) data.View()[at] = static_cast<unsigned char>(at);
    original = ViewBytes(data);
    ASSERT_TRUE(data.ClearBody());
  }
  Random random(0x5EED0002);
  LoadEach(data, "System.dat", 32, CommonMutations(original, random), [](const std::string&) {});
}

TEST_F(MutatedFiles, UserDataLoadsWholeFilesOfAnyVersionAndReadsOnlyItsTable) {
  TTaloUserData data;
  ASSERT_TRUE(data.CreateView());
  for (int code = 0; code < 2048; ++code)
    ASSERT_TRUE(data.SetStatus(static_cast<unsigned char>(code % 29), code));
  test::TempFolder folder;
  ASSERT_TRUE(data.Save(folder.File("User.dat").c_str()));
  const std::string original = test::ReadFileBytes(folder.File("User.dat"));
  ASSERT_EQ(original.size(), 3072u);
  Random random(0x5EED0003);
  LoadEach(data, "User.dat", 24, CommonMutations(original, random), [&](const std::string& view) {
    unsigned char status = 0xEE;
    EXPECT_FALSE(data.GetStatus(status, -1));
    EXPECT_FALSE(data.GetStatus(status, 2048));
    EXPECT_EQ(status, 0);
    for (int code : {0, 1, 1000, 2047}) {
      EXPECT_TRUE(data.GetStatus(status, code));
      EXPECT_EQ(status, static_cast<unsigned char>(view[1024 + code]));
    }
  });
}

}  // namespace
}  // namespace talo

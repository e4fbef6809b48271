// The input maker: damage of the kinds files suffer and hostile writers aim for.
#include "tests/fuzz/fuzz_random.h"

#include <algorithm>

namespace talo::fuzz {
namespace {

void PutNumber(std::string& bytes, std::size_t at, std::uint32_t value, std::size_t width) {
  for (std::size_t i = 0; i < width && at + i < bytes.size(); ++i)
    bytes[at + i] = static_cast<char>(value >> (8 * i));
}

void Damage(Random& random, std::string& bytes, std::size_t max_size) {
  static const unsigned char kBytes[] = {0x00, 0xFF, 0x7F, 0x80, 0x01, 0x20, 0x0A, 0x0D};
  static const std::uint32_t kWords[] = {0, 0xFFFF, 0x7FFF, 0x8000, 1, 0xFFFE, 0x0100};
  const std::size_t size = bytes.size();
  const std::size_t at = random.Below(size);
  switch (random.Below(10)) {
    case 0:
      if (size) bytes[at] ^= static_cast<char>(1u << random.Below(8));
      break;
    case 1:
      if (size) bytes[at] = static_cast<char>(kBytes[random.Below(sizeof kBytes)]);
      break;
    case 2:
      PutNumber(bytes, at, kWords[random.Below(sizeof kWords / sizeof kWords[0])], 2);
      break;
    case 3: {
      // Counts and offsets near the input's own size are where checks go wrong by one.
      const std::uint32_t values[] = {0,
                                      0xFFFFFFFF,
                                      0x7FFFFFFF,
                                      0x80000000,
                                      1,
                                      static_cast<std::uint32_t>(size),
                                      static_cast<std::uint32_t>(size + 1),
                                      static_cast<std::uint32_t>(size - 1 - at),
                                      0x10000,
                                      static_cast<std::uint32_t>(random.Next())};
      PutNumber(bytes, at & ~std::size_t(random.OneIn(2) ? 3 : 0),
                values[random.Below(sizeof values / sizeof values[0])], 4);
      break;
    }
    case 4:
      bytes.resize(random.Below(size + 1));
      break;
    case 5: {
      const std::size_t extra = 1 + random.Below(random.OneIn(4) ? 4096 : 64);
      const bool noise = random.OneIn(2);
      for (std::size_t i = 0; i < extra && bytes.size() < max_size; ++i)
        bytes += noise ? static_cast<char>(random.Next()) : '\0';
      break;
    }
    case 6: {
      const std::size_t length = random.Below(size - at + 1) % 512;
      const std::string chunk = bytes.substr(at, length);
      if (bytes.size() + chunk.size() <= max_size) bytes.insert(random.Below(size + 1), chunk);
      break;
    }
    case 7:
      bytes.erase(at, random.Below(size - at + 1) % 512);
      break;
    case 8:
      for (int n = 1 + static_cast<int>(random.Below(8)); n > 0 && size; --n)
        bytes[random.Below(size)] = static_cast<char>(random.Next());
      break;
    default:
      if (size) bytes[at] = static_cast<char>(bytes[at] + 1 - 2 * int(random.Below(2)));
      break;
  }
}

}  // namespace

std::string MakeInput(Random& random, const std::vector<std::string>& seeds, std::size_t max_size,
                      InputOrigin& origin) {
  if (seeds.empty() || random.OneIn(8)) {
    origin = InputOrigin::kRandom;
    // Mostly short noise: long noise is refused at its first bytes just the same.
    const std::size_t limit = random.OneIn(4) ? max_size : std::min<std::size_t>(max_size, 256);
    std::string bytes(random.Below(limit + 1), '\0');
    for (char& c : bytes) c = static_cast<char>(random.Next());
    return bytes;
  }
  origin = InputOrigin::kMutated;
  std::string bytes = seeds[random.Below(seeds.size())];
  for (int n = 1 + static_cast<int>(random.Below(8)); n > 0; --n) Damage(random, bytes, max_size);
  if (bytes.size() > max_size) bytes.resize(max_size);
  return bytes;
}

}  // namespace talo::fuzz

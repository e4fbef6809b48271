// The fuzz program's deterministic random numbers and the input maker: the same seed gives the
// same inputs on every run, so a finding can be made again from its reader, count and seed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace talo::fuzz {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  std::uint64_t Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
  }
  // 0 to limit - 1; 0 for a limit of 0.
  std::size_t Below(std::size_t limit) { return limit ? Next() % limit : 0; }
  bool OneIn(int n) { return Below(n) == 0; }

 private:
  std::uint64_t state_;
};

// How an input was made.
enum class InputOrigin { kMutated, kRandom };

// One input for a reader: most are a seed with one to eight damages stacked on it (flipped bits,
// bytes and 16/32-bit numbers set to their boundary values, cut short, grown, a chunk repeated
// or removed); one in eight is noise of a random length up to `max_size`.
std::string MakeInput(Random& random, const std::vector<std::string>& seeds, std::size_t max_size,
                      InputOrigin& origin);

}  // namespace talo::fuzz

// The level generator's own random numbers. Integer arithmetic only, so one
// seed draws the same level on every machine and with every compiler; nothing
// here depends on addresses, hashing order or a library's generator.
#pragma once

#include <cstdint>

class SeededRandom {
 public:
  explicit SeededRandom(std::uint32_t seed) : state_(seed) {}

  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_;
  }
  // 0 .. n - 1 for n > 0, from the high bits (an LCG's low bits cycle short).
  int Below(int n) {
    const std::uint64_t high24 = Next() >> 8;
    return static_cast<int>((high24 * static_cast<std::uint64_t>(n)) >> 24);
  }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  bool Percent(int chance) { return Below(100) < chance; }

 private:
  std::uint32_t state_;
};

// The seed of draw `draw` of a level seed: a well-mixed function of both, so
// consecutive draws (and consecutive seeds) start far apart in the sequence.
inline std::uint32_t DrawSeed(std::uint32_t seed, std::uint32_t draw) {
  std::uint64_t z = (static_cast<std::uint64_t>(seed) << 32 | draw) + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 16);
}

#pragma once
// A small seeded generator (SplitMix64) so a generated workbook is the same bytes
// on every machine; the standard distributions differ between libraries.
#include <cstddef>
#include <cstdint>

namespace fenwarx::bench {

class PseudoRandom {
 public:
  explicit PseudoRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform enough in [low, high] for test data.
  long long between(long long low, long long high) {
    return low + static_cast<long long>(next() % static_cast<std::uint64_t>(high - low + 1));
  }
  bool chance(int percent) { return between(1, 100) <= percent; }
  char letter() { return static_cast<char>('A' + between(0, 25)); }
  char digit() { return static_cast<char>('0' + between(0, 9)); }
  template <typename T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return items[between(0, N - 1)];
  }

 private:
  std::uint64_t state_;
};

}  // namespace fenwarx::bench

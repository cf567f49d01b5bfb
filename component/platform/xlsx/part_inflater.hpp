#pragma once
// Inflating a package part's raw deflate stream with a bound on what it may grow
// to, so a zip bomb is stopped rather than followed.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace fenwarx {

struct InflatedPart {
  enum class Problem { None, Corrupt, PastLimit, OutOfMemory };
  std::string data;
  Problem problem = Problem::None;
};

// Fills `buffer` with up to `capacity` of the next compressed bytes; 0 at their end.
using CompressedInput = std::function<std::size_t(unsigned char* buffer, std::size_t capacity)>;

// `declared_size` and `compressed_size` only size the first allocation; a stream
// that inflates past `limit` bytes stops there, one that ends early or breaks the
// format is corrupt.
InflatedPart inflate_part(const CompressedInput& input, std::uint64_t compressed_size,
                          std::uint64_t declared_size, std::uint64_t limit);

}  // namespace fenwarx

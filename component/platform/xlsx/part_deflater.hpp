#pragma once
// Raw deflate of a package part with its CRC, spread over the cores for large
// parts. The part is cut into fixed slices, each primed with the 32 KiB before it
// and ended on a byte boundary, so the stream is one valid deflate stream and the
// bytes do not depend on how many threads ran.
#include <cstdint>
#include <memory>
#include <string_view>

namespace fenwarx {

struct DeflatedPart {
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
  std::uint32_t crc = 0;  // of the uncompressed data
  std::string_view view() const { return {bytes.get(), size}; }
};

DeflatedPart deflate_part(std::string_view data, int level);
std::uint32_t crc_of(std::string_view data);

}  // namespace fenwarx

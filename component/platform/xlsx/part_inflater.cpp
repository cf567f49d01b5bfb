#include "platform/xlsx/part_inflater.hpp"

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "platform/xlsx/huge_pages.hpp"

namespace fenwarx {
namespace {

// Deflate cannot expand data by more than this ratio; bounds the first allocation.
constexpr std::uint64_t kDeflateMaxRatio = 1032;
constexpr std::size_t kInputChunk = std::size_t{256} << 10;
constexpr std::size_t kLargestStep = std::size_t{1} << 30;  // what zlib's counters hold

class Stream {
 public:
  Stream() { ready_ = inflateInit2(&z_, -15) == Z_OK; }
  ~Stream() {
    if (ready_) inflateEnd(&z_);
  }
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;
  bool ready() const { return ready_; }
  z_stream& z() { return z_; }

 private:
  z_stream z_{};
  bool ready_ = false;
};

}  // namespace

InflatedPart inflate_part(const CompressedInput& input, std::uint64_t compressed_size,
                          std::uint64_t declared_size, std::uint64_t limit) {
  InflatedPart out;
  Stream stream;
  if (!stream.ready()) {
    out.problem = InflatedPart::Problem::OutOfMemory;
    return out;
  }
  z_stream& z = stream.z();

  // The declared size is only trusted as far as the compressed bytes could reach.
  const std::uint64_t plausible = compressed_size * kDeflateMaxRatio + 64;
  std::string& data = out.data;
  const auto expected = static_cast<std::size_t>(std::min({declared_size, plausible, limit}));
  data.reserve(expected);
  advise_huge_pages(data.data(), data.capacity());
  data.resize(expected);

  std::vector<unsigned char> chunk(kInputChunk);
  bool input_done = false;
  std::uint64_t filled = 0;
  for (;;) {
    if (z.avail_in == 0 && !input_done) {
      const std::size_t n = input(chunk.data(), chunk.size());
      input_done = n == 0;
      z.next_in = chunk.data();
      z.avail_in = static_cast<uInt>(n);
    }
    // Full: one byte more tells whether the part really ends where it says.
    const bool full = filled == data.size();
    if (full && filled > limit) break;
    unsigned char probe = 0;
    z.next_out = full ? &probe : reinterpret_cast<Bytef*>(data.data() + filled);
    z.avail_out =
        full ? 1 : static_cast<uInt>(std::min<std::uint64_t>(data.size() - filled, kLargestStep));
    const uInt room = z.avail_out;
    const int result = inflate(&z, Z_NO_FLUSH);
    const std::size_t produced = room - z.avail_out;
    if (full && produced > 0) {
      data.resize(static_cast<std::size_t>(
          std::min<std::uint64_t>(std::max<std::uint64_t>(filled + 1, filled * 2), limit + 1)));
      data[static_cast<std::size_t>(filled)] = static_cast<char>(probe);
    }
    filled += produced;
    if (result == Z_STREAM_END) break;
    if (result == Z_MEM_ERROR) {
      out.problem = InflatedPart::Problem::OutOfMemory;
      return out;
    }
    const bool stalled = result == Z_BUF_ERROR || (produced == 0 && z.avail_in == 0);
    if ((result != Z_OK && result != Z_BUF_ERROR) || (stalled && input_done)) {
      out.problem = InflatedPart::Problem::Corrupt;
      return out;
    }
  }
  if (filled > limit) out.problem = InflatedPart::Problem::PastLimit;
  data.resize(static_cast<std::size_t>(filled));
  return out;
}

}  // namespace fenwarx

#include "platform/xlsx/part_deflater.hpp"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <thread>
#include <vector>

#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/huge_pages.hpp"

namespace fenwarx {
namespace {

// Slices small enough that two cores share a 60 MB sheet evenly, large enough
// that the lost history at each cut costs well under 1% of the ratio.
constexpr std::size_t kSlice = std::size_t{4} << 20;
constexpr std::size_t kWindow = std::size_t{32} << 10;

struct Slice {
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
  std::uint32_t crc = 0;
};

// One slice of at most kSlice bytes (so zlib's 32-bit counters suffice); `history`
// is the data just before it, `last` ends the stream.
Slice deflate_slice(std::string_view history, std::string_view data, int level, bool last) {
  z_stream z{};
  if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw RuntimeError(err::kOutOfMemory, "Out of memory while compressing");
  if (!history.empty())
    deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(history.data()),
                         static_cast<uInt>(history.size()));
  // A sync flush adds an empty stored block: a few bytes beyond the bound.
  const std::size_t bound = deflateBound(&z, static_cast<uLong>(data.size())) + 16;
  Slice out{std::make_unique_for_overwrite<char[]>(bound), 0, 0};
  advise_huge_pages(out.bytes.get(), bound);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.bytes.get());
  z.avail_out = static_cast<uInt>(bound);
  const int result = deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
  const bool complete =
      last ? result == Z_STREAM_END : (result == Z_OK && z.avail_in == 0 && z.avail_out != 0);
  out.size = z.total_out;
  deflateEnd(&z);
  if (!complete) throw RuntimeError(err::kApplication, "Compressing a workbook part failed");
  out.crc = static_cast<std::uint32_t>(
      crc32_z(0L, reinterpret_cast<const Bytef*>(data.data()), data.size()));
  return out;
}

}  // namespace

std::uint32_t crc_of(std::string_view data) {
  return static_cast<std::uint32_t>(
      crc32_z(0L, reinterpret_cast<const Bytef*>(data.data()), data.size()));
}

DeflatedPart deflate_part(std::string_view data, int level) {
  const std::size_t count = std::max<std::size_t>(1, (data.size() + kSlice - 1) / kSlice);
  std::vector<Slice> slices(count);
  std::vector<std::exception_ptr> failures(count);
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i; (i = next.fetch_add(1)) < count;) {
      const std::size_t begin = i * kSlice;
      const std::size_t end = std::min(data.size(), begin + kSlice);
      const std::size_t from = begin > kWindow ? begin - kWindow : 0;
      try {
        slices[i] = deflate_slice(data.substr(from, begin - from), data.substr(begin, end - begin),
                                  level, i + 1 == count);
      } catch (...) {
        failures[i] = std::current_exception();
      }
    }
  };
  const std::size_t threads =
      std::min<std::size_t>(count, std::max(1u, std::thread::hardware_concurrency()));
  std::vector<std::jthread> helpers;
  for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
  work();
  helpers.clear();  // joins
  for (auto& failure : failures)
    if (failure) std::rethrow_exception(failure);

  if (count == 1) return {std::move(slices[0].bytes), slices[0].size, slices[0].crc};
  DeflatedPart out;
  std::size_t total = 0;
  for (const Slice& s : slices) total += s.size;
  out.bytes = std::make_unique_for_overwrite<char[]>(total);
  advise_huge_pages(out.bytes.get(), total);
  std::size_t at = 0;
  for (std::size_t i = 0; i < count; ++i) {
    std::memcpy(out.bytes.get() + at, slices[i].bytes.get(), slices[i].size);
    at += slices[i].size;
    const std::size_t length = std::min(data.size() - i * kSlice, kSlice);
    out.crc = i == 0 ? slices[i].crc
                     : static_cast<std::uint32_t>(
                           crc32_combine(out.crc, slices[i].crc, static_cast<z_off_t>(length)));
  }
  out.size = total;
  return out;
}

}  // namespace fenwarx

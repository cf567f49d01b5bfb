#include "platform/xlsx/part_deflater.hpp"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "zip_test_files.hpp"

namespace fenwarx {
namespace {

std::string inflate_raw(std::string_view deflated, std::size_t size) {
  std::string out(size + 1, '\0');
  z_stream z{};
  EXPECT_EQ(inflateInit2(&z, -15), Z_OK);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
  z.avail_in = static_cast<uInt>(deflated.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  inflateEnd(&z);
  return out;
}

// The same input always deflates to the same bytes, whatever the slicing.
TEST(PartDeflater, SlicedStreamInflatesWholeWithCombinedCrcAndSameBytes) {
  for (std::size_t size : {std::size_t{1}, std::size_t{100000}, std::size_t{4} << 20,
                           (std::size_t{9} << 20) + 12345}) {
    SCOPED_TRACE(size);
    const std::string data = testing::sheet_like(size);
    const DeflatedPart part = deflate_part(data, 1);
    EXPECT_EQ(part.crc, crc_of(data));
    EXPECT_EQ(inflate_raw(part.view(), data.size()), data);
    EXPECT_LT(part.size, data.size() / 4 + 64);
    EXPECT_EQ(deflate_part(data, 1).view(), part.view());
  }
}

}  // namespace
}  // namespace fenwarx

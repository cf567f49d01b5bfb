#pragma once
// Writing a package into an AtomicFile: entries copied raw from the source or
// deflated anew, then the central directory. Output is deterministic.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/atomic_file.hpp"
#include "platform/xlsx/zip_reader.hpp"

namespace fenwarx {

class ZipWriter {
 public:
  explicit ZipWriter(AtomicFile& out);

  // An untouched entry: its stored bytes, method, CRC, sizes and timestamp as read.
  void add_raw(const ZipEntry& entry, std::string_view stored_bytes);
  // A new or changed part, deflated at `level` (1: fast). `like` gives the
  // timestamp to keep when the part replaces one; else 1/1/1980 00:00.
  void add(std::string_view name, std::string_view data, int level = 1,
           const ZipEntry* like = nullptr);
  // Writes the central directory (ZIP64 when past the classic limits).
  void finish();

 private:
  struct Written {
    ZipEntry entry;
    std::uint64_t local_offset;
  };
  void write_local(ZipEntry& entry, std::string_view stored_bytes);

  AtomicFile& out_;
  std::vector<Written> written_;
  bool finished_ = false;
};

}  // namespace fenwarx

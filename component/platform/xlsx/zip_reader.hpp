#pragma once
// Reading a workbook package: entries in their stored order, inflated with a bound
// (a zip bomb is refused), or raw as stored so untouched entries copy byte for byte.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/read_only_file.hpp"

namespace fenwarx {

struct ZipEntry {
  std::string name;
  std::uint64_t index = 0;   // position in the central directory
  std::uint16_t method = 0;  // 0 stored, 8 deflated
  std::uint64_t compressed_size = 0;
  std::uint64_t size = 0;
  std::uint32_t crc = 0;
  std::uint16_t dos_time = 0, dos_date = 0;
  std::uint16_t general_flags = 0;  // bit 11: UTF-8 name
  std::uint32_t external_attributes = 0;
  std::uint8_t made_by_system = 0;
};

class ZipReader {
 public:
  // Largest inflated entry accepted; a package part past it is refused as a zip bomb.
  static constexpr std::uint64_t kMaxEntrySize = std::uint64_t{1} << 30;

  // Opens a package. RuntimeError 53 when the file is missing, 70 when it may not
  // be read, 75 when it is no regular file; 1004 with a description that tells the
  // user what is wrong for: a legacy .xls workbook or an OpenDocument spreadsheet
  // ("save it as .xlsx"), an encrypted (password-protected) workbook, a file that
  // is not a zip, a truncated or corrupt zip, encrypted entries.
  explicit ZipReader(const std::filesystem::path& path);
  // The same with a smaller bound on inflated entries, so the refusal can be tested.
  ZipReader(const std::filesystem::path& path, std::uint64_t max_entry_size);
  ~ZipReader();
  ZipReader(const ZipReader&) = delete;
  ZipReader& operator=(const ZipReader&) = delete;

  const std::vector<ZipEntry>& entries() const noexcept { return entries_; }
  // Exact name first, then ASCII case-insensitive (package part names ignore case).
  const ZipEntry* find(std::string_view name) const;
  // The inflated bytes, checked against the stored size, the CRC and kMaxEntrySize;
  // RuntimeError 1004 naming the entry otherwise.
  std::string read(const ZipEntry& entry) const;
  // The bytes exactly as stored in the archive (still compressed).
  std::string read_raw(const ZipEntry& entry) const;
  const std::filesystem::path& path() const noexcept { return path_; }

 private:
  std::uint64_t data_offset(const ZipEntry& entry) const;

  std::filesystem::path path_;
  std::uint64_t max_entry_size_ = kMaxEntrySize;
  ReadOnlyFile file_;
  std::vector<ZipEntry> entries_;
  std::vector<std::uint64_t> data_offsets_;  // by entry index
};

}  // namespace fenwarx

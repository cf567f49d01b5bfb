#include "platform/xlsx/zip_directory.hpp"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "platform/xlsx/zip_format.hpp"

namespace fenwarx {
namespace {

using namespace zipfmt;

struct EndRecord {
  std::uint64_t position = 0;  // where the record (or its ZIP64 form) starts
  std::uint64_t count = 0;
  std::uint64_t directory_size = 0;
  std::uint64_t directory_offset = 0;
};

// Takes the values a ZIP64 extra field carries for the fields marked as overflowing.
bool apply_zip64_extra(const unsigned char* extra, std::size_t length, ZipEntry& entry,
                       std::uint64_t& local_offset, bool size_overflow, bool compressed_overflow,
                       bool offset_overflow) {
  std::size_t at = 0;
  while (at + 4 <= length) {
    std::uint16_t id = get16(extra + at);
    std::uint16_t field_length = get16(extra + at + 2);
    if (at + 4 + field_length > length) return false;
    if (id == kZip64ExtraId) {
      const unsigned char* p = extra + at + 4;
      std::size_t left = field_length;
      auto take = [&](std::uint64_t& value) {
        if (left < 8) return false;
        value = get64(p);
        p += 8;
        left -= 8;
        return true;
      };
      if (size_overflow && !take(entry.size)) return false;
      if (compressed_overflow && !take(entry.compressed_size)) return false;
      if (offset_overflow && !take(local_offset)) return false;
      return true;
    }
    at += 4 + field_length;
  }
  return !(size_overflow || compressed_overflow || offset_overflow);
}

// A local header repeats the central record: the name and method always, the CRC
// and sizes unless a data descriptor follows the data (then they are zero), each
// size unless it overflows into the ZIP64 extra field.
bool local_header_matches(const unsigned char* header, std::string_view name,
                          const ZipEntry& entry) {
  if (get32(header) != kLocalSignature || get16(header + 8) != entry.method || name != entry.name)
    return false;
  const std::uint32_t crc = get32(header + 14), compressed = get32(header + 18),
                      size = get32(header + 22);
  if ((get16(header + 6) & kFlagDataDescriptor) && crc == 0 && compressed == 0 && size == 0)
    return true;
  return crc == entry.crc && (compressed == kMax32 || compressed == entry.compressed_size) &&
         (size == kMax32 || size == entry.size);
}

}  // namespace

CentralDirectory read_central_directory(const ReadOnlyFile& file) {
  CentralDirectory result;
  auto damaged = [&](std::string problem) {
    result.entries.clear();
    result.data_offsets.clear();
    result.problem = std::move(problem);
    return result;
  };
  const std::uint64_t file_size = file.size();

  std::size_t tail_length =
      static_cast<std::size_t>(std::min<std::uint64_t>(file_size, kEndSize + kMax16));
  std::vector<unsigned char> tail(tail_length);
  std::uint64_t tail_start = file_size - tail_length;
  if (!file.read_exactly(tail_start, tail_length, tail.data()))
    return damaged("the file is cut short");

  // The last end record whose comment fits in the file.
  std::size_t found = std::string::npos;
  for (std::size_t p = tail_length >= kEndSize ? tail_length - kEndSize + 1 : 0; p-- > 0;) {
    if (get32(&tail[p]) == kEndSignature && p + kEndSize + get16(&tail[p + 20]) <= tail_length) {
      found = p;
      break;
    }
  }
  if (found == std::string::npos)
    return damaged("the file is cut short (no end of archive record)");

  const unsigned char* e = &tail[found];
  EndRecord end;
  end.position = tail_start + found;
  end.count = get16(e + 10);
  end.directory_size = get32(e + 12);
  end.directory_offset = get32(e + 16);
  if (get16(e + 4) != 0 || get16(e + 6) != 0) return damaged("the archive spans several disks");

  if (end.position >= kLocator64Size) {
    unsigned char locator[kLocator64Size];
    if (!file.read_exactly(end.position - kLocator64Size, kLocator64Size, locator))
      return damaged("the file is cut short");
    if (get32(locator) == kLocator64Signature) {
      std::uint64_t end64_offset = get64(locator + 8);
      unsigned char end64[kEnd64Size];
      if (end64_offset > end.position || end.position - end64_offset < kEnd64Size ||
          !file.read_exactly(end64_offset, kEnd64Size, end64) || get32(end64) != kEnd64Signature)
        return damaged("the ZIP64 end of archive record is missing");
      end.position = end64_offset;
      end.count = get64(end64 + 32);
      end.directory_size = get64(end64 + 40);
      end.directory_offset = get64(end64 + 48);
    }
  }

  if (end.directory_offset > end.position ||
      end.directory_size > end.position - end.directory_offset ||
      end.count > end.directory_size / kCentralHeaderSize)
    return damaged("the central directory lies outside the file");

  std::vector<unsigned char> directory(static_cast<std::size_t>(end.directory_size));
  if (!file.read_exactly(end.directory_offset, directory.size(), directory.data()))
    return damaged("the file is cut short");

  result.entries.reserve(static_cast<std::size_t>(end.count));
  std::vector<std::uint64_t> local_offsets;
  local_offsets.reserve(static_cast<std::size_t>(end.count));
  std::size_t at = 0;
  for (std::uint64_t i = 0; i < end.count; ++i) {
    if (at + kCentralHeaderSize > directory.size() || get32(&directory[at]) != kCentralSignature)
      return damaged("the central directory is broken");
    const unsigned char* r = &directory[at];
    std::size_t name_length = get16(r + 28), extra_length = get16(r + 30),
                comment_length = get16(r + 32);
    std::size_t record_size = kCentralHeaderSize + name_length + extra_length + comment_length;
    if (at + record_size > directory.size()) return damaged("the central directory is broken");

    ZipEntry entry;
    entry.index = i;
    entry.made_by_system = static_cast<std::uint8_t>(r[5]);
    entry.general_flags = get16(r + 8);
    entry.method = get16(r + 10);
    entry.dos_time = get16(r + 12);
    entry.dos_date = get16(r + 14);
    entry.crc = get32(r + 16);
    entry.compressed_size = get32(r + 20);
    entry.size = get32(r + 24);
    entry.external_attributes = get32(r + 38);
    std::uint64_t local_offset = get32(r + 42);
    entry.name.assign(reinterpret_cast<const char*>(r + kCentralHeaderSize), name_length);
    if (!apply_zip64_extra(r + kCentralHeaderSize + name_length, extra_length, entry, local_offset,
                           entry.size == kMax32, entry.compressed_size == kMax32,
                           local_offset == kMax32))
      return damaged("the ZIP64 sizes of part " + entry.name + " are missing");
    if (local_offset > end.directory_offset ||
        entry.compressed_size > end.directory_offset - local_offset)
      return damaged("part " + entry.name + " lies outside the file");

    result.entries.push_back(std::move(entry));
    local_offsets.push_back(local_offset);
    at += record_size;
  }

  // Two entries of one name leave unclear which part is meant; the words are
  // those users have always been shown for it.
  std::unordered_set<std::string_view> names;
  for (const ZipEntry& entry : result.entries)
    if (!names.insert(entry.name).second) return damaged("File already exists");

  result.data_offsets.reserve(result.entries.size());
  std::vector<unsigned char> local;
  for (std::size_t i = 0; i < result.entries.size(); ++i) {
    const ZipEntry& entry = result.entries[i];
    const std::uint64_t offset = local_offsets[i];
    local.resize(kLocalHeaderSize);
    if (end.directory_offset - offset < kLocalHeaderSize)
      return damaged("part " + entry.name + " lies outside the file");
    if (!file.read_exactly(offset, kLocalHeaderSize, local.data()))
      return damaged("the file is cut short");
    const std::size_t name_length = get16(&local[26]), extra_length = get16(&local[28]);
    const std::uint64_t data = offset + kLocalHeaderSize + name_length + extra_length;
    if (data > end.directory_offset || entry.compressed_size > end.directory_offset - data)
      return damaged("part " + entry.name + " lies outside the file");
    local.resize(kLocalHeaderSize + name_length);
    if (!file.read_exactly(offset + kLocalHeaderSize, name_length, local.data() + kLocalHeaderSize))
      return damaged("the file is cut short");
    const std::string_view local_name(
        reinterpret_cast<const char*>(local.data() + kLocalHeaderSize), name_length);
    if (!local_header_matches(local.data(), local_name, entry))
      return damaged("the archive is inconsistent");
    result.data_offsets.push_back(data);
  }
  return result;
}

}  // namespace fenwarx

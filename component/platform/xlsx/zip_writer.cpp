#include "platform/xlsx/zip_writer.hpp"

#include <zlib.h>

#include <algorithm>
#include <memory>

#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/part_deflater.hpp"
#include "platform/xlsx/zip_format.hpp"

namespace fenwarx {
namespace {

using namespace zipfmt;

constexpr std::uint16_t kVersion = 20;
constexpr std::uint16_t kVersionZip64 = 45;
constexpr std::uint16_t kDate1980 = (1 << 5) | 1;  // 1 January 1980
// Kept from a copied entry: the deflate speed hints and the UTF-8 name flag. Bit 3
// (sizes after the data) never applies, since the sizes are known up front.
constexpr std::uint16_t kKeptFlags = 0x0006 | kFlagUtf8;

constexpr std::size_t kSmallPart = 64 * 1024;
constexpr std::size_t kDirectoryChunk = 1024 * 1024;

bool needs_zip64(const ZipEntry& e) { return e.size >= kMax32 || e.compressed_size >= kMax32; }

std::uint16_t made_by(const ZipEntry& e, std::uint16_t version) {
  return static_cast<std::uint16_t>((e.made_by_system << 8) | version);
}

}  // namespace

ZipWriter::ZipWriter(AtomicFile& out) : out_(out) {}

void ZipWriter::add_raw(const ZipEntry& entry, std::string_view stored_bytes) {
  ZipEntry copy = entry;
  copy.compressed_size = stored_bytes.size();
  write_local(copy, stored_bytes);
}

void ZipWriter::add(std::string_view name, std::string_view data, int level, const ZipEntry* like) {
  ZipEntry entry;
  entry.name = name;
  entry.size = data.size();
  entry.dos_time = like ? like->dos_time : 0;
  entry.dos_date = like ? like->dos_date : kDate1980;
  if (like) {
    entry.external_attributes = like->external_attributes;
    entry.made_by_system = like->made_by_system;
  }
  if (std::any_of(name.begin(), name.end(), [](char c) { return (c & 0x80) != 0; }))
    entry.general_flags |= kFlagUtf8;

  DeflatedPart deflated;
  if (level != 0 && !data.empty()) deflated = deflate_part(data, std::clamp(level, -1, 9));
  entry.crc = deflated.bytes ? deflated.crc : crc_of(data);
  if (deflated.size > 0 && deflated.size < data.size()) {
    entry.method = kMethodDeflated;
    entry.compressed_size = deflated.size;
    write_local(entry, deflated.view());
  } else {
    entry.method = kMethodStored;
    entry.compressed_size = data.size();
    write_local(entry, data);
  }
}

void ZipWriter::write_local(ZipEntry& entry, std::string_view stored_bytes) {
  if (finished_)
    throw RuntimeError(err::kInvalidCall, "Adding part " + entry.name + " to a finished package");
  if (entry.name.empty() || entry.name.size() > kMax16)
    throw RuntimeError(err::kInvalidCall, "A package part name must have 1 to 65535 bytes");
  entry.general_flags &= kKeptFlags;
  bool zip64 = needs_zip64(entry);

  std::string header;
  header.reserve(kLocalHeaderSize + entry.name.size() + 20);
  put32(header, kLocalSignature);
  put16(header, zip64 ? kVersionZip64 : kVersion);
  put16(header, entry.general_flags);
  put16(header, entry.method);
  put16(header, entry.dos_time);
  put16(header, entry.dos_date);
  put32(header, entry.crc);
  put32(header, zip64 ? kMax32 : static_cast<std::uint32_t>(entry.compressed_size));
  put32(header, zip64 ? kMax32 : static_cast<std::uint32_t>(entry.size));
  put16(header, static_cast<std::uint16_t>(entry.name.size()));
  put16(header, zip64 ? 20 : 0);
  header += entry.name;
  if (zip64) {
    put16(header, kZip64ExtraId);
    put16(header, 16);
    put64(header, entry.size);
    put64(header, entry.compressed_size);
  }

  std::uint64_t offset = out_.size();
  // Small parts go out with their header in one write.
  if (stored_bytes.size() <= kSmallPart) {
    header += stored_bytes;
    out_.write(header);
  } else {
    out_.write(header);
    out_.write(stored_bytes);
  }
  entry.index = written_.size();
  written_.push_back({entry, offset});
}

void ZipWriter::finish() {
  if (finished_) return;
  finished_ = true;

  std::uint64_t directory_offset = out_.size();
  bool any_zip64 = written_.size() >= kMax16;
  std::string record, directory;
  for (const Written& w : written_) {
    const ZipEntry& e = w.entry;
    bool big_size = e.size >= kMax32, big_compressed = e.compressed_size >= kMax32,
         big_offset = w.local_offset >= kMax32;
    bool zip64 = big_size || big_compressed || big_offset;
    any_zip64 = any_zip64 || zip64;
    std::uint16_t extra = static_cast<std::uint16_t>(8 * (big_size + big_compressed + big_offset));

    record.clear();
    put32(record, kCentralSignature);
    std::uint16_t version = zip64 ? kVersionZip64 : kVersion;
    put16(record, made_by(e, version));
    put16(record, version);
    put16(record, e.general_flags);
    put16(record, e.method);
    put16(record, e.dos_time);
    put16(record, e.dos_date);
    put32(record, e.crc);
    put32(record, big_compressed ? kMax32 : static_cast<std::uint32_t>(e.compressed_size));
    put32(record, big_size ? kMax32 : static_cast<std::uint32_t>(e.size));
    put16(record, static_cast<std::uint16_t>(e.name.size()));
    put16(record, zip64 ? static_cast<std::uint16_t>(4 + extra) : 0);
    put16(record, 0);  // comment
    put16(record, 0);  // disk
    put16(record, 0);  // internal attributes
    put32(record, e.external_attributes);
    put32(record, big_offset ? kMax32 : static_cast<std::uint32_t>(w.local_offset));
    record += e.name;
    if (zip64) {
      put16(record, kZip64ExtraId);
      put16(record, extra);
      if (big_size) put64(record, e.size);
      if (big_compressed) put64(record, e.compressed_size);
      if (big_offset) put64(record, w.local_offset);
    }
    directory += record;
    if (directory.size() >= kDirectoryChunk) {
      out_.write(directory);
      directory.clear();
    }
  }
  out_.write(directory);

  std::uint64_t end64_offset = out_.size();
  std::uint64_t directory_size = end64_offset - directory_offset;
  std::uint64_t count = written_.size();
  any_zip64 = any_zip64 || directory_offset >= kMax32 || directory_size >= kMax32;

  record.clear();
  if (any_zip64) {
    put32(record, kEnd64Signature);
    put64(record, kEnd64Size - 12);
    put16(record, kVersionZip64);
    put16(record, kVersionZip64);
    put32(record, 0);
    put32(record, 0);
    put64(record, count);
    put64(record, count);
    put64(record, directory_size);
    put64(record, directory_offset);
    put32(record, kLocator64Signature);
    put32(record, 0);
    put64(record, end64_offset);
    put32(record, 1);
  }
  auto clip16 = [&](std::uint64_t v) {
    return v >= kMax16 ? kMax16 : static_cast<std::uint16_t>(v);
  };
  auto clip32 = [&](std::uint64_t v) {
    return v >= kMax32 ? kMax32 : static_cast<std::uint32_t>(v);
  };
  put32(record, kEndSignature);
  put16(record, 0);
  put16(record, 0);
  put16(record, clip16(count));
  put16(record, clip16(count));
  put32(record, clip32(directory_size));
  put32(record, clip32(directory_offset));
  put16(record, 0);  // comment
  out_.write(record);
}

}  // namespace fenwarx

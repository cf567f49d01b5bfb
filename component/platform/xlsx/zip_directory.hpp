#pragma once
// An archive's layout as stored: the central directory's records, with the raw DOS
// fields, flags and attributes a byte-faithful copy needs, each checked against
// its local header, and where each entry's stored bytes begin.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/read_only_file.hpp"
#include "platform/xlsx/zip_reader.hpp"

namespace fenwarx {

struct CentralDirectory {
  std::vector<ZipEntry> entries;            // in stored order; index is the position
  std::vector<std::uint64_t> data_offsets;  // where each entry's stored bytes begin
  std::string problem;                      // why the archive is damaged; empty when sound
};

// RuntimeError 57 on a read error.
CentralDirectory read_central_directory(const ReadOnlyFile& file);

}  // namespace fenwarx

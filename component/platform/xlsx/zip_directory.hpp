#pragma once
// The central directory as stored: libzip keeps only a decoded time, so the raw DOS
// fields, flags and attributes that a byte-faithful copy needs are read here.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/xlsx/zip_reader.hpp"

namespace fenwarx {

struct CentralDirectory {
  std::vector<ZipEntry> entries;  // in stored order; index is the position
  std::string problem;            // why the archive is damaged; empty when it is sound
};

// Reads the records of the archive open on `fd`. RuntimeError 57 on a read error.
CentralDirectory read_central_directory(int fd, std::uint64_t file_size,
                                        const std::filesystem::path& path);

}  // namespace fenwarx

#pragma once
// Building and reading zip files for the package reader and writer tests.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/files/atomic_file.hpp"
#include "platform/xlsx/zip_writer.hpp"
#include "support/test_paths.hpp"

namespace fenwarx::testing {

// A package at `path` holding what `fill` adds.
template <class Fill>
void write_zip(const std::filesystem::path& path, Fill fill) {
  AtomicFile out(path);
  ZipWriter zip(out);
  fill(zip);
  zip.finish();
  out.commit();
}

using Parts = std::vector<std::pair<std::string, std::string>>;

// A package with these parts deflated at level 1 and the default timestamp.
inline void make_zip(const std::filesystem::path& path, const Parts& parts) {
  write_zip(path, [&](ZipWriter& zip) {
    for (const auto& [name, data] : parts) zip.add(name, data);
  });
}

// `size` bytes of sheet-like text, repetitive enough for deflate to reach back across slices.
inline std::string sheet_like(std::size_t size) {
  std::string text;
  for (unsigned row = 1; text.size() < size; ++row)
    text += "<row r=\"" + std::to_string(row) + "\"><c r=\"A" + std::to_string(row) +
            "\" t=\"s\"><v>" + std::to_string(row * 7919 % 1000) + "</v></c></row>";
  text.resize(size);
  return text;
}

}  // namespace fenwarx::testing

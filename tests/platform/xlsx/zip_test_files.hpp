#pragma once
// Building, reading and checking zip files for the package reader and writer tests.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/files/atomic_file.hpp"
#include "platform/xlsx/zip_writer.hpp"

namespace fenwarx::testing {

inline std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void put(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

using Parts = std::vector<std::pair<std::string, std::string>>;

// A package with these parts deflated at level 1 and the default timestamp.
inline void make_zip(const std::filesystem::path& path, const Parts& parts) {
  AtomicFile out(path);
  ZipWriter zip(out);
  for (const auto& [name, data] : parts) zip.add(name, data);
  zip.finish();
  out.commit();
}

// True when an independent reader opens the archive and every CRC matches.
inline bool python_accepts(const std::filesystem::path& path) {
  std::string command =
      "/usr/bin/python3 -c \"import zipfile,sys; z=zipfile.ZipFile(sys.argv[1]); "
      "assert z.testzip() is None\" '" + path.string() + "'";
  return std::system(command.c_str()) == 0;
}

// Some repetitive text, like a sheet part, so deflate has something to do.
inline std::string sheet_like(int rows) {
  std::string xml = "<sheetData>";
  for (int r = 1; r <= rows; ++r)
    xml += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) +
           "\" t=\"s\"><v>" + std::to_string(r % 17) + "</v></c></row>";
  return xml + "</sheetData>";
}

}  // namespace fenwarx::testing

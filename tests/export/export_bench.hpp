#pragma once
// What the export tests share: a return object exporting into a folder with its
// messages recorded, the golden copies, and a file's bytes, records and fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "export/export.hpp"
#include "export/return_file_check.hpp"
#include "platform/values/dates.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx::testing {

inline std::vector<std::string> files_in(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename());
  return names;
}

// A return object of `form` writing into `folder`, its messages recorded, today 15/06/2006.
struct ExportBench {
  ExportBench(Form form, const std::filesystem::path& folder)
      : self(return_class(form), Platform{ui, *clock, folder}) {}
  void run(const std::vector<LaidSheet>& sheets) {
    book = memory_workbook(sheets);
    ExportETDS_Vantor(self, book);
  }
  std::string file() const { return slurp(return_file_path(self)); }

  RecordingUi ui;
  std::unique_ptr<Clock> clock = fixed_clock(serial_from_civil({2006, 6, 15}));
  ReturnObject self;
  std::shared_ptr<MemoryWorkbook> book;
};

// tests/export/golden/NAME; FENWARX_UPDATE_GOLDEN=1 has the golden tests rewrite them.
inline std::filesystem::path golden_file(const std::string& name) {
  return std::filesystem::path(FENWARX_FIXTURES) / ".." / "export" / "golden" / name;
}
inline void expect_golden(const std::string& file, const std::string& name) {
  if (std::getenv("FENWARX_UPDATE_GOLDEN"))
    std::ofstream(golden_file(name), std::ios::binary) << file;
  EXPECT_EQ(file, slurp(golden_file(name)));
}

// The fields of a record line, without its trailing caret and CR LF.
inline std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t at = line.find('^'); at != std::string::npos; at = line.find('^', start)) {
    out.push_back(line.substr(start, at - start));
    start = at + 1;
  }
  return out;
}

// Records as a file holds them: each field ends in a caret, each line in CR LF.
inline std::string text_of(const std::vector<std::vector<std::string>>& records) {
  std::string text;
  for (const auto& fields : records) {
    for (const std::string& field : fields) text += field + "^";
    text += "\r\n";
  }
  return text;
}

// The lines of a file, without their CR LF.
inline std::vector<std::string> lines_of(const std::string& file) {
  std::vector<std::string> out;
  for (std::size_t start = 0, end; (end = file.find("\r\n", start)) != std::string::npos;
       start = end + 2)
    out.push_back(file.substr(start, end - start));
  return out;
}

// Fields per record type, counted by carets; every line ends in CR LF.
inline void expect_record_shapes(const std::string& file) {
  std::size_t start = 0;
  long long line = 0;
  while (start < file.size()) {
    const std::size_t end = file.find("\r\n", start);
    ASSERT_NE(end, std::string::npos) << "line " << line + 1 << " lacks CR LF";
    const std::string record = file.substr(start, end - start);
    ++line;
    EXPECT_EQ(record.find_first_of("\r\n\t"), std::string::npos) << record;
    EXPECT_EQ(record.substr(0, record.find('^')), std::to_string(line));
    const std::string type = record.substr(record.find('^') + 1, 2);
    const long long carets = std::count(record.begin(), record.end(), '^');
    const long long expected = type == "FH" ? 15 : type == "BH" ? 52 : type == "CD" ? 38 : 32;
    EXPECT_EQ(carets, expected) << record;
    start = end + 2;
  }
}

// The checker finds neither a finding nor a warning in `file`.
inline void expect_clean_check(const std::string& file) {
  const CheckReport report = check_return_file(file);
  for (const CheckFinding& f : report.findings)
    ADD_FAILURE() << "line " << f.line << ", field " << f.field << ": " << f.message;
  for (const CheckFinding& w : report.warnings)
    ADD_FAILURE() << "warning: line " << w.line << ", field " << w.field << ": " << w.message;
}

}  // namespace fenwarx::testing

#pragma once
// A workbook backed by an .xlsx or .xlsm file. Opening reads every sheet; saving
// rewrites only the parts that changed and copies every other entry raw, into a
// temporary file that replaces the target only when complete.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/spreadsheet/stored_sheet.hpp"

namespace fenwarx {

class XlsxWorkbook : public Workbook {
 public:
  // RuntimeError 53 for a missing file, 75 naming it for a folder, a named pipe or
  // a device (refused unopened), 1004 with a clear description for anything else
  // that is not a readable workbook; the file is never touched.
  static std::shared_ptr<XlsxWorkbook> open(const std::filesystem::path& path);
  // A new workbook with these sheets, in this order, to be saved with save_as.
  static std::shared_ptr<XlsxWorkbook> create(const std::vector<std::string>& sheet_names);
  ~XlsxWorkbook() override;

  void save();  // back to the file it was opened from
  void save_as(const std::filesystem::path& path);
  bool modified() const;
  bool macro_enabled() const;
  const std::filesystem::path& path() const;

  std::vector<std::string> sheet_names() const override;
  Worksheet* find_sheet(std::string_view name) override;  // exact, then ignoring ASCII case
  std::filesystem::path Path() const override;            // the folder of path(), absolute
  StoredSheet& sheet(std::size_t index);
  std::size_t sheet_count() const;

 private:
  XlsxWorkbook();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace fenwarx

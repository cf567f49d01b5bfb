#pragma once
// A workbook in memory that remembers how each cell stood before a run first
// changed it: what a caller holding the cells itself (the spreadsheet's toolbar
// in its bulk mode) must write back, and nothing more. Filling the sheets is not
// recorded; every write through the workbook's own sheets is.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/spreadsheet/memory_workbook.hpp"

namespace fenwarx {

// A cell whose value, number format or fill differs from how it stood before
// the run, with what it holds now.
struct CellChange {
  std::string sheet;
  int row = 0, column = 0;
  bool value_changed = false, format_changed = false, color_changed = false;
  Variant value;  // as stored: Empty, Number, Text, Boolean or Error
  std::string format;
  std::uint32_t color = kColorNone;
};

class RecordedWorkbook : public Workbook {
 public:
  RecordedWorkbook();
  ~RecordedWorkbook() override;

  // A new sheet, filled through the returned storage without being recorded.
  StoredSheet& add_sheet(std::string name);
  // The storage of the sheet of that name (null when none): what is written
  // there is how the sheet stands, not a change.
  StoredSheet* find_storage(std::string_view name);

  std::vector<std::string> sheet_names() const override;
  Worksheet* find_sheet(std::string_view name) override;
  std::filesystem::path Path() const override { return storage_.Path(); }
  void set_path(std::filesystem::path folder) { storage_.set_path(std::move(folder)); }

  // The cells that differ from how they stood before their first recorded
  // write, sheet by sheet in the order they were added, then row by row.
  std::vector<CellChange> changes() const;

 private:
  class Sheet;
  MemoryWorkbook storage_;
  std::vector<std::unique_ptr<Sheet>> sheets_;
};

}  // namespace fenwarx

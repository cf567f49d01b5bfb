#pragma once
// A workbook that lives in memory only: for tests, and as what a layout builds.
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/spreadsheet/stored_sheet.hpp"

namespace fenwarx {

class MemoryWorkbook : public Workbook {
 public:
  MemoryWorkbook();
  StoredSheet& add_sheet(std::string name);

  std::vector<std::string> sheet_names() const override;
  Worksheet* find_sheet(std::string_view name) override;
  // A workbook made from a file's data answers with that file's folder.
  std::filesystem::path Path() const override { return folder_; }
  void set_path(std::filesystem::path folder) { folder_ = std::move(folder); }

 private:
  std::filesystem::path folder_;
  std::shared_ptr<TextPool> texts_;
  std::shared_ptr<StyleBook> styles_;
  std::vector<std::unique_ptr<StoredSheet>> sheets_;
};

// A compact way to lay out a test workbook in code:
//   auto wb = layout({{"Deductor Details", {{1, 2, "ABCD12345E"}, {32, 2, "Q1"}}}});
// Each value is typed into its cell as a user would type it.
struct LaidCell {
  int row, column;
  std::string typed;
};
struct LaidSheet {
  std::string name;
  std::vector<LaidCell> cells;
};
std::shared_ptr<MemoryWorkbook> layout(std::initializer_list<LaidSheet> sheets);

}  // namespace fenwarx

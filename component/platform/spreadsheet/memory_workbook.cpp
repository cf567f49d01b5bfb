#include "platform/spreadsheet/memory_workbook.hpp"

#include "platform/spreadsheet/memory_style_book.hpp"
#include "platform/values/ascii.hpp"

namespace fenwarx {

MemoryWorkbook::MemoryWorkbook()
    : texts_(std::make_shared<TextPool>()), styles_(std::make_shared<MemoryStyleBook>()) {}

StoredSheet& MemoryWorkbook::add_sheet(std::string name) {
  sheets_.push_back(std::make_unique<StoredSheet>(std::move(name), texts_, styles_));
  return *sheets_.back();
}

std::vector<std::string> MemoryWorkbook::sheet_names() const {
  std::vector<std::string> names;
  names.reserve(sheets_.size());
  for (const auto& sheet : sheets_) names.push_back(sheet->Name());
  return names;
}

Worksheet* MemoryWorkbook::find_sheet(std::string_view name) {
  for (const auto& sheet : sheets_) {
    if (sheet->Name() == name) return sheet.get();
  }
  for (const auto& sheet : sheets_) {
    if (equal_ignoring_case(sheet->Name(), name)) return sheet.get();
  }
  return nullptr;
}

std::shared_ptr<MemoryWorkbook> layout(std::initializer_list<LaidSheet> sheets) {
  auto workbook = std::make_shared<MemoryWorkbook>();
  for (const LaidSheet& laid : sheets) {
    StoredSheet& sheet = workbook->add_sheet(laid.name);
    for (const LaidCell& cell : laid.cells) {
      sheet.Cells(cell.row, cell.column).SetValue(Variant::text(cell.typed));
    }
  }
  return workbook;
}

}  // namespace fenwarx

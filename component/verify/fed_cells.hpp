#pragma once
// What the return file cannot carry, found where it was typed: a cell that feeds a
// record and holds an error value (#N/A), or whose text holds "^" (the file's
// delimiter) or a character outside printable ASCII. Each is a finding at its
// cell, whether or not its column has a rule of its own.
#include <string_view>
#include <vector>

#include "layout/fed_fields.hpp"
#include "layout/field_table.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"

namespace fenwarx {

class ReturnObject;

// The columns of a sheet laid out by `table` whose fields are in `fed`.
template <class Role>
std::vector<int> fed_columns(const FieldTable<Role>& table, const RoleSet<Role>& fed) {
  std::vector<int> columns;
  int column = 0;
  for (const auto& field : table.all()) {
    ++column;
    if (fed[static_cast<std::size_t>(field.role)]) columns.push_back(column);
  }
  return columns;
}

// Tabs and line breaks pass: the writer removes them.
bool file_can_carry(std::string_view text);

// The fed cells of one row of a walk, the error values among them noted before
// the row's steps run (a step may write over them) and judged after, with the
// texts the row's record kept.
class FedRow {
 public:
  // `columns`: the sheet's columns whose text the file carries.
  FedRow(ReturnObject& self, Worksheet& sheet, std::vector<int> columns);

  void before(int row);
  // `kept(column)`: the text the record keeps of that column.
  template <class Kept>
  void after(int row, Kept kept) {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      const bool error_value = errors_[i];
      if (error_value || !file_can_carry(kept(columns_[i]))) mark(row, columns_[i], error_value);
    }
  }

 private:
  void mark(int row, int column, bool error_value);

  ReturnObject& self_;
  Worksheet& sheet_;
  std::vector<int> columns_;
  std::vector<bool> errors_;  // columns_[i] held an error value
};

// Marks one cell as FedRow does, for a cell whose text is read as it stands.
void check_fed_cell(ReturnObject& self, Worksheet& sheet, int row, int column);

}  // namespace fenwarx

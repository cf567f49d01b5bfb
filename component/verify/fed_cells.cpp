#include "verify/fed_cells.hpp"

#include <utility>

#include "checks/error_marker.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

bool holds_error(const Worksheet& sheet, int row, int column) {
  return sheet.stored_value(row, column).type() == VariantType::Error;
}

// A cell a rule of its own has marked in this row already is not marked again:
// one cell, one error in the count.
bool marked_in_row(const ReturnObject& self, const Worksheet& sheet, int row, int column) {
  for (auto it = self.findings.rbegin(); it != self.findings.rend() && it->row == row; ++it)
    if (it->column == column && it->sheet == sheet.Name()) return true;
  return false;
}

void mark_fed(ReturnObject& self, Worksheet& sheet, int row, int column, bool error_value) {
  if (marked_in_row(self, sheet, row, column)) return;
  MarkCell(self, row, column, true, error_value ? Rule::ErrorValue : Rule::FileCharacter);
}

}  // namespace

bool file_can_carry(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      if (byte == '^') return false;
    } else if (byte != '\t' && byte != '\r' && byte != '\n') {
      return false;
    }
  }
  return true;
}

FedRow::FedRow(ReturnObject& self, Worksheet& sheet, std::vector<int> columns)
    : self_(self), sheet_(sheet), columns_(std::move(columns)), errors_(columns_.size()) {}

void FedRow::before(int row) {
  for (std::size_t i = 0; i < columns_.size(); ++i)
    errors_[i] = holds_error(sheet_, row, columns_[i]);
}

void FedRow::mark(int row, int column, bool error_value) {
  mark_fed(self_, sheet_, row, column, error_value);
}

void check_fed_cell(ReturnObject& self, Worksheet& sheet, int row, int column) {
  const bool error_value = holds_error(sheet, row, column);
  if (error_value || !file_can_carry(sheet.value_text(row, column)))
    mark_fed(self, sheet, row, column, error_value);
}

}  // namespace fenwarx

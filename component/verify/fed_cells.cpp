#include "verify/fed_cells.hpp"

#include <utility>

#include "checks/error_marker.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

bool holds_error(const Worksheet& sheet, int row, int column) {
  return sheet.stored_value(row, column).type() == VariantType::Error;
}

// The finding a rule of the cell's own made in this row, if any.
Finding* marked_in_row(ReturnObject& self, const Worksheet& sheet, int row, int column) {
  for (auto it = self.findings.rbegin(); it != self.findings.rend() && it->row == row; ++it)
    if (it->column == column && it->sheet == sheet.Name()) return &*it;
  return nullptr;
}

// One cell, one error in the count: a cell its own rule marked is not marked
// again, but an error value is what the finding then says (the rule saw only the
// text the error reads as).
void mark_fed(ReturnObject& self, Worksheet& sheet, int row, int column, bool error_value) {
  if (Finding* marked = marked_in_row(self, sheet, row, column)) {
    if (error_value) marked->rule = Rule::ErrorValue;
    return;
  }
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

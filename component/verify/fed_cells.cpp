#include "verify/fed_cells.hpp"

#include <type_traits>
#include <utility>
#include <variant>

#include "checks/error_marker.hpp"
#include "checks/field_faults.hpp"
#include "checks/field_formats.hpp"
#include "platform/values/ascii.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

// The finding a rule of the cell's own made in this row, if any.
Finding* marked_in_row(ReturnObject& self, const Worksheet& sheet, int row, int column) {
  for (auto it = self.findings.rbegin(); it != self.findings.rend() && it->row == row; ++it)
    if (it->column == column && it->sheet == sheet.Name()) return &*it;
  return nullptr;
}

// One cell, one error in the count: a cell its own rule marked is not marked
// again, but an error value is what the finding then says (the rule saw only the
// text the error reads as).
void mark_fed(ReturnObject& self, Worksheet& sheet, int row, int column, Rule rule) {
  if (Finding* marked = marked_in_row(self, sheet, row, column)) {
    if (rule == Rule::ErrorValue) marked->rule = Rule::ErrorValue;
    return;
  }
  MarkCell(self, row, column, true, rule);
}

bool carried(const Variant& value) {
  return value.type() != VariantType::Error &&
         (value.type() != VariantType::Text || file_can_carry(value.text_value()));
}

// The text a field takes from its source's: the deductor's rows may be trimmed first.
std::string_view source_text(const ReturnField& field, std::string_view held) {
  const auto* row = std::get_if<source::Deductor>(&field.source);
  return row && row->trimmed ? trimmed_view(held) : held;
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

bool cell_carries(const Worksheet& sheet, int row, int column) {
  return carried(sheet.stored_value(row, column));
}

// A short number of digits with at most one point, which every amount format
// writes as an amount the field holds: most cells, judged without writing them.
bool plain_amount(const ReturnField& field, std::string_view text) {
  if (field.check != Check::Amount && field.check != Check::DepositTotal) return false;
  if (field.format != Format::Amount && field.format != Format::AmountOrZero &&
      field.format != Format::StrictAmount && field.format != Format::LeadingAmount)
    return false;
  if (text.empty() || text.size() > 15) return false;
  if (field.max_length > 0 && text.size() + 3 > static_cast<std::size_t>(field.max_length))
    return false;
  int points = 0;
  for (char c : text) {
    if (c == '.')
      ++points;
    else if (c < '0' || c > '9')
      return false;
  }
  return points <= 1 && text.front() != '.';
}

Rule misfit(std::span<const ReturnField* const> fields, std::string_view text) {
  std::string written;
  for (const ReturnField* field : fields) {
    if (plain_amount(*field, text)) continue;
    written.clear();
    if (!append_plain_format(written, field->format, source_text(*field, text))) continue;
    // The writer drops tabs and line breaks.
    std::erase_if(written, [](char c) { return c == '\t' || c == '\r' || c == '\n'; });
    if (const auto fault = field_fault(*field, written)) return fault->rule;
  }
  return Rule::None;
}

void FedRow::before(int row) {
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    Variant value = sheet_.stored_value(row, columns_[i]);
    originals_[i] = carried(value) ? std::nullopt : std::optional<Variant>(std::move(value));
  }
}

void FedRow::mark(int row, std::size_t index, Rule rule) {
  const int column = columns_[index];
  mark_fed(self_, sheet_, row, column, rule);
  const std::optional<Variant>& original = originals_[index];
  if (original && !(sheet_.stored_value(row, column) == *original))
    sheet_.store_value(row, column, *original);
}

void check_fed_cell(ReturnObject& self, Worksheet& sheet, int row, int column,
                    std::span<const ReturnField* const> fields) {
  if (sheet.stored_value(row, column).type() == VariantType::Error) {
    mark_fed(self, sheet, row, column, Rule::ErrorValue);
    return;
  }
  const std::string text = sheet.value_text(row, column);
  if (!file_can_carry(text))
    mark_fed(self, sheet, row, column, Rule::FileCharacter);
  else if (const Rule rule = misfit(fields, text); rule != Rule::None)
    mark_fed(self, sheet, row, column, rule);
}

}  // namespace fenwarx

#include "platform/spreadsheet/spreadsheet.hpp"

#include <algorithm>
#include <atomic>

#include "platform/spreadsheet/date_serials.hpp"
#include "platform/spreadsheet/typed_entry.hpp"
#include "platform/values/number_format.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {

namespace {

constexpr std::string_view kDateFormat = "dd/mm/yyyy";

// Stores a date serial, giving the cell a date format when it shows none; false
// when the workbook's date system cannot hold the day.
bool store_date(Worksheet& sheet, int row, int column, double date) {
  const auto stored = stored_from_date(date, sheet.date1904());
  if (!stored) return false;
  if (!sheet.has_date_format(row, column)) sheet.set_number_format(row, column, kDateFormat);
  sheet.store_value(row, column, Variant::number(*stored));
  return true;
}

}  // namespace

Variant Cell::Value() const { return sheet_->value(row_, column_); }

std::string Cell::ValueText() const { return sheet_->value_text(row_, column_); }

std::string Worksheet::value_text(int row, int column) const {
  return value(row, column).to_text();
}

Variant Worksheet::value(int row, int column) const {
  Variant stored = stored_value(row, column);
  if (stored.type() == VariantType::Number && has_date_format(row, column))
    return Variant::date(date_from_stored(stored.number_value(), date1904()));
  return stored;
}

void Cell::SetValue(const Variant& value) {
  Worksheet& sheet = *sheet_;
  ++sheet.writes_;
  switch (value.type()) {
    case VariantType::Text: {
      const std::string& text = value.text_value();
      if (text.empty()) {
        sheet.store_value(row_, column_, Variant());
        return;
      }
      if (sheet.number_format(row_, column_) == "@") {
        sheet.store_value(row_, column_, value);
        return;
      }
      const Variant typed = read_typed(text);
      if (typed.type() != VariantType::Date) {
        sheet.store_value(row_, column_, typed);
      } else if (!store_date(sheet, row_, column_, typed.number_value())) {
        sheet.store_value(row_, column_, value);  // before the first day: kept as typed
      }
      return;
    }
    case VariantType::Date:
      if (!store_date(sheet, row_, column_, value.number_value())) {
        sheet.store_value(row_, column_, Variant::text(value.to_text()));
      }
      return;
    case VariantType::Object: throw RuntimeError(err::kTypeMismatch);
    case VariantType::Empty:
    case VariantType::Number:
    case VariantType::Boolean:
    case VariantType::Error: sheet.store_value(row_, column_, value); return;
  }
}

std::string Cell::Text() const {
  const Variant value = sheet_->stored_value(row_, column_);
  switch (value.type()) {
    case VariantType::Number: {
      double number = value.number_value();
      if (sheet_->has_date_format(row_, column_))
        number = date_from_stored(number, sheet_->date1904());
      return format_number(number, sheet_->number_format(row_, column_));
    }
    case VariantType::Text:
      return format_text(value.text_value(), sheet_->number_format(row_, column_));
    case VariantType::Boolean: return value.boolean_value() ? "TRUE" : "FALSE";
    case VariantType::Error: return std::string(cell_error::to_text(value.error_value()));
    default: return {};
  }
}

std::string Cell::NumberFormat() const { return sheet_->number_format(row_, column_); }

void Cell::SetNumberFormat(std::string_view code) {
  ++sheet_->writes_;
  sheet_->set_number_format(row_, column_, code);
}

std::uint32_t Cell::InteriorColor() const { return sheet_->interior_color(row_, column_); }

void Cell::SetInteriorColor(std::uint32_t color) {
  sheet_->set_interior_color(row_, column_, color);
}

Worksheet::Worksheet() {
  static std::atomic<std::uint64_t> next{1};
  id_ = next++;
}

Cell Worksheet::rounded_cell(double row, double column) {
  // The coarse check first keeps NaN and huge values away from the rounding.
  if (!(row >= 0.5 && row <= kMaxRows + 0.5) || !(column >= 0.5 && column <= kMaxColumns + 0.5)) {
    throw RuntimeError(err::kApplication);
  }
  // Whole numbers, as callers almost always pass, need no rounding.
  const auto whole = [](double v) {
    return v == static_cast<double>(static_cast<int>(v)) ? v : round_half_even(v);
  };
  const double r = whole(row);
  const double c = whole(column);
  if (r < 1 || r > kMaxRows || c < 1 || c > kMaxColumns) throw RuntimeError(err::kApplication);
  return Cell(*this, static_cast<int>(r), static_cast<int>(c));
}

int rows_to_walk(const Worksheet& sheet, int first_row, int last_row) {
  return std::max(0, std::min(sheet.last_row(), last_row) - first_row + 1);
}

void Application::SetStatusBar(std::string text) {
  status_bar_ = std::move(text);
  if (listener_) listener_(status_bar_);
}

Worksheet& Workbook::Worksheets(std::string_view name) {
  if (Worksheet* sheet = find_sheet(name)) return *sheet;
  throw RuntimeError(err::kSubscript, std::string(error_text(err::kSubscript)) +
                                          ": the workbook has no sheet '" + std::string(name) +
                                          "'");
}

}  // namespace fenwarx

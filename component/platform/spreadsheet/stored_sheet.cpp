#include "platform/spreadsheet/stored_sheet.hpp"

#include "platform/spreadsheet/date_serials.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {

StoredSheet::StoredSheet(std::string name, std::shared_ptr<TextPool> texts,
                         std::shared_ptr<StyleBook> styles, bool date1904)
    : name_(std::move(name)),
      texts_(std::move(texts)),
      styles_(std::move(styles)),
      date1904_(date1904) {}

std::uint32_t StoredSheet::style_at(int row, int column) const {
  const CellRecord* record = store_.find(row, column);
  return record ? record->style : store_.row_style(row);
}

Variant StoredSheet::value(int row, int column) const {
  const CellRecord* record = store_.find(row, column);
  if (record && record->kind == CellKind::Number && styles_->is_date(record->style))
    return Variant::date(date_from_stored(record->number, date1904_));
  return value_of(record);
}

std::string StoredSheet::value_text(int row, int column) const {
  const CellRecord* record = store_.find(row, column);
  if (!record) return {};
  // Numbers and texts, as most cells hold, without a Variant between.
  if (record->kind == CellKind::Number) {
    if (styles_->is_date(record->style))
      return date_text(date_from_stored(record->number, date1904_));
    return number_text(record->number);
  }
  if (record->kind == CellKind::Text && record->text < texts_->size())
    return texts_->at(record->text);
  return value_of(record).to_text();
}

Variant StoredSheet::stored_value(int row, int column) const {
  return value_of(store_.find(row, column));
}

Variant StoredSheet::value_of(const CellRecord* record) const {
  if (!record) return {};
  switch (record->kind) {
    case CellKind::Number: return Variant::number(record->number);
    case CellKind::Text:
      return record->text < texts_->size() ? Variant::text(texts_->at(record->text))
                                           : Variant::text("");
    case CellKind::Boolean: return Variant::boolean(record->number != 0);
    case CellKind::Error: return Variant::error(static_cast<int>(record->number));
    case CellKind::Empty: break;
  }
  return {};
}

namespace {

// Writing what a plain cell already holds changes nothing: its bytes stay as read.
// A loaded formula is no plain cell: a value written over it replaces the formula.
bool holds_already(const CellRecord* existing, CellKind kind, double number,
                   const std::string* text, const TextPool& texts) {
  if (!existing || existing->kind != kind || kind == CellKind::Empty) return false;
  if ((existing->flags & cell_flag::kFormula) && !(existing->flags & cell_flag::kValueChanged))
    return false;
  if (kind == CellKind::Text)
    return existing->text < texts.size() && text && texts.at(existing->text) == *text;
  return existing->number == number;
}

}  // namespace

void StoredSheet::store_value(int row, int column, const Variant& value) {
  const CellRecord* existing = store_.find(row, column);
  if (value.is_empty()) {
    // A loaded formula whose cached value is empty still has something to clear.
    const bool formula_left = existing && (existing->flags & cell_flag::kFormula) &&
                              !(existing->flags & cell_flag::kValueChanged);
    if (!existing || (existing->kind == CellKind::Empty && !formula_left)) return;
  }
  CellKind kind = CellKind::Empty;
  double number = 0;
  std::string text;
  switch (value.type()) {
    case VariantType::Empty: break;
    case VariantType::Number:
      kind = CellKind::Number;
      number = value.number_value();
      break;
    case VariantType::Date: {
      // The cell layer converts; a raw Date is taken the same way for safety.
      const auto serial = stored_from_date(value.number_value(), date1904_);
      if (serial) {
        kind = CellKind::Number;
        number = *serial;
      } else {
        kind = CellKind::Text;
        text = value.to_text();
      }
      break;
    }
    case VariantType::Text:
      kind = CellKind::Text;
      text = value.text_value();
      break;
    case VariantType::Boolean:
      kind = CellKind::Boolean;
      number = value.boolean_value() ? 1 : 0;
      break;
    case VariantType::Error:
      kind = CellKind::Error;
      number = value.error_value();
      break;
    case VariantType::Object: throw RuntimeError(err::kTypeMismatch);
  }
  if (holds_already(existing, kind, number, &text, *texts_)) return;
  CellRecord& record = store_.get_or_insert(row, column, store_.row_style(row));
  record.kind = kind;
  record.number = number;
  record.text = kind == CellKind::Text ? texts_->add(std::move(text)) : 0;
  record.flags |= cell_flag::kValueChanged;
  store_.mark_changed(row);
  ++value_changes_;
}

std::string StoredSheet::number_format(int row, int column) const {
  return styles_->number_format(style_at(row, column));
}

bool StoredSheet::has_date_format(int row, int column) const {
  return styles_->is_date(style_at(row, column));
}

std::uint32_t StoredSheet::interior_color(int row, int column) const {
  return styles_->fill_color(style_at(row, column));
}

void StoredSheet::restyle(int row, int column, std::uint32_t current, std::uint32_t style) {
  if (style == current) return;
  CellRecord& record = store_.get_or_insert(row, column, current);
  record.style = style;
  record.flags |= cell_flag::kStyleChanged;
  store_.mark_changed(row);
}

void StoredSheet::set_number_format(int row, int column, std::string_view code) {
  const std::uint32_t current = style_at(row, column);
  restyle(row, column, current, styles_->with_number_format(current, code));
}

void StoredSheet::set_interior_color(int row, int column, std::uint32_t color) {
  const std::uint32_t current = style_at(row, column);
  restyle(row, column, current, styles_->with_fill_color(current, color));
}

int StoredSheet::last_row() const { return store_.row_count(); }

int StoredSheet::last_column() const { return store_.last_column(); }

}  // namespace fenwarx

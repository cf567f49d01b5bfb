#include "verify/row_markers.hpp"

#include <string>

#include "checks/error_marker.hpp"
#include "layout/workbook_layout.hpp"
#include "platform/values/ascii.hpp"
#include "state/message_texts.hpp"
#include "state/return_object.hpp"

namespace fenwarx {

void write_marker(ReturnObject& self, Worksheet& sheet, int row, int column,
                  std::string_view text) {
  const std::uint64_t before = sheet.value_changes();
  sheet.Cells(row, column).SetValue(Variant::text(std::string(text)));
  self.marker_changes += sheet.value_changes() - before;
}

void paint_row(Worksheet& sheet, int row, const EndOfData& where, std::uint32_t color) {
  for (int column = where.first_painted; column <= where.last_painted; ++column)
    sheet.Cells(row, column).SetInteriorColor(color);
}

void mark_end_of_data(ReturnObject& self, Worksheet& sheet, int row, const EndOfData& where) {
  write_marker(self, sheet, row, where.column, texts::kEndOfData);
  paint_row(sheet, row, where, kColorEndOfData);
}

bool holds_value(const Worksheet& sheet, int row, int column) {
  const Variant value = sheet.stored_value(row, column);
  if (value.type() == VariantType::Empty) return false;
  return value.type() != VariantType::Text || !trimmed(value.text_value()).empty();
}

namespace {

bool is_marker(const Worksheet& sheet, int row, int column) {
  return trimmed(sheet.value_text(row, column)) == texts::kEndOfData;
}

// Whether a later row up to the sheet's last used one holds data in a column the
// walk reads: its first column, or any other (a row typed without its first cell
// is data the walk would otherwise leave unread without a word). An "End of Data"
// an earlier run left in the marker column is no data.
bool rows_follow(const Worksheet& sheet, int row, const EndOfData& where, int walked_columns) {
  for (int later = sheet.last_row(); later > row; --later)
    for (int column = 1; column <= walked_columns; ++column)
      if (holds_value(sheet, later, column) &&
          (column != where.column || !is_marker(sheet, later, column)))
        return true;
  return false;
}

}  // namespace

bool end_walk(ReturnObject& self, Worksheet& sheet, int row, const EndOfData& where,
              int walked_columns) {
  const bool marker_cell_free =
      !holds_value(sheet, row, where.column) || is_marker(sheet, row, where.column);
  bool row_holds_data = !marker_cell_free;
  for (int column = 1; column <= walked_columns && !row_holds_data; ++column)
    row_holds_data = column != where.column && holds_value(sheet, row, column);
  if (!row_holds_data && !rows_follow(sheet, row, where, walked_columns)) {
    mark_end_of_data(self, sheet, row, where);
    return true;
  }
  if (marker_cell_free) write_marker(self, sheet, row, where.column, texts::kEndOfData);
  paint_row(sheet, row, where, kColorEndOfData);
  if (holds_value(sheet, row, kDataColumn))  // a row of data under an old marker
    MarkCell(self, row, where.column, true, Rule::DataUnderMarker);
  else
    MarkCell(self, row, kDataColumn, true, Rule::DataBelowGap);
  return false;
}

}  // namespace fenwarx

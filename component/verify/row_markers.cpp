#include "verify/row_markers.hpp"

#include <string>

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

}  // namespace fenwarx

#pragma once
// The texts a walk writes into a row only to mark it ("End of Data", "Delete This
// Row") and the colour it paints the row with. They feed no record: the return
// object counts them apart, so an export does not verify again for them.
#include <cstdint>
#include <string_view>

#include "layout/workbook_layout.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"

namespace fenwarx {

class ReturnObject;

void write_marker(ReturnObject& self, Worksheet& sheet, int row, int column, std::string_view text);
void paint_row(Worksheet& sheet, int row, const EndOfData& where, std::uint32_t color);
// "End of Data" into the row's marker column, the marked columns painted cyan.
void mark_end_of_data(ReturnObject& self, Worksheet& sheet, int row, const EndOfData& where);

// Whether the cell holds anything but blanks.
bool holds_value(const Worksheet& sheet, int row, int column);

// Ends a walk at `row`, its first row with an empty first column or an "End of
// Data" marker. That row ends the data only when nothing follows: a value in the
// row's walked columns (its own marker aside) or in the first column of any later
// row means rows would go unread, so the row is a finding instead of a silent
// end. The marker never goes over a value. False when data follows.
bool end_walk(ReturnObject& self, Worksheet& sheet, int row, const EndOfData& where,
              int walked_columns);

}  // namespace fenwarx

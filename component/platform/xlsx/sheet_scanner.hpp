#pragma once
// The one-pass reader of a worksheet part: cells go straight into the sheet's
// CellStore, each keeping the byte range of its XML; the rest of the part is
// only located, not parsed into memory.
#include <string_view>

#include "platform/spreadsheet/stored_sheet.hpp"
#include "platform/xlsx/sheet_layout.hpp"

namespace fenwarx {

// RuntimeError 1004 naming `part_name` and the byte offset for malformed XML, a
// reference beyond the sheet's limits, rows or cells out of order, or a value
// that cannot be read.
SheetLayout scan_sheet(std::string_view part_name, std::string_view xml, StoredSheet& sheet);

}  // namespace fenwarx

#pragma once
// The error log the marker keeps on the deductor sheet, read back: one line per
// error, as the cells hold them (a caption may be a number or empty).
#include <vector>

#include "layout/workbook_layout.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"

namespace fenwarx {

struct LogLine {
  Variant sheet, row, column, caption;
};

// The lines 1 to the count of the log; none when the count is not a positive number.
std::vector<LogLine> read_error_log(Worksheet& deductor, const ErrorLog& log);

}  // namespace fenwarx

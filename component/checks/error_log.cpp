#include "checks/error_log.hpp"

#include "platform/values/numbers.hpp"

namespace fenwarx {

std::vector<LogLine> read_error_log(Worksheet& deductor, const ErrorLog& log) {
  // Read as the error marker reads it when it adds a line.
  const double lines = leading_number(deductor.Cells(log.count.row, log.count.column).ValueText());
  std::vector<LogLine> lines_read;
  for (int row = 1; row <= lines && row <= kMaxRows; ++row)
    lines_read.push_back({.sheet = deductor.Cells(row, log.sheet_column).Value(),
                          .row = deductor.Cells(row, log.row_column).Value(),
                          .column = deductor.Cells(row, log.column_column).Value(),
                          .caption = deductor.Cells(row, log.caption_column).Value()});
  return lines_read;
}

}  // namespace fenwarx

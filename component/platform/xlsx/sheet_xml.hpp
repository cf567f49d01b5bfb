#pragma once
// A worksheet part written the way a spreadsheet application saves one: shared
// strings, a dimension, rows with spans, styled cells, column formats and list
// validations.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xlsx/shared_string_table.hpp"

namespace fenwarx {

struct ColumnFormat {
  int first, last;
  double width;
  std::uint32_t style = 0;  // the format a value typed into an empty cell takes
};

// A drop-down list on a range: `source` is a formula, either a quoted
// comma-separated list ("Y,N" with its quotes) or a reference to cells.
struct ListValidation {
  std::string range;  // "B4:B65536"
  std::string source;
};

struct SheetFinish {
  std::vector<ColumnFormat> columns;
  std::vector<ListValidation> validations;
  int frozen_rows = 0;    // heading rows kept in view
  bool selected = false;  // the sheet shown when the file opens
};

class SheetXml {
 public:
  explicit SheetXml(SharedStringTable& strings) : strings_(strings) {}

  // Rows go in ascending order, cells in ascending columns; `span_last` is the
  // row's last column as the application would record it.
  void begin_row(int row, int span_first, int span_last);
  void text(int column, std::string_view text, std::uint32_t style);
  void number(int column, double value, std::uint32_t style);
  void blank(int column, std::uint32_t style);  // a formatted cell without a value
  // A formula (without its "="); a text result when `cached` is given, else none,
  // so readers compute it.
  void formula(int column, std::string_view formula, std::optional<std::string_view> cached,
               std::uint32_t style);
  void end_row();

  std::string finish(const SheetFinish& options) const;

 private:
  void open_cell(int column, std::uint32_t style);

  SharedStringTable& strings_;
  std::string rows_;
  int row_ = 0;
  int last_row_ = 0, last_column_ = 0;
};

}  // namespace fenwarx

#pragma once
// Worksheet and shared-string parts written the way a spreadsheet application
// saves them: shared strings, a dimension, rows with spans, styled cells.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace fenwarx::bench {

class SharedStrings {
 public:
  std::uint32_t index(std::string_view text);  // adds the text on first use
  std::string xml() const;                     // the xl/sharedStrings.xml part

 private:
  std::unordered_map<std::string, std::uint32_t> indices_;
  std::vector<const std::string*> order_;  // keys of indices_, by index
  std::uint64_t references_ = 0;
};

struct ColumnWidth {
  int first, last;
  double width;
};

class SheetXml {
 public:
  explicit SheetXml(SharedStrings& strings) : strings_(strings) {}

  // Rows go in ascending order, cells in ascending columns; `span_last` is the
  // row's last column as the application would record it.
  void begin_row(int row, int span_first, int span_last);
  void text(int column, std::string_view text, std::uint32_t style);
  void number(int column, double value, std::uint32_t style);
  void blank(int column, std::uint32_t style);  // a formatted cell without a value
  void end_row();

  // The whole part; `selected` marks the sheet shown when the file opens.
  std::string finish(const std::vector<ColumnWidth>& widths, bool selected) const;

 private:
  void open_cell(int column, std::uint32_t style);

  SharedStrings& strings_;
  std::string rows_;
  int row_ = 0;
  int last_row_ = 0, last_column_ = 0;
};


}  // namespace fenwarx::bench

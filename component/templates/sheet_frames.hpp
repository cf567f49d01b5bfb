#pragma once
// The fixed frame of each sheet of a return workbook, from its layout: labels,
// headings, notes, column formats and drop-down lists. The blank template is the
// frames alone; the sample generator writes its rows into the same frames.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/xlsx/sheet_xml.hpp"
#include "templates/return_layout.hpp"

namespace fenwarx::templates {

// A value as a generator lays it into a cell; its format follows the field's kind.
struct CellValue {
  enum class Type { Empty, Text, Number } type = Type::Empty;
  std::string text;
  double number = 0;  // dates as serials

  static CellValue of_text(std::string value) { return {Type::Text, std::move(value), 0}; }
  static CellValue of_number(double value) { return {Type::Number, {}, value}; }
};

std::uint32_t data_style(Kind kind);    // a bordered data cell
std::uint32_t column_style(Kind kind);  // the whole column's default

void write_value(SheetXml& sheet, int column, const CellValue& value, Kind kind);

// The first year of the financial year (April to March) a date serial falls in.
int financial_year_of(double serial);

// The deductor sheet: labels, `values` (one per row, or none for a blank form),
// hints (the year rows' show `financial_year` and the year after it, typed as
// they should be), the error log's heading and count 0, and the financial-year
// formula, with `cached_year` as its result when given.
std::string deductor_sheet_xml(const WorkbookLayout& layout, SharedStringTable& strings,
                               std::span<const CellValue> values,
                               std::optional<std::string_view> cached_year, int financial_year);

// A table's rows above its data: headings, the challan sheet's notes, column numbers.
void write_table_headings(SheetXml& sheet, const TableFrame& table);
// Column widths and formats, the lists of the data rows, headings frozen in view.
SheetFinish table_finish(const TableFrame& table, Form form);

// "State Code": heading row, then "01".."35" and the state names.
std::string state_sheet_xml(SharedStringTable& strings);

}  // namespace fenwarx::templates

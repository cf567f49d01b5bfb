#pragma once
// Where everything stands in a return workbook, per form: each sheet's name, its
// fields by role, its first and last data rows, where a walk marks the end of
// the data, the deductor sheet's flag, financial-year and error-log cells, and
// the "State Code" sheet. Walks, records, templates, the locator of findings and
// the command line all read it; nothing else knows a row or a column number.
#include <algorithm>
#include <array>
#include <string_view>

#include "layout/field_table.hpp"
#include "layout/forms.hpp"
#include "layout/roles.hpp"

namespace fenwarx {

struct CellPlace {
  int row;
  int column;
};

// The last row any walk reads: the spreadsheet's classic last row.
inline constexpr int kLastSheetRow = 65536;
// The headings of every table sheet, which the error log quotes as captions.
inline constexpr int kHeadingRow = 1;
// The column of a table sheet whose first empty cell ends the data.
inline constexpr int kDataColumn = 1;

// Where a walk writes "End of Data" on the first row without data, and the
// columns of that row it paints.
struct EndOfData {
  int column;
  int first_painted;
  int last_painted;
};

// A sheet of one record per row below its headings.
template <class Role>
struct TableSheet {
  std::string_view name;
  FieldTable<Role> columns;
  int first_row;  // the first data row
  int last_row = kLastSheetRow;
  int walked_columns;  // the columns a walk visits in each row
  EndOfData end_of_data;
  std::string_view progress;  // the walk's status text, followed by the row number
  bool notes_row = false;     // a row of hints under the headings
  bool numbers_row = false;   // a row of column numbers above the data
};

// Where the error marker logs each bad cell: the count of lines, then one line
// per error in the rows below, on the deductor sheet.
struct ErrorLog {
  CellPlace count;
  int sheet_column;
  int row_column;
  int column_column;
  int caption_column;
};

// A column of the error log and what it holds, as the blank workbook names it.
struct LogColumn {
  int column;
  std::string_view holds;
};

// The error log's columns from left to right: each line fills its row of them,
// except the count's column, whose first row alone holds the count.
constexpr std::array<LogColumn, 5> error_log_columns(const ErrorLog& log) {
  std::array<LogColumn, 5> columns{{{.column = log.sheet_column, .holds = "sheet"},
                                    {.column = log.count.column, .holds = "count"},
                                    {.column = log.row_column, .holds = "row"},
                                    {.column = log.column_column, .holds = "column"},
                                    {.column = log.caption_column, .holds = "caption"}}};
  std::ranges::sort(columns, {}, &LogColumn::column);
  return columns;
}

struct DeductorSheet {
  std::string_view name;
  FieldTable<DeductorRow> rows;  // row N is field N
  int label_column;
  int value_column;
  int note_column;
  ErrorLog log;
  CellPlace flag;          // "Verified", "Exported", "Error"
  CellPlace year_formula;  // the first four characters of the financial year
  std::string_view progress;
};

// The state names and their two-digit codes, one per row; every form's workbook
// has it.
struct StateSheet {
  std::string_view name;
  int first_row;
  int last_row;
  int code_column;
  int name_column;
};
inline constexpr StateSheet kStateSheet{
    .name = "State Code", .first_row = 2, .last_row = 36, .code_column = 1, .name_column = 2};

struct WorkbookLayout {
  Form form;
  DeductorSheet deductor;
  TableSheet<ChallanColumn> challans;
  TableSheet<DeducteeColumn> deductees;
  const TableSheet<SalaryColumn>* salaries = nullptr;  // Form 24 only
  const TableSheet<PerquisiteColumn>* perquisites = nullptr;

  // The value cell of a deductor row.
  constexpr CellPlace deductor_cell(DeductorRow role) const {
    return {.row = deductor.rows.of(role), .column = deductor.value_column};
  }
};

const WorkbookLayout& workbook_layout(Form form);

}  // namespace fenwarx

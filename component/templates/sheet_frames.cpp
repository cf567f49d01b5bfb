#include "templates/sheet_frames.hpp"

#include "platform/xlsx/cell_reference.hpp"
#include "returns/return_codes.hpp"
#include "templates/workbook_styles.hpp"

namespace fenwarx::templates {
namespace {

constexpr int kLabelColumn = 1, kValueColumn = 2, kNoteColumn = 3;
constexpr int kErrorLogNoteColumn = 29;  // beside the log, which starts at row 1

std::string column_range(int column, int first_row, int last_row) {
  std::string range = cell_reference(first_row, column);
  if (last_row > first_row) range.append(":").append(cell_reference(last_row, column));
  return range;
}

}  // namespace

std::uint32_t data_style(Kind kind) {
  switch (kind) {
    case Kind::Amount: return style::kAmount;
    case Kind::Whole: return style::kWhole;
    case Kind::Date: return style::kDate;
    case Kind::Rate: return style::kRate;
    case Kind::Year: return style::kTextEntry;
    case Kind::Text: break;
  }
  return style::kText;
}

std::uint32_t column_style(Kind kind) {
  switch (kind) {
    case Kind::Amount: return style::kColumnAmount;
    case Kind::Whole: return style::kColumnWhole;
    case Kind::Date: return style::kColumnDate;
    case Kind::Rate: return style::kColumnRate;
    default: return style::kGeneral;
  }
}

void write_value(SheetXml& sheet, int column, const CellValue& value, Kind kind) {
  const std::uint32_t format = data_style(kind);
  switch (value.type) {
    case CellValue::Type::Text: sheet.text(column, value.text, format); break;
    case CellValue::Type::Number: sheet.number(column, value.number, format); break;
    case CellValue::Type::Empty: sheet.blank(column, format); break;
  }
}

std::string deductor_sheet_xml(const ReturnLayout& layout, SharedStringTable& strings,
                               std::span<const CellValue> values,
                               std::optional<std::string_view> cached_year) {
  const Form form = layout.profile->form;
  const int year_row = layout.profile->financial_year_row;
  SheetXml sheet(strings);
  SheetFinish finish;
  finish.selected = true;
  finish.columns = {{1, 1, 46}, {2, 2, 36}, {3, 3, 40}, {29, 29, 30}};
  for (int row = 1; row <= kDeductorRows; ++row) {
    const Field& field = layout.deductor[static_cast<std::size_t>(row - 1)];
    const int last = row == 1 ? kErrorLogCountColumn : (field.note.empty() ? 2 : 3);
    sheet.begin_row(row, 1, last);
    sheet.text(kLabelColumn, field.heading, style::kLabel);
    write_value(sheet, kValueColumn,
                values.empty() ? CellValue{} : values[static_cast<std::size_t>(row - 1)],
                row == year_row ? Kind::Year : field.kind);
    if (!field.note.empty()) sheet.text(kNoteColumn, field.note, style::kNote);
    if (row == 1) {
      // The verification keeps its error log in columns 30 to 34, the count at (1, 31).
      sheet.text(kErrorLogNoteColumn, "Error log: count, then sheet, row, column, caption",
                 style::kNote);
      sheet.number(kErrorLogCountColumn, 0, style::kGeneral);
    }
    sheet.end_row();
    if (field.choice != Choice::None)
      finish.validations.push_back(
          {cell_reference(row, kValueColumn), choice_source(field.choice, form)});
  }
  sheet.begin_row(kFinancialYearFormulaRow, kFinancialYearFormulaColumn,
                  kFinancialYearFormulaColumn);
  std::string formula = "LEFT(";
  formula.append(cell_reference(year_row, kValueColumn)).append(",4)");
  sheet.formula(kFinancialYearFormulaColumn, formula, cached_year, style::kGeneral);
  sheet.end_row();
  return sheet.finish(finish);
}

void write_table_headings(SheetXml& sheet, const Table& table) {
  const int columns = static_cast<int>(table.fields.size());
  int row = 1;
  sheet.begin_row(row, 1, columns);
  for (int column = 1; column <= columns; ++column)
    sheet.text(column, table.fields[static_cast<std::size_t>(column - 1)].heading,
               style::kHeading);
  sheet.end_row();
  if (table.notes_row) {
    sheet.begin_row(++row, 1, columns);
    for (int column = 1; column <= columns; ++column)
      sheet.text(column, table.fields[static_cast<std::size_t>(column - 1)].note, style::kNote);
    sheet.end_row();
  }
  if (table.numbers_row) {
    sheet.begin_row(++row, 1, columns);
    for (int column = 1; column <= columns; ++column)
      sheet.number(column, column, style::kHeading);
    sheet.end_row();
  }
}

SheetFinish table_finish(const Table& table, Form form) {
  SheetFinish finish;
  finish.frozen_rows = table.first_data_row - 1;
  int column = 0;
  for (const Field& field : table.fields) {
    ++column;
    finish.columns.push_back({column, column, field.width, column_style(field.kind)});
    if (field.choice != Choice::None)
      finish.validations.push_back({column_range(column, table.first_data_row, kLastDataRow),
                                    choice_source(field.choice, form)});
  }
  return finish;
}

std::string state_sheet_xml(SharedStringTable& strings) {
  SheetXml sheet(strings);
  sheet.begin_row(1, 1, 2);
  sheet.text(1, "Code", style::kHeading);
  sheet.text(2, "State", style::kHeading);
  sheet.end_row();
  int code = 0;
  for (std::string_view state : kStateNames) {
    ++code;
    const char digits[] = {static_cast<char>('0' + code / 10), static_cast<char>('0' + code % 10)};
    sheet.begin_row(code + 1, 1, 2);
    sheet.text(1, std::string_view(digits, 2), style::kText);
    sheet.text(2, state, style::kText);
    sheet.end_row();
  }
  SheetFinish finish;
  finish.columns = {{1, 1, 8}, {2, 2, 32}};
  finish.frozen_rows = 1;
  return sheet.finish(finish);
}

}  // namespace fenwarx::templates

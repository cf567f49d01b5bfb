#include "templates/sheet_frames.hpp"

#include "layout/code_lists.hpp"
#include "platform/spreadsheet/cell_reference.hpp"
#include "platform/values/dates.hpp"
#include "templates/workbook_styles.hpp"

namespace fenwarx::templates {
namespace {

std::string column_range(int column, int first_row, int last_row) {
  std::string range = cell_reference(first_row, column);
  if (last_row > first_row) range.append(":").append(cell_reference(last_row, column));
  return range;
}

// "Error log, columns AD to AH: sheet, count, row, column, caption", in the
// order the columns stand.
std::string log_heading(const ErrorLog& log) {
  const auto columns = error_log_columns(log);
  std::string heading = "Error log, columns ";
  append_column_letters(heading, columns.front().column);
  heading += " to ";
  append_column_letters(heading, columns.back().column);
  heading += ':';
  for (const LogColumn& column : columns) heading.append(" ").append(column.holds).append(",");
  heading.pop_back();
  return heading;
}

// A year row's hint ends in a year typed as it should be: the financial year
// itself, or the assessment year after it.
std::string note_of(const Field<DeductorRow>& field, int financial_year) {
  std::string note(field.note);
  if (field.role != DeductorRow::FinancialYear && field.role != DeductorRow::AssessmentYear)
    return note;
  const int first = financial_year + (field.role == DeductorRow::AssessmentYear ? 1 : 0),
            next = (first + 1) % 100;
  return note + ' ' + std::to_string(first) + (next < 10 ? "-0" : "-") + std::to_string(next);
}

}  // namespace

int financial_year_of(double serial) {
  const CivilDate date = civil_from_serial(serial);
  return date.month >= 4 ? date.year : date.year - 1;
}

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

std::string deductor_sheet_xml(const WorkbookLayout& layout, SharedStringTable& strings,
                               std::span<const CellValue> values,
                               std::optional<std::string_view> cached_year, int financial_year) {
  const DeductorSheet& deductor = layout.deductor;
  const ErrorLog& log = deductor.log;
  const int year_row = deductor.rows.of(DeductorRow::FinancialYear);
  // The hint on the error log stands in the column before it.
  const int log_note_column = log.sheet_column - 1;
  SheetXml sheet(strings);
  SheetFinish finish;
  finish.selected = true;
  finish.columns = {{.first = deductor.label_column, .last = deductor.label_column, .width = 46},
                    {.first = deductor.value_column, .last = deductor.value_column, .width = 36},
                    {.first = deductor.note_column, .last = deductor.note_column, .width = 40},
                    {.first = log_note_column, .last = log_note_column, .width = 30}};
  for (int row = 1; row <= deductor.rows.count(); ++row) {
    const Field<DeductorRow>& field = deductor.rows.at(row);
    const bool logs = row == log.count.row;
    const int last = logs ? log.count.column
                          : (field.note.empty() ? deductor.value_column : deductor.note_column);
    sheet.begin_row(row, 1, last);
    sheet.text(deductor.label_column, field.label, style::kLabel);
    write_value(sheet, deductor.value_column,
                values.empty() ? CellValue{} : values[static_cast<std::size_t>(row - 1)],
                row == year_row ? Kind::Year : field.kind);
    if (!field.note.empty())
      sheet.text(deductor.note_column, note_of(field, financial_year), style::kNote);
    if (logs) {
      sheet.text(log_note_column, log_heading(log), style::kNote);
      sheet.number(log.count.column, 0, style::kGeneral);
    }
    sheet.end_row();
    if (field.choice != Choice::None)
      finish.validations.push_back({.range = cell_reference(row, deductor.value_column),
                                    .source = choice_source(field.choice, layout.form)});
  }
  const CellPlace formula_cell = deductor.year_formula;
  sheet.begin_row(formula_cell.row, formula_cell.column, formula_cell.column);
  std::string formula = "LEFT(";
  formula.append(cell_reference(year_row, deductor.value_column)).append(",4)");
  sheet.formula(formula_cell.column, formula, cached_year, style::kGeneral);
  sheet.end_row();
  return sheet.finish(finish);
}

void write_table_headings(SheetXml& sheet, const TableFrame& table) {
  const int columns = static_cast<int>(table.fields.size());
  int row = kHeadingRow;
  sheet.begin_row(row, 1, columns);
  for (int column = 1; column <= columns; ++column)
    sheet.text(column, table.fields[static_cast<std::size_t>(column - 1)].label, style::kHeading);
  sheet.end_row();
  if (table.notes_row) {
    sheet.begin_row(++row, 1, columns);
    for (int column = 1; column <= columns; ++column)
      sheet.text(column, table.fields[static_cast<std::size_t>(column - 1)].note, style::kNote);
    sheet.end_row();
  }
  if (table.numbers_row) {
    sheet.begin_row(++row, 1, columns);
    for (int column = 1; column <= columns; ++column) sheet.number(column, column, style::kHeading);
    sheet.end_row();
  }
}

SheetFinish table_finish(const TableFrame& table, Form form) {
  SheetFinish finish;
  finish.frozen_rows = table.first_row - 1;
  int column = 0;
  for (const FieldLook& field : table.fields) {
    ++column;
    finish.columns.push_back(
        {.first = column, .last = column, .width = field.width, .style = column_style(field.kind)});
    if (field.choice != Choice::None)
      finish.validations.push_back({.range = column_range(column, table.first_row, table.last_row),
                                    .source = choice_source(field.choice, form)});
  }
  return finish;
}

std::string state_sheet_xml(SharedStringTable& strings) {
  SheetXml sheet(strings);
  const StateSheet& states = kStateSheet;
  sheet.begin_row(kHeadingRow, 1, 2);
  sheet.text(states.code_column, "Code", style::kHeading);
  sheet.text(states.name_column, "State", style::kHeading);
  sheet.end_row();
  int code = 0;
  for (std::string_view state : kStateNames) {
    ++code;
    const char digits[] = {static_cast<char>('0' + code / 10), static_cast<char>('0' + code % 10)};
    sheet.begin_row(states.first_row + code - 1, 1, 2);
    sheet.text(states.code_column, std::string_view(digits, 2), style::kText);
    sheet.text(states.name_column, state, style::kText);
    sheet.end_row();
  }
  SheetFinish finish;
  finish.columns = {{.first = states.code_column, .last = states.code_column, .width = 8},
                    {.first = states.name_column, .last = states.name_column, .width = 32}};
  finish.frozen_rows = states.first_row - 1;
  return sheet.finish(finish);
}

}  // namespace fenwarx::templates

#include "sample_workbook.hpp"

#include <map>
#include <utility>

#include "sample_as_typed.hpp"
#include "sample_mistakes.hpp"
#include "sample_rows.hpp"
#include "templates/return_package.hpp"

namespace fenwarx::bench {
namespace {

using namespace templates;
using Overrides = std::map<std::pair<int, int>, CellValue>;  // (row, column)

using RowMaker = void (*)(const SampleReturn&, int, Row&);

void apply(const Overrides& overrides, int row, Row& cells) {
  for (auto it = overrides.lower_bound({row, 0}); it != overrides.end() && it->first.first == row;
       ++it)
    cells[static_cast<std::size_t>(it->first.second - 1)] = it->second;
}

// `rows` records from the table's first data row, each laid out by `make`.
std::string table_xml(const TableFrame& table, Form form, const SampleReturn& data, int rows,
                      RowMaker make, const Overrides& overrides, SharedStringTable& strings,
                      bool (*keep)(int) = nullptr) {
  SheetXml sheet(strings);
  write_table_headings(sheet, table);
  const int columns = static_cast<int>(table.fields.size());
  Row cells;
  int row = table.first_row;
  for (int i = 0; i < rows; ++i) {
    if (keep && !keep(i)) continue;
    make(data, i, cells);
    apply(overrides, row, cells);
    sheet.begin_row(row, 1, columns);
    for (int column = 1; column <= columns; ++column)
      write_value(sheet, column, cells[static_cast<std::size_t>(column - 1)],
                  table.fields[static_cast<std::size_t>(column - 1)].kind);
    sheet.end_row();
    ++row;
  }
  return sheet.finish(table_finish(table, form));
}

int salary_rows_of(const SampleOptions& options) {
  return options.salaries > 0 ? options.salaries : options.deductees;
}

}  // namespace

int write_sample_workbook(const std::filesystem::path& path, const SampleOptions& options) {
  const SampleReturn data =
      make_sample_return(options.form, options.deductees, options.challans, options.as_typed);
  const WorkbookLayout& layout = workbook_layout(options.form);

  std::map<SampleSheet, Overrides> overrides;
  const std::vector<Mistake> mistakes =
      options.mistakes ? plan_mistakes(data, layout.salaries ? salary_rows_of(options) : 0)
                       : std::vector<Mistake>{};
  for (const Mistake& m : mistakes) overrides[m.sheet][{m.row, m.column}] = m.value;

  SharedStringTable strings;
  std::vector<WorksheetPart> sheets;
  std::vector<CellValue> deductor = deductor_values(data);
  for (const auto& [cell, value] : overrides[SampleSheet::Deductor])
    deductor[static_cast<std::size_t>(cell.first - 1)] = value;
  sheets.push_back({.name = layout.deductor.name,
                    .xml = deductor_sheet_xml(layout, strings, deductor, "2005", 2005)});
  const TableFrame challans = frame_of(layout.challans), deductees = frame_of(layout.deductees);
  sheets.push_back({.name = challans.sheet,
                    .xml = table_xml(challans, options.form, data, options.challans, &challan_row,
                                     overrides[SampleSheet::Challans], strings)});
  sheets.push_back({.name = deductees.sheet,
                    .xml = table_xml(deductees, options.form, data, options.deductees,
                                     options.as_typed ? &typed_deductee_row : &deductee_row,
                                     overrides[SampleSheet::Deductees], strings)});
  // Salary rows: as typed when asked for a number of them, else one complete row
  // per deductee.
  const bool typed_salaries = options.salaries > 0;
  const int salary_rows = salary_rows_of(options);
  if (layout.salaries) {
    const TableFrame salaries = frame_of(*layout.salaries);
    sheets.push_back({.name = salaries.sheet,
                      .xml = table_xml(salaries, options.form, data, salary_rows,
                                       typed_salaries ? &typed_salary_row : &salary_row,
                                       overrides[SampleSheet::Salaries], strings)});
  }
  if (layout.perquisites) {
    const TableFrame perquisites = frame_of(*layout.perquisites);
    sheets.push_back(
        {.name = perquisites.sheet,
         .xml = table_xml(perquisites, options.form, data, salary_rows,
                          typed_salaries ? &typed_perquisite_row : &perquisite_row,
                          overrides[SampleSheet::Perquisites], strings, &has_perquisites)});
  }
  sheets.push_back({.name = kStateSheet.name, .xml = state_sheet_xml(strings)});
  write_package(path, sheets, strings);
  return static_cast<int>(mistakes.size());
}

}  // namespace fenwarx::bench

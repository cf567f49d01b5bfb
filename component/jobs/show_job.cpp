#include "jobs/jobs.hpp"
#include "jobs/workbook_run.hpp"
#include "platform/spreadsheet/cell_reference.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"

namespace fenwarx::jobs {
namespace {

void show_range(Worksheet& sheet, const ShowJob::Range& range, const ShowVisitor& visitor) {
  std::vector<std::string> cells;
  for (int row = range.first_row; row <= range.last_row; ++row) {
    cells.clear();
    for (int column = range.first_column; column <= range.last_column; ++column)
      cells.push_back(Cell(sheet, row, column).ValueText());
    visitor.row(cells);
  }
}

void show_sheet(Worksheet& sheet, const std::optional<ShowJob::Range>& range,
                const ShowVisitor& visitor) {
  if (range) return show_range(sheet, *range, visitor);
  const int last_row = sheet.last_row();
  const int last_column = sheet.last_column();
  if (last_row > 0 && last_column > 0)
    show_range(
        sheet,
        {.first_row = 1, .first_column = 1, .last_row = last_row, .last_column = last_column},
        visitor);
}

}  // namespace

std::optional<ShowJob::Range> parse_range(std::string_view text) {
  const auto corner = [](std::string_view reference) -> std::optional<CellAddress> {
    const auto address = parse_cell_reference(reference);
    if (!address || !within_sheet(*address)) return std::nullopt;
    return address;
  };
  const auto colon = text.find(':');
  const auto from = corner(text.substr(0, colon));
  const auto to = colon == std::string_view::npos ? from : corner(text.substr(colon + 1));
  if (!from || !to || to->row < from->row || to->column < from->column) return std::nullopt;
  // clang-format off
  return ShowJob::Range{
      .first_row = from->row, .first_column = from->column, .last_row = to->row, .last_column = to->column};
}
// clang-format on

Result show(const ShowJob& job, const ShowVisitor& visitor) {
  Result result;
  try {
    auto workbook = XlsxWorkbook::open(job.workbook);
    if (job.sheet) {
      show_sheet(workbook->Worksheets(*job.sheet), job.range, visitor);
      return result;
    }
    for (std::size_t i = 0; i < workbook->sheet_count(); ++i) {
      Worksheet& sheet = workbook->sheet(i);
      visitor.sheet(sheet.Name());
      show_sheet(sheet, job.range, visitor);
    }
  } catch (const RuntimeError& error) {
    result.outcome = Outcome::Failed;
    result.failure = failure_of(error);
  }
  return result;
}

}  // namespace fenwarx::jobs

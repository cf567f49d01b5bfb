#include "show_command.hpp"

#include <memory>
#include <string>

#include "cell_text.hpp"
#include "command.hpp"
#include "exit_codes.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"

namespace fenwarx::cli {
namespace {

void show_range(Worksheet& sheet, const CellRange& range, BufferedOutput& out) {
  std::string& line = out.buffer();
  for (int row = range.first_row; row <= range.last_row; ++row) {
    for (int column = range.first_column; column <= range.last_column; ++column) {
      if (column > range.first_column) line.push_back('\t');
      append_escaped(line, Cell(sheet, row, column).Value().to_text());
    }
    line.push_back('\n');
    out.maybe_flush();
  }
}

void show_sheet(Worksheet& sheet, const std::optional<CellRange>& range, BufferedOutput& out) {
  if (range) return show_range(sheet, *range, out);
  const int last_row = sheet.last_row();
  const int last_column = sheet.last_column();
  if (last_row > 0 && last_column > 0) show_range(sheet, {1, 1, last_row, last_column}, out);
}

Command add_show(CLI::App& parent) {
  auto options = std::make_shared<ShowOptions>();
  auto* app =
      parent.add_subcommand("show", "Print a workbook's cells, one tab-separated line per row");
  app->add_option("WORKBOOK", options->workbook, "The .xlsx or .xlsm workbook")->required();
  app->add_option("--sheet", options->sheet, "Only this sheet, without a header line");
  app->add_option_function<std::string>(
         "--range", [options](const std::string& text) { options->range = parse_range(text); },
         "Only these cells, e.g. A1:D20")
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            return parse_range(text) ? "" : "not a cell range like A1:D20: " + text;
          },
          "RANGE"));
  return {app, [options] {
            BufferedOutput out(stdout);
            show(*options, out);
            out.flush();
            return kExitDone;
          }};
}

[[maybe_unused]] const bool registered = register_command(&add_show);

}  // namespace

void show(const ShowOptions& options, BufferedOutput& out) {
  auto workbook = XlsxWorkbook::open(options.workbook);
  if (options.sheet) return show_sheet(workbook->Worksheets(*options.sheet), options.range, out);
  for (std::size_t i = 0; i < workbook->sheet_count(); ++i) {
    Worksheet& sheet = workbook->sheet(i);
    out.buffer().append("== ").append(sheet.Name()).append(" ==\n");
    show_sheet(sheet, options.range, out);
  }
}

}  // namespace fenwarx::cli

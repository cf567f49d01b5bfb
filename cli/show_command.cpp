// fenwarx show: a workbook's cells as the component reads them, one line per row,
// tab-separated.
#include <memory>
#include <optional>
#include <string>

#include "buffered_output.hpp"
#include "cell_text.hpp"
#include "command.hpp"
#include "exit_codes.hpp"
#include "job_report.hpp"
#include "jobs/jobs.hpp"

namespace fenwarx::cli {
namespace {

struct ShowOptions {
  std::string workbook;
  std::optional<std::string> sheet;           // every sheet, each under "== NAME ==", when absent
  std::optional<jobs::ShowJob::Range> range;  // the sheet's used range when absent
};

int show(const ShowOptions& options) {
  const jobs::ShowJob job{
      .workbook = options.workbook, .sheet = options.sheet, .range = options.range};
  jobs::Result result;
  {
    BufferedOutput out(stdout);
    result = jobs::show(job, {.sheet =
                                  [&](std::string_view name) {
                                    out.buffer().append("== ").append(name).append(" ==\n");
                                  },
                              .row =
                                  [&](const std::vector<std::string>& cells) {
                                    std::string& line = out.buffer();
                                    for (std::size_t i = 0; i < cells.size(); ++i) {
                                      if (i > 0) line.push_back('\t');
                                      append_escaped(line, cells[i]);
                                    }
                                    line.push_back('\n');
                                    out.maybe_flush();
                                  }});
    if (!result.failure) out.flush();
  }
  if (result.failure) return report_failure(*result.failure);
  return kExitDone;
}

Command add_show(CLI::App& parent) {
  auto options = std::make_shared<ShowOptions>();
  auto* app =
      parent.add_subcommand("show", "Print a workbook's cells, one tab-separated line per row");
  app->add_option("WORKBOOK", options->workbook, "The .xlsx or .xlsm workbook")->required();
  app->add_option("--sheet", options->sheet, "Only this sheet, without a header line");
  app->add_option_function<std::string>(
         "--range",
         [options](const std::string& text) { options->range = jobs::parse_range(text); },
         "Only these cells, e.g. A1:D20")
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            return jobs::parse_range(text) ? "" : "not a cell range like A1:D20: " + text;
          },
          "RANGE"));
  return {app, [options] { return show(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_show);

}  // namespace
}  // namespace fenwarx::cli

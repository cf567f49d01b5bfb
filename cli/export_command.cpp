// fenwarx export: the return object of the workbook's form verifies it silently
// and writes the return file into the output folder, as the workbook's export
// button would; the workbook is saved with what the verification wrote.
#include <fmt/format.h>

#include <cstdio>
#include <memory>

#include "command.hpp"
#include "exit_codes.hpp"
#include "job_report.hpp"
#include "jobs/jobs.hpp"
#include "json_report.hpp"
#include "workbook_options.hpp"

namespace fenwarx::cli {
namespace {

int export_return(const WorkbookOptions& options) {
  jobs::Result result;
  {
    TerminalObserver observer(options.json);
    result = jobs::export_return(workbook_job(options), environment_of(options, observer));
  }
  if (result.outcome == jobs::Outcome::Failed) return report_failure(*result.failure);
  if (result.outcome == jobs::Outcome::UnknownForm) return report_unknown_form(options.workbook);
  if (options.json)
    fmt::print("{}", json_text(result));
  else
    print_findings(result);
  std::fflush(stdout);
  return exit_code_of(result.outcome);
}

Command add_export(CLI::App& parent) {
  auto options = std::make_shared<WorkbookOptions>();
  auto* app = parent.add_subcommand(
      "export", "Verify a return workbook and write its return file into the output folder");
  add_workbook_options(*app, *options);
  add_out_dir_option(*app, options->out_dir);
  return {app, [options] { return export_return(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_export);

}  // namespace
}  // namespace fenwarx::cli

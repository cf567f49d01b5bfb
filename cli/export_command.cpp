// fenwarx export: the return object of the workbook's form verifies it silently
// and writes the return file into the output folder, as the workbook's export
// button would; the workbook is saved with what the verification wrote.
#include <memory>

#include "command.hpp"
#include "ctrl_c_stop.hpp"
#include "exit_codes.hpp"
#include "job_report.hpp"
#include "jobs/jobs.hpp"
#include "run_end.hpp"
#include "workbook_options.hpp"

namespace fenwarx::cli {
namespace {

int export_return(const WorkbookOptions& options) {
  if (const auto problem = output_kind_problem(options)) return end_usage(*problem, options.json);
  jobs::Result result;
  {
    CtrlCStop stop;
    TerminalObserver observer(options.json, options.quiet);
    result = jobs::export_return(workbook_job(options),
                                 environment_of(options, observer, stop.interruption()));
  }
  return end_workbook_run(result, options.workbook, options.json);
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

// fenwarx verify: the return object of the workbook's form checks it, as the
// workbook's own verify button would, and the workbook is saved with the marks.
#include <fmt/format.h>

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

struct VerifyOptions : WorkbookOptions {
  bool salary = false;
};

int verify(const VerifyOptions& options) {
  if (const auto problem = output_kind_problem(options)) return end_usage(*problem, options.json);
  jobs::Result result;
  {
    CtrlCStop stop;
    TerminalObserver observer(options.json, options.quiet);
    result = jobs::verify(workbook_job(options),
                          environment_of(options, observer, stop.interruption()), options.salary);
  }
  switch (result.outcome) {
    case jobs::Outcome::UnknownForm:
      print_report(result, options.json);
      return report_unknown_form(options.workbook);
    case jobs::Outcome::WrongForm:
      print_report(result, options.json);
      fmt::print(stderr, "fenwarx: --salary applies to Form 24 only; {} is Form {}\n",
                 options.workbook, form_name(*result.form));
      return kExitUsage;
    default: return end_run(result, options.json);
  }
}

Command add_verify(CLI::App& parent) {
  auto options = std::make_shared<VerifyOptions>();
  auto* app = parent.add_subcommand("verify",
                                    "Check a return workbook, mark its bad cells red and save it");
  add_workbook_options(*app, *options);
  app->add_flag("--salary", options->salary, "Also check the salary sheets (Form 24)");
  return {app, [options] { return verify(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_verify);

}  // namespace
}  // namespace fenwarx::cli

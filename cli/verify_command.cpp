// fenwarx verify: the return object of the workbook's form checks it, as the
// workbook's own verify button would, and the workbook is saved with the marks.
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

struct VerifyOptions : WorkbookOptions {
  bool salary = false;
};

int verify(const VerifyOptions& options) {
  jobs::Result result;
  {
    TerminalObserver observer(options.json);
    result = jobs::verify(workbook_job(options), environment_of(options, observer), options.salary);
  }
  switch (result.outcome) {
    case jobs::Outcome::Failed: return report_failure(*result.failure);
    case jobs::Outcome::UnknownForm: return report_unknown_form(options.workbook);
    case jobs::Outcome::WrongForm:
      fmt::print(stderr, "fenwarx: --salary applies to Form 24 only; {} is Form {}\n",
                 options.workbook, form_name(*result.form));
      return kExitUsage;
    default: break;
  }
  if (options.json)
    fmt::print("{}", json_text(result));
  else
    print_findings(result);
  std::fflush(stdout);
  return exit_code_of(result.outcome);
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

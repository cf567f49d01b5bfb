// fenwarx validate: the return file of a form, in the output folder, handed to the
// validator (by default this program's own structural check).
#include <fmt/format.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "command.hpp"
#include "exit_codes.hpp"
#include "job_report.hpp"
#include "jobs/jobs.hpp"
#include "run_end.hpp"
#include "validator_command.hpp"
#include "workbook_options.hpp"

namespace fenwarx::cli {
namespace {

struct ValidateOptions {
  std::optional<std::string> form;
  std::string out_dir;
  std::optional<std::string> validator;
  bool json = false;
};

int validate(const ValidateOptions& options) {
  jobs::Result result;
  {
    // The validator writes to standard output, which a JSON report keeps for itself.
    const StdoutAside aside(options.json);
    TerminalObserver observer(options.json, /*quiet=*/true);  // nothing walks: no progress
    std::fflush(stdout);
    result = jobs::validate(named_form(options.form).value_or(Form::F26),
                            {.observer = &observer,
                             .out_dir = options.out_dir,
                             .validator = validator_command(options.validator)});
  }
  if (result.outcome != jobs::Outcome::Missing) return end_run(result, options.json);
  const std::string missing = result.return_file->string();
  result.return_file.reset();  // none was handed to the validator
  print_report(result, options.json);
  fmt::print(stderr, "fenwarx: no return file at {}; run fenwarx export first\n", missing);
  return exit_code_of(result.outcome);
}

Command add_validate(CLI::App& parent) {
  auto options = std::make_shared<ValidateOptions>();
  auto* app = parent.add_subcommand("validate", "Run the validator on a form's return file");
  add_form_option(*app, options->form)->required();
  add_out_dir_option(*app, options->out_dir);
  app->add_option("--validator", options->validator,
                  "The validator's command line (or FENWARX_VALIDATOR); fenwarx check by default");
  app->add_flag("--json", options->json,
                "Print one JSON object; the validator's own output goes to standard error");
  return {app, [options] { return validate(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_validate);

}  // namespace
}  // namespace fenwarx::cli

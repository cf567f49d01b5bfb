// fenwarx certificates: fills the certificate host's tables from a return
// workbook and starts the host's utility, as the certificate button does; the
// workbook's file is read, never written.
#include <memory>
#include <optional>
#include <string>

#include "clock_option.hpp"
#include "command.hpp"
#include "ctrl_c_stop.hpp"
#include "job_report.hpp"
#include "jobs/jobs.hpp"
#include "run_end.hpp"
#include "workbook_options.hpp"

namespace fenwarx::cli {
namespace {

struct CertificateOptions {
  std::optional<std::string> form;
  std::optional<std::string> today;
  bool json = false;
  bool quiet = false;
  bool as_is = false;
  std::string workbook;
};

int certificates(const CertificateOptions& options) {
  jobs::Result result;
  {
    CtrlCStop stop;
    TerminalObserver observer(options.json, options.quiet);
    // The utility the run starts keeps standard output: not the object's.
    const StdoutAside aside(options.json);
    // FENWARX_OUT_DIR stands for drive C:, where the failure log goes for a
    // workbook without a folder.
    result = jobs::certificates(
        {.workbook = options.workbook, .form = named_form(options.form), .as_is = options.as_is},
        {.observer = &observer,
         .today = options.today ? parse_today(*options.today) : std::nullopt,
         .out_dir = default_out_dir(),
         .interruption = stop.interruption()});
  }
  return end_workbook_run(result, options.workbook, options.json);
}

Command add_certificates(CLI::App& parent) {
  auto options = std::make_shared<CertificateOptions>();
  auto* app = parent.add_subcommand(
      "certificates",
      "Fill the certificate host's tables from a return workbook and start its "
      "utility (the workbook is not written)");
  app->add_option("WORKBOOK", options->workbook, "The .xlsx or .xlsm workbook")->required();
  add_form_option(*app, options->form);
  add_today_option(*app, options->today);
  app->add_flag("--json", options->json, "Print one JSON object instead of the messages");
  add_quiet_flag(*app, options->quiet);
  app->add_flag("--as-is", options->as_is,
                "The workbook is in the certificate layout already: hand it over unverified");
  return {app, [options] { return certificates(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_certificates);

}  // namespace
}  // namespace fenwarx::cli

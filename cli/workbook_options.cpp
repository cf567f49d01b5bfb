#include "workbook_options.hpp"

#include <fmt/format.h>

#include <cstdlib>
#include <filesystem>

#include "clock_option.hpp"
#include "platform/values/ascii.hpp"
#include "validator_command.hpp"

namespace fenwarx::cli {

CLI::Option* add_form_option(CLI::App& app, std::optional<std::string>& form) {
  return app.add_option("--form", form, "The return form: 24, 26, 27 or 27EQ")
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            return find_form(text) ? "" : "not a return form (24, 26, 27 or 27EQ): " + text;
          },
          "24|26|27|27EQ"));
}

void add_quiet_flag(CLI::App& app, bool& quiet) {
  app.add_flag("--quiet", quiet, "Show no progress on the terminal while it runs");
}

void add_workbook_options(CLI::App& app, WorkbookOptions& options) {
  app.add_option("WORKBOOK", options.workbook, "The .xlsx or .xlsm workbook")->required();
  add_form_option(app, options.form);
  add_today_option(app, options.today);
  app.add_flag("--json", options.json, "Print one JSON object instead of the messages");
  add_quiet_flag(app, options.quiet);
  auto* output = app.add_option("-o,--output", options.output, "Save to this file instead");
  auto* no_save = app.add_flag("--no-save", options.no_save, "Leave the workbook unchanged");
  output->excludes(no_save);
}

std::string default_out_dir() {
  const char* env = std::getenv("FENWARX_OUT_DIR");
  return env && *env ? env : ".";
}

void add_out_dir_option(CLI::App& app, std::string& out_dir) {
  out_dir = default_out_dir();
  app.add_option("--out-dir", out_dir, "The folder the return file goes to (drive C:)")
      ->check(CLI::ExistingDirectory);
}

std::optional<Form> named_form(const std::optional<std::string>& form) {
  return form ? find_form(*form) : std::nullopt;
}

std::optional<std::string> output_kind_problem(const WorkbookOptions& options) {
  if (!options.output) return std::nullopt;
  // The package's content types say whether it holds macros; a name that says
  // otherwise is refused by the spreadsheet, so the copy keeps the kind it has.
  std::string kind = std::filesystem::path(options.workbook).extension().string();
  for (char& c : kind) c = ascii_lower(c);
  if (kind != ".xlsx" && kind != ".xlsm") return std::nullopt;
  if (equal_ignoring_case(std::filesystem::path(*options.output).extension().string(), kind))
    return std::nullopt;
  return fmt::format("-o {}: the workbook is an {} file; give -o a name ending in {}",
                     *options.output, kind, kind);
}

jobs::WorkbookJob workbook_job(const WorkbookOptions& options) {
  jobs::WorkbookJob job{.workbook = options.workbook, .form = named_form(options.form)};
  if (options.output) job.save_as = *options.output;
  job.save = !options.no_save;
  return job;
}

jobs::Environment environment_of(const WorkbookOptions& options, jobs::Observer& observer,
                                 Interruption* interruption) {
  return {.observer = &observer,
          .today = options.today ? parse_today(*options.today) : std::nullopt,
          .out_dir = options.out_dir,
          .validator = validator_command(std::nullopt),
          .interruption = interruption};
}

}  // namespace fenwarx::cli

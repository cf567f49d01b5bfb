#include "workbook_session.hpp"

#include <fmt/format.h>

#include <cstdio>
#include <cstdlib>

#include "clock_option.hpp"
#include "form_detection.hpp"
#include "json_report.hpp"
#include "returns/registry.hpp"
#include "validator_command.hpp"

namespace fenwarx::cli {

CLI::Option* add_form_option(CLI::App& app, std::optional<std::string>& form) {
  return app.add_option("--form", form, "The return form: 24, 26, 27 or 27EQ")
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            return find_profile(text) ? "" : "not a return form (24, 26, 27 or 27EQ): " + text;
          },
          "24|26|27|27EQ"));
}

void add_workbook_options(CLI::App& app, WorkbookOptions& options) {
  app.add_option("WORKBOOK", options.workbook, "The .xlsx or .xlsm workbook")->required();
  add_form_option(app, options.form);
  add_today_option(app, options.today);
  app.add_flag("--json", options.json, "Print one JSON object instead of the messages");
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

const FormProfile* named_form(const std::optional<std::string>& form) {
  return form ? find_profile(*form) : nullptr;
}

std::unique_ptr<WorkbookSession> WorkbookSession::open(const WorkbookOptions& options,
                                                       std::filesystem::path out_dir) {
  auto workbook = XlsxWorkbook::open(options.workbook);
  const FormProfile* profile = options.form ? named_form(options.form) : detect_form(*workbook);
  if (!profile) {
    fmt::print(stderr, "fenwarx: cannot tell the form of {}; give --form 24|26|27|27EQ\n",
               options.workbook);
    return nullptr;
  }
  return std::unique_ptr<WorkbookSession>(
      new WorkbookSession(options, std::move(workbook), *profile, std::move(out_dir)));
}

WorkbookSession::WorkbookSession(const WorkbookOptions& options,
                                 std::shared_ptr<XlsxWorkbook> workbook, const FormProfile& profile,
                                 std::filesystem::path out_dir)
    : options_(options),
      workbook_(std::move(workbook)),
      profile_(&profile),
      ui_(workbook_->GetApplication(), stderr,
          options.json ? static_cast<Ui&>(recorder_) : printer_),
      clock_(make_clock(options.today)),
      object_(create_object(profile.prog_id,
                            Platform{ui_, *clock_, std::move(out_dir), validator_command(std::nullopt)})) {}

std::optional<std::string> WorkbookSession::save() {
  if (options_.output) {
    workbook_->save_as(*options_.output);
    return options_.output;
  }
  if (options_.no_save) return std::nullopt;
  workbook_->save();
  return options_.workbook;
}

void WorkbookSession::report(const std::optional<std::string>& saved,
                             const std::optional<std::string>& return_file) {
  if (options_.json) {
    Report report{recorder_.messages, object_->error_count,
                  object_->deductor_sheet ? read_error_log(*object_->deductor_sheet)
                                          : std::vector<LogLine>{},
                  return_file, saved, std::nullopt};
    fmt::print("{}", json_text(report));
  }
  std::fflush(stdout);
}

}  // namespace fenwarx::cli

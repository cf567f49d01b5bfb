// fenwarx verify: the return object of the workbook's form checks it, as the
// workbook's own verify button would, and the workbook is saved with the marks.
#include <fmt/format.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "clock_option.hpp"
#include "command.hpp"
#include "exit_codes.hpp"
#include "form_detection.hpp"
#include "json_report.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "printing_ui.hpp"
#include "progress.hpp"
#include "returns/dispatch.hpp"
#include "returns/registry.hpp"
#include "verify/verification.hpp"

namespace fenwarx::cli {
namespace {

// Where the workbook's macros record a verification that found nothing.
constexpr int kVerifiedRow = 100, kVerifiedColumn = 101;

struct VerifyOptions {
  std::optional<std::string> form;
  bool salary = false;
  std::optional<std::string> today;
  bool json = false;
  std::optional<std::string> output;
  bool no_save = false;
  std::string workbook;
};

int verify(const VerifyOptions& options) {
  auto workbook = XlsxWorkbook::open(options.workbook);
  const FormProfile* profile = options.form ? find_profile(*options.form) : detect_form(*workbook);
  if (!profile) {
    fmt::print(stderr, "fenwarx: cannot tell the form of {}; give --form 24|26|27|27EQ\n",
               options.workbook);
    return kExitUsage;
  }
  if (options.salary && !profile->has_verify_salary) {
    fmt::print(stderr, "fenwarx: --salary applies to Form 24 only; {} is Form {}\n",
               options.workbook, profile->name);
    return kExitUsage;
  }

  RecordingUi recorder;
  PrintingUi printer(stdout);
  Progress ui(workbook->GetApplication(), stderr,
               options.json ? static_cast<Ui&>(recorder) : printer);
  const auto clock = make_clock(options.today);
  const auto object = create_object(profile->prog_id, Platform{ui, *clock});

  VerifyData_Vantor_ETDS(*object, workbook);
  // An empty financial year stops the run before any check: nothing was verified.
  const bool refused = object->financial_year.empty();
  if (!refused && options.salary) {
    std::vector<Variant> args{Variant::object(workbook)};
    invoke(*object, "verifySalary", args);
  }
  const bool clean = !refused && object->error_count == 0;
  if (clean)
    object->deductor_sheet->Cells(kVerifiedRow, kVerifiedColumn).SetValue(Variant::text("Verified"));

  std::optional<std::string> saved;
  if (options.output) {
    workbook->save_as(*options.output);
    saved = options.output;
  } else if (!options.no_save) {
    workbook->save();
    saved = options.workbook;
  }

  if (options.json) {
    Report report{recorder.messages, object->error_count, read_error_log(*object->deductor_sheet),
                  std::nullopt, saved, std::nullopt};
    fmt::print("{}", json_text(report));
  }
  std::fflush(stdout);
  return clean ? kExitDone : kExitDataErrors;
}

Command add_verify(CLI::App& parent) {
  auto options = std::make_shared<VerifyOptions>();
  auto* app = parent.add_subcommand(
      "verify", "Check a return workbook, mark its bad cells red and save it");
  app->add_option("WORKBOOK", options->workbook, "The .xlsx or .xlsm workbook")->required();
  app->add_option("--form", options->form, "The return form: 24, 26, 27 or 27EQ")
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            return find_profile(text) ? "" : "not a return form (24, 26, 27 or 27EQ): " + text;
          },
          "24|26|27|27EQ"));
  app->add_flag("--salary", options->salary, "Also check the salary sheets (Form 24)");
  add_today_option(*app, options->today);
  app->add_flag("--json", options->json, "Print one JSON object instead of the messages");
  auto* output = app->add_option("-o,--output", options->output, "Save to this file instead");
  auto* no_save = app->add_flag("--no-save", options->no_save, "Leave the workbook unchanged");
  output->excludes(no_save);
  return {app, [options] { return verify(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_verify);

}  // namespace
}  // namespace fenwarx::cli

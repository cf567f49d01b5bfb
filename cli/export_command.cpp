// fenwarx export: the return object of the workbook's form verifies it silently
// and writes the return file into the output folder, as the workbook's export
// button would; the workbook is saved with what the verification wrote.
#include <memory>
#include <optional>
#include <string>

#include "command.hpp"
#include "exit_codes.hpp"
#include "export/export.hpp"
#include "workbook_session.hpp"

namespace fenwarx::cli {
namespace {

// Where the workbook's macros record a completed export.
constexpr int kFlagRow = 100, kFlagColumn = 101;

struct ExportOptions : WorkbookOptions {
  std::string out_dir;
};

int export_return(const ExportOptions& options) {
  const auto session = WorkbookSession::open(options, options.out_dir);
  if (!session) return kExitUsage;
  ReturnObject& object = session->object();
  ExportETDS_Vantor(object, session->shared_workbook());
  std::optional<std::string> return_file;
  if (object.export_completed) {
    return_file = return_file_path(object).string();
    object.deductor_sheet->Cells(kFlagRow, kFlagColumn).SetValue(Variant::text("Exported"));
  }
  session->report(session->save(), return_file);
  return object.export_completed ? kExitDone : kExitDataErrors;
}

Command add_export(CLI::App& parent) {
  auto options = std::make_shared<ExportOptions>();
  auto* app = parent.add_subcommand(
      "export", "Verify a return workbook and write its return file into the output folder");
  add_workbook_options(*app, *options);
  add_out_dir_option(*app, options->out_dir);
  return {app, [options] { return export_return(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_export);

}  // namespace
}  // namespace fenwarx::cli

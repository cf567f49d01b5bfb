// fenwarx verify: the return object of the workbook's form checks it, as the
// workbook's own verify button would, and the workbook is saved with the marks.
#include <fmt/format.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "command.hpp"
#include "exit_codes.hpp"
#include "returns/dispatch.hpp"
#include "verify/verification.hpp"
#include "workbook_session.hpp"

namespace fenwarx::cli {
namespace {

// Where the workbook's macros record a verification that found nothing.
constexpr int kVerifiedRow = 100, kVerifiedColumn = 101;

struct VerifyOptions : WorkbookOptions {
  bool salary = false;
};

int verify(const VerifyOptions& options) {
  const auto session = WorkbookSession::open(options);
  if (!session) return kExitUsage;
  const FormProfile& profile = session->profile();
  if (options.salary && !profile.has_verify_salary) {
    fmt::print(stderr, "fenwarx: --salary applies to Form 24 only; {} is Form {}\n",
               options.workbook, profile.name);
    return kExitUsage;
  }
  ReturnObject& object = session->object();
  VerifyData_Vantor_ETDS(object, session->shared_workbook());
  // An empty financial year stops the run before any check: nothing was verified.
  const bool refused = object.financial_year.empty();
  if (!refused && options.salary) {
    std::vector<Variant> args{Variant::object(session->shared_workbook())};
    invoke(object, "verifySalary", args);
  }
  const bool clean = !refused && object.error_count == 0;
  if (clean)
    object.deductor_sheet->Cells(kVerifiedRow, kVerifiedColumn).SetValue(Variant::text("Verified"));
  session->report(session->save(), std::nullopt);
  return clean ? kExitDone : kExitDataErrors;
}

Command add_verify(CLI::App& parent) {
  auto options = std::make_shared<VerifyOptions>();
  auto* app = parent.add_subcommand(
      "verify", "Check a return workbook, mark its bad cells red and save it");
  add_workbook_options(*app, *options);
  app->add_flag("--salary", options->salary, "Also check the salary sheets (Form 24)");
  return {app, [options] { return verify(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_verify);

}  // namespace
}  // namespace fenwarx::cli

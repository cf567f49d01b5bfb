#include "jobs/jobs.hpp"
#include "jobs/log_lines.hpp"
#include "jobs/workbook_run.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "returns/dispatch.hpp"
#include "returns/registry.hpp"

namespace fenwarx::jobs {
namespace {

bool has_result(const ReturnObject& object, std::string_view name) {
  for (const Member* member : members_of(object.return_class()))
    if (equal_ignoring_case(member->name, name)) return member->has_result;
  return false;
}

}  // namespace

Result call(const CallJob& job, const Environment& environment) {
  Result result;
  try {
    std::shared_ptr<XlsxWorkbook> workbook;
    std::optional<ApplicationHooks> hooks;
    if (job.workbook) {
      workbook = XlsxWorkbook::open(*job.workbook);
      hooks.emplace(workbook->GetApplication(), environment);
    }
    MessageSink messages(result, environment.observer);
    const auto clock = clock_of(environment);
    const auto object =
        create_object(job.prog_id, Platform{.ui = messages,
                                            .clock = *clock,
                                            .output_folder = environment.out_dir,
                                            .validator = environment.validator,
                                            .system_folder = environment.system_folder});
    result.form = object->form();
    for (const MemberCall& c : job.calls) {
      std::vector<Variant> arguments;
      for (const std::string& argument : c.arguments)
        arguments.push_back(argument == kWorkbookArgument ? Variant::object(workbook)
                                                          : Variant::text(argument));
      const Variant value = invoke(*object, c.member, arguments);
      if (!has_result(*object, c.member)) continue;
      result.results.push_back(value.to_text());
      if (environment.observer) environment.observer->result(result.results.back());
    }
    // A stop asked for while the members ran (one waiting for a validator, say)
    // is taken here, before the save.
    if (environment.interruption) environment.interruption->seal();
    if (workbook && job.save) {
      workbook->save();
      result.saved = job.workbook;
    }
    result.errors = object->error_count;
    result.log = log_lines(object->findings);
    result.notes = object->notes;
    result.not_written = not_written_rows(*object);
    // A validator that rejected the return file is an error found, as `validate` counts it.
    const bool rejected = object->validator_status > 0;
    result.outcome = object->error_count > 0 || rejected ? Outcome::DataErrors : Outcome::Done;
    // A certificate run whose host database failed handled it with a message; the
    // caller still learns that nothing was written.
    const CertificateOutcome& certificates = object->certificates;
    if (certificates.end == CertificateOutcome::End::Failed) {
      result.outcome = certificates.too_long ? Outcome::DataErrors : Outcome::Failed;
      if (!certificates.too_long) result.failure = failure_of(*certificates.failure);
    }
  } catch (const RuntimeError& error) {
    stopped_by(result, error);
  }
  return result;
}

}  // namespace fenwarx::jobs

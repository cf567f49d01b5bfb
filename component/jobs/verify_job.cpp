#include "jobs/jobs.hpp"
#include "jobs/workbook_run.hpp"
#include "platform/values/runtime_error.hpp"
#include "returns/dispatch.hpp"
#include "state/message_texts.hpp"
#include "verify/verification.hpp"

namespace fenwarx::jobs {

Result verify(const WorkbookJob& job, const Environment& environment, bool salary) {
  Result result;
  try {
    WorkbookRun run(job, environment, result);
    if (!run.has_object()) return result;
    ReturnObject& object = run.object();
    if (salary && !object.return_class().has_verify_salary) {
      result.outcome = Outcome::WrongForm;
      return result;
    }
    VerifyData_Vantor_ETDS(object, run.workbook());
    // An empty financial year stops the run before any check: nothing was verified.
    const bool refused = object.financial_year.empty();
    if (!refused && salary) {
      std::vector<Variant> args{Variant::object(run.workbook())};
      invoke(object, "verifySalary", args);
    }
    const bool clean = !refused && object.error_count == 0;
    if (clean) run.flag(texts::kFlagVerified);
    run.finish();
    result.outcome = clean ? Outcome::Done : Outcome::DataErrors;
  } catch (const RuntimeError& error) {
    result.outcome = Outcome::Failed;
    result.failure = failure_of(error);
  }
  return result;
}

}  // namespace fenwarx::jobs

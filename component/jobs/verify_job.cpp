#include <string_view>

#include "jobs/jobs.hpp"
#include "jobs/workbook_run.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"
#include "returns/dispatch.hpp"
#include "state/message_texts.hpp"
#include "verify/verification.hpp"

namespace fenwarx::jobs {
namespace {

// The findings from `first` on that lie on the salary or perquisite sheet (the
// salary check repeats the challan check, whose findings are not counted here).
double salary_findings(const ReturnObject& object, std::size_t first) {
  const WorkbookLayout& layout = object.layout();
  double count = 0;
  for (std::size_t i = first; i < object.findings.size(); ++i) {
    const std::string_view sheet = object.findings[i].sheet;
    if (equal_ignoring_case(sheet, layout.salaries->name) ||
        equal_ignoring_case(sheet, layout.perquisites->name))
      count += 1;
  }
  return count;
}

// After the verification, as the macros call it: the salary sheets' count in a
// message, and "Error" in the flag cell when they spoil a clean verification.
void verify_salary(WorkbookRun& run, ReturnObject& object) {
  const bool verified_clean = object.error_count == 0;
  const std::size_t first = object.findings.size();
  std::vector<Variant> args{Variant::object(run.workbook())};
  invoke(object, "verifySalary", args);
  object.ui().MsgBox(
      Message::information(texts::salary_errors_found(salary_findings(object, first))));
  if (verified_clean && object.error_count > 0) run.flag(texts::kFlagError);
}

}  // namespace

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
    if (!refused && salary) verify_salary(run, object);
    const bool clean = !refused && object.error_count == 0;
    if (clean) run.flag(texts::kFlagVerified);
    run.finish();
    result.outcome = clean ? Outcome::Done : Outcome::DataErrors;
  } catch (const RuntimeError& error) {
    stopped_by(result, error);
  }
  return result;
}

}  // namespace fenwarx::jobs

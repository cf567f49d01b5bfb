#include "export/export.hpp"
#include "jobs/jobs.hpp"
#include "jobs/log_lines.hpp"
#include "jobs/workbook_run.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/message_texts.hpp"

namespace fenwarx::jobs {

Result export_return(const WorkbookJob& job, const Environment& environment) {
  Result result;
  try {
    WorkbookRun run(job, environment, result);
    if (!run.has_object()) return result;
    ReturnObject& object = run.object();
    ExportETDS_Vantor(object, run.workbook());
    if (object.exported.completed) {
      result.return_file = return_file_path(object);
      result.not_written = not_written_rows(object);
      run.flag(texts::kFlagExported);
    }
    run.finish();
    result.outcome = object.exported.completed ? Outcome::Done : Outcome::DataErrors;
  } catch (const RuntimeError& error) {
    stopped_by(result, error);
  }
  return result;
}

}  // namespace fenwarx::jobs

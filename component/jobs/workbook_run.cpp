#include "jobs/workbook_run.hpp"

#include "jobs/log_lines.hpp"
#include "layout/form_detection.hpp"
#include "platform/values/runtime_error.hpp"
#include "returns/registry.hpp"

namespace fenwarx::jobs {

void MessageSink::MsgBox(const Message& message) {
  result_.messages.push_back(message);
  if (observer_) observer_->message(message);
}

std::unique_ptr<Clock> clock_of(const Environment& environment) {
  return environment.today ? fixed_clock(*environment.today) : system_clock();
}

Failure failure_of(const RuntimeError& error) {
  return {.number = error.number(), .description = error.description()};
}

WorkbookRun::WorkbookRun(const WorkbookJob& job, const Environment& environment, Result& result,
                         std::optional<Form> fallback)
    : job_(job),
      result_(result),
      messages_(result, environment.observer),
      clock_(clock_of(environment)) {
  if (job.open) {
    workbook_ = job.open;
  } else {
    file_ = XlsxWorkbook::open(job.workbook);
    workbook_ = file_;
  }
  result.form = job.form ? job.form : detect_form(*workbook_);
  if (!result.form) result.form = fallback;
  if (!result.form) {
    result.outcome = Outcome::UnknownForm;
    return;
  }
  if (Observer* observer = environment.observer)
    workbook_->GetApplication().set_listener(
        [observer](const std::string& status) { observer->status(status); });
  object_ = create_object(return_class(*result.form).prog_id,
                          Platform{.ui = messages_,
                                   .clock = *clock_,
                                   .output_folder = environment.out_dir,
                                   .validator = environment.validator,
                                   .system_folder = environment.system_folder});
}

WorkbookRun::~WorkbookRun() {
  if (workbook_) workbook_->GetApplication().set_listener(nullptr);
}

void WorkbookRun::flag(std::string_view text) {
  const CellPlace cell = object_->layout().deductor.flag;
  object_->deductor_sheet->Cells(cell.row, cell.column).SetValue(Variant::text(std::string(text)));
  result_.flag = std::string(text);
}

void WorkbookRun::finish() {
  // A workbook the caller holds is the caller's to write back.
  if (file_ && job_.save_as) {
    file_->save_as(*job_.save_as);
    result_.saved = job_.save_as;
  } else if (file_ && job_.save) {
    file_->save();
    result_.saved = job_.workbook;
  }
  result_.errors = object_->error_count;
  result_.log = log_lines(object_->findings);
  result_.notes = object_->notes;
}

}  // namespace fenwarx::jobs

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

void stopped_by(Result& result, const RuntimeError& error) {
  result.outcome = error.number() == err::kUserInterrupt ? Outcome::Cancelled : Outcome::Failed;
  result.failure = failure_of(error);
}

ApplicationHooks::ApplicationHooks(Application& application, const Environment& environment)
    : application_(application) {
  if (Observer* observer = environment.observer) {
    application.set_listener([observer](const std::string& status) { observer->status(status); });
    application.set_progress_listener(
        [observer](const Progress& progress) { observer->progress(progress); });
  }
  application.set_interruption(environment.interruption);
}

ApplicationHooks::~ApplicationHooks() {
  application_.set_listener(nullptr);
  application_.set_progress_listener(nullptr);
  application_.set_interruption(nullptr);
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
  hooks_.emplace(workbook_->GetApplication(), environment);
  object_ = create_object(return_class(*result.form).prog_id,
                          Platform{.ui = messages_,
                                   .clock = *clock_,
                                   .output_folder = environment.out_dir,
                                   .validator = environment.validator,
                                   .system_folder = environment.system_folder});
}

WorkbookRun::~WorkbookRun() = default;

void WorkbookRun::flag(std::string_view text) {
  const CellPlace cell = object_->layout().deductor.flag;
  object_->deductor_sheet->Cells(cell.row, cell.column).SetValue(Variant::text(std::string(text)));
  result_.flag = std::string(text);
}

void WorkbookRun::finish() {
  workbook_->GetApplication().BeginWriting();
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

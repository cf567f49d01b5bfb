#pragma once
// What the jobs on a return workbook share: the workbook opened and its form told,
// the return object of that form with the messages going to the result and the
// observer, the status bar and the walks' progress passed on, the user's stop
// taken, and the workbook saved as the job asks.
#include <memory>
#include <optional>

#include "jobs/job_result.hpp"
#include "platform/clock/clock.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "state/return_object.hpp"

namespace fenwarx::jobs {

// Keeps every message in the result and shows it to the observer.
class MessageSink : public Ui {
 public:
  MessageSink(Result& result, Observer* observer) : result_(result), observer_(observer) {}
  void MsgBox(const Message& message) override;

 private:
  Result& result_;
  Observer* observer_;
};

std::unique_ptr<Clock> clock_of(const Environment& environment);
// A run-time error as the result reports it.
Failure failure_of(const RuntimeError& error);
// The result of a job a run-time error stopped: Cancelled when it was the user's
// stop, else Failed; the failure either way.
void stopped_by(Result& result, const RuntimeError& error);

// While alive, what a workbook's application shows goes to the environment's
// observer (the status bar, the walks' progress), and the environment's
// interruption stops the walks.
class ApplicationHooks {
 public:
  ApplicationHooks(Application& application, const Environment& environment);
  ~ApplicationHooks();
  ApplicationHooks(const ApplicationHooks&) = delete;
  ApplicationHooks& operator=(const ApplicationHooks&) = delete;

 private:
  Application& application_;
};

class WorkbookRun {
 public:
  // Opens the workbook (a failure to open is a RuntimeError), or takes the one
  // the job holds, and tells its form,
  // `fallback` when its sheets do not; with no form, result.outcome is
  // UnknownForm and there is no object.
  WorkbookRun(const WorkbookJob& job, const Environment& environment, Result& result,
              std::optional<Form> fallback = std::nullopt);
  ~WorkbookRun();
  WorkbookRun(const WorkbookRun&) = delete;
  WorkbookRun& operator=(const WorkbookRun&) = delete;

  bool has_object() const { return object_ != nullptr; }
  ReturnObject& object() { return *object_; }
  const std::shared_ptr<Workbook>& workbook() { return workbook_; }

  // Writes the flag into the deductor sheet's flag cell.
  void flag(std::string_view text);
  // Saves as the job says (a stop asked for until then is raised instead: nothing
  // is saved; a workbook the job holds is never saved); gathers the error count
  // and the log into the result.
  void finish();

 private:
  const WorkbookJob& job_;
  Result& result_;
  MessageSink messages_;
  std::unique_ptr<Clock> clock_;
  std::shared_ptr<XlsxWorkbook> file_;  // the workbook's file, when the job opened one
  std::shared_ptr<Workbook> workbook_;
  std::optional<ApplicationHooks> hooks_;
  std::shared_ptr<ReturnObject> object_;
};

}  // namespace fenwarx::jobs

#include <filesystem>

#include "export/export.hpp"
#include "jobs/jobs.hpp"
#include "jobs/workbook_run.hpp"
#include "platform/values/runtime_error.hpp"
#include "returns/registry.hpp"

namespace fenwarx::jobs {

Result validate(Form form, const Environment& environment) {
  Result result;
  result.form = form;
  try {
    MessageSink messages(result, environment.observer);
    const auto clock = clock_of(environment);
    const auto object =
        create_object(return_class(form).prog_id, Platform{.ui = messages,
                                                           .clock = *clock,
                                                           .output_folder = environment.out_dir,
                                                           .validator = environment.validator});
    result.return_file = return_file_path(*object);
    if (!std::filesystem::exists(*result.return_file)) {
      result.outcome = Outcome::Missing;
      return result;
    }
    Validation_ReturnFile(*object);
    result.outcome = object->validator_status == 0 ? Outcome::Done : Outcome::DataErrors;
  } catch (const RuntimeError& error) {
    result.outcome = Outcome::Failed;
    result.failure = failure_of(error);
  }
  return result;
}

}  // namespace fenwarx::jobs

#include <filesystem>

#include "jobs/jobs.hpp"
#include "jobs/workbook_run.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"
#include "templates/return_template.hpp"

namespace fenwarx::jobs {

TemplateResult create_template(Form form, const std::filesystem::path& file, bool replace,
                               const Environment& environment) {
  TemplateResult result;
  if (!equal_ignoring_case(file.extension().string(), ".xlsx"))
    result.refusal = TemplateResult::Refusal::NotXlsx;
  else if (!replace && std::filesystem::exists(file))
    result.refusal = TemplateResult::Refusal::Exists;
  if (result.refusal != TemplateResult::Refusal::None) {
    result.outcome = Outcome::Refused;
    return result;
  }
  try {
    templates::write_return_template(file, form, *clock_of(environment));
  } catch (const RuntimeError& error) {
    result.outcome = Outcome::Failed;
    result.failure = failure_of(error);
  }
  return result;
}

}  // namespace fenwarx::jobs

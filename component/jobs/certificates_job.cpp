#include "certificates/certificates.hpp"
#include "export/export.hpp"
#include "jobs/certificate_workbook.hpp"
#include "jobs/jobs.hpp"
#include "jobs/workbook_run.hpp"

namespace fenwarx::jobs {
namespace {

Outcome outcome_of(const CertificateOutcome& run, Result& result) {
  switch (run.end) {
    case CertificateOutcome::End::Written:
      result.certificates = CertificatesWritten{.rows = run.rows, .certificates = run.certificates};
      if (!run.utility.empty()) result.certificates->utility = run.utility;
      return Outcome::Done;
    case CertificateOutcome::End::Failed:
      // A value the host cannot hold is the data's; anything else the database's.
      if (run.too_long) return Outcome::DataErrors;
      result.failure = failure_of(*run.failure);
      return Outcome::Failed;
    case CertificateOutcome::End::NotRun:
    case CertificateOutcome::End::Stopped: break;
  }
  return Outcome::DataErrors;
}

}  // namespace

Result certificates(const CertificatesJob& job, const Environment& environment) {
  Result result;
  try {
    // The run reads the workbook and never writes it: it is not saved.
    const WorkbookJob opened{.workbook = job.workbook, .form = job.form, .save = false};
    // A workbook in the certificate layout may not tell its form: the classes
    // differ only in the 27EQ sheet names, which the form detection sees.
    WorkbookRun run(opened, environment, result,
                    job.as_is ? std::optional<Form>(Form::F26) : std::nullopt);
    if (!run.has_object()) return result;
    ReturnObject& object = run.object();
    std::shared_ptr<Workbook> workbook = run.workbook();
    std::optional<ApplicationHooks> hooks;
    if (!job.as_is) {
      verify_for_export(object, workbook);
      workbook = certificate_workbook(object, *workbook);
      hooks.emplace(workbook->GetApplication(), environment);
    }
    GenerateCertificate(object, workbook);
    run.finish();
    result.outcome = outcome_of(object.certificates, result);
  } catch (const RuntimeError& error) {
    stopped_by(result, error);
  }
  return result;
}

}  // namespace fenwarx::jobs

#include <filesystem>
#include <fstream>
#include <iterator>

#include "jobs/jobs.hpp"
#include "jobs/workbook_run.hpp"
#include "layout/form_detection.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"

namespace fenwarx::jobs {
namespace {

std::string read_bytes(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    throw RuntimeError(err::kFileNotFound, "File not found: " + path.string());
  std::ifstream in(path, std::ios::binary);
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) throw RuntimeError(err::kDeviceIo, "Device I/O error: " + path.string());
  return bytes;
}

}  // namespace

CheckResult check(const std::filesystem::path& return_file,
                  const std::optional<std::filesystem::path>& workbook, std::optional<Form> form,
                  bool strict) {
  CheckResult result;
  try {
    result.report = check_return_file(read_bytes(return_file));
    if (workbook) {
      auto opened = XlsxWorkbook::open(*workbook);
      if (!form) form = detect_form(*opened);
      if (!form) {
        result.outcome = Outcome::UnknownForm;
        return result;
      }
      locate_findings(result.report, *opened, *form);
    }
    const bool clean =
        result.report.findings.empty() && (!strict || result.report.warnings.empty());
    result.outcome = clean ? Outcome::Done : Outcome::DataErrors;
  } catch (const RuntimeError& error) {
    result.outcome = Outcome::Failed;
    result.failure = failure_of(error);
  }
  return result;
}

}  // namespace fenwarx::jobs

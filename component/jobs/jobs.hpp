#pragma once
// The component's jobs: what a user asks of it, each as one call that takes a
// workbook or a file and options and returns what happened. A run-time error
// does not escape a job: it comes back as the result's failure.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/return_file_check.hpp"
#include "jobs/job_result.hpp"

namespace fenwarx::jobs {

// Verifies the workbook as its verify button does, and with `salary` (Form 24
// only) the salary sheets too; a clean run writes "Verified" into the flag cell.
Result verify(const WorkbookJob& job, const Environment& environment, bool salary = false);

// Verifies silently and writes the return file into the output folder, as the
// export button does; a written file is flagged "Exported".
Result export_return(const WorkbookJob& job, const Environment& environment);

// Hands the form's return file in the output folder to the validator; Missing
// when there is no file, DataErrors when the validator did not exit with 0.
Result validate(Form form, const Environment& environment);

// Fills the certificate host's tables from a return workbook and starts its
// utility, as the certificate button does. By default the return is verified
// silently and its deductee records laid out in the certificate layout in a
// workbook in memory, beside a copy of the deductor sheet (its flag "Error" when
// the verification found errors); `as_is` hands the workbook itself, for one
// already in that layout. The workbook's file is never written. Done when the
// tables were written, DataErrors when the run stopped at a message (the flag,
// the host, a value the host cannot hold), Failed when the host's database failed.
struct CertificatesJob {
  std::filesystem::path workbook;
  std::optional<Form> form = {};  // else told by the workbook
  bool as_is = false;
};
Result certificates(const CertificatesJob& job, const Environment& environment);

// Sets up the stand-in certificate host in `folder`: its two databases with the
// certificate tables, `utility` installed as its certificate utility, and the
// ini file in the system folder naming the folder. Refused when the folder holds
// a host's file, or the ini file names another folder, unless told to replace.
struct HostJob {
  std::filesystem::path folder;
  std::filesystem::path utility;
  bool replace = false;
};
struct HostResult {
  Outcome outcome = Outcome::Done;
  std::filesystem::path folder;         // absolute
  std::filesystem::path ini;            // the ini file written
  std::vector<std::string> in_the_way;  // what refused the job
  std::optional<Failure> failure;
};
HostResult init_host(const HostJob& job, const Environment& environment = {});

struct MemberCall {
  std::string member;
  std::vector<std::string> arguments;  // texts; "@workbook" passes the workbook
};
inline constexpr std::string_view kWorkbookArgument = "@workbook";

// Calls members of one return object by name, in order, as a macro does; the
// results of members that have one go to the observer and the result. DataErrors
// when the object counted errors or the validator it ran did not exit with 0; a
// run-time error a member raised stops the calls and is the result's failure.
struct CallJob {
  std::string prog_id;
  std::vector<MemberCall> calls;
  std::optional<std::filesystem::path> workbook = {};
  bool save = true;
};
Result call(const CallJob& job, const Environment& environment);

struct CheckResult {
  Outcome outcome = Outcome::Done;
  CheckReport report;
  std::optional<Failure> failure;
};
// Checks a return file; with the workbook it came from, each finding and warning
// names its cell. Warnings count as findings for the outcome only when `strict`.
CheckResult check(const std::filesystem::path& return_file,
                  const std::optional<std::filesystem::path>& workbook, std::optional<Form> form,
                  bool strict = false);

// Writes the blank return workbook of a form, its year hints of the environment's
// today. It refuses a name that is no .xlsx (the template holds no macros, so an
// .xlsm would promise what it lacks) and an existing file unless told to replace it.
struct TemplateResult {
  Outcome outcome = Outcome::Done;
  enum class Refusal { None, NotXlsx, Exists } refusal = Refusal::None;
  std::optional<Failure> failure;
};
TemplateResult create_template(Form form, const std::filesystem::path& file, bool replace,
                               const Environment& environment = {});

// The cells of a workbook's sheets (one sheet, or all), row by row, as texts.
struct ShowJob {
  std::filesystem::path workbook;
  std::optional<std::string> sheet = {};
  struct Range {
    int first_row, first_column, last_row, last_column;
  };
  std::optional<Range> range = {};
};
// "A1:D20" or "B3": column letters in either case, within the sheet, the first
// corner above and left of the second; nothing for anything else.
std::optional<ShowJob::Range> parse_range(std::string_view text);
struct ShowVisitor {
  std::function<void(std::string_view name)> sheet;  // before each sheet's rows, all sheets shown
  std::function<void(const std::vector<std::string>& cells)> row;
};
Result show(const ShowJob& job, const ShowVisitor& visitor);

}  // namespace fenwarx::jobs

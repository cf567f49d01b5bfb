#pragma once
// What every job takes from its caller and hands back. The command line, the C
// interface and the spreadsheet toolbar call the same jobs: each takes a workbook
// or a file and its options, and returns a result that says what happened.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "layout/forms.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/ui/ui.hpp"
#include "platform/values/interruption.hpp"
#include "platform/values/variant.hpp"

namespace fenwarx::jobs {

// Told what a job shows while it runs: the message boxes in order, the status
// bar, where a walk stands (once a row: whatever it does with that must be cheap),
// and the results of members a call returns. All optional.
class Observer {
 public:
  virtual ~Observer() = default;
  virtual void message(const Message&) {}
  virtual void status(const std::string&) {}
  virtual void progress(const Progress&) {}
  virtual void result(const std::string&) {}
};

// What the component reaches outside the workbook.
struct Environment {
  Observer* observer = nullptr;
  std::optional<double> today = {};          // a date serial; the system's clock when not given
  std::filesystem::path out_dir = ".";       // stands for drive C:
  std::vector<std::string> validator = {};   // the return file's path is appended to it
  std::filesystem::path system_folder = {};  // the certificate host's ini file; the platform's own
  // The user's request to stop, taken at a walk's next row; the job then saves
  // nothing and comes back Cancelled.
  Interruption* interruption = nullptr;
};

enum class Outcome {
  Done,         // finished and found nothing wrong
  DataErrors,   // the data holds errors, or the run refused (no year, no file)
  UnknownForm,  // the workbook does not show its form and none was given
  WrongForm,    // asked of a form that does not have it
  Missing,      // a file the job needs is not there: see `return_file`
  Refused,      // the job would overwrite or misname a file
  Failed,       // a run-time error stopped it: see `failure`
  Cancelled,    // stopped at the user's request (error 18): nothing was saved or written
};

struct Failure {
  int number = 0;
  std::string description;
};

// A job on a return workbook.
struct WorkbookJob {
  std::filesystem::path workbook;
  std::optional<Form> form = {};  // else told by the workbook
  std::optional<std::filesystem::path> save_as = {};
  bool save = true;
  // A workbook the caller holds in memory, used in place of the file and never
  // saved: the caller takes back what the job changed.
  std::shared_ptr<Workbook> open = {};
};

// A line of the error log: the marked cell, what its log line on the deductor
// sheet holds (the caption is the column's heading or the field's label), and
// why it was marked.
struct LogLine {
  std::string sheet;
  int row = 0, column = 0;
  std::string address;  // A1
  Variant caption;
  std::string rule;
};

// A row of a sheet, whole.
struct SheetRow {
  std::string sheet;
  int row = 0;
  friend bool operator==(const SheetRow&, const SheetRow&) = default;
};

// What a certificate run wrote into the host's tables.
struct CertificatesWritten {
  long long rows = 0;
  long long certificates = 0;
  std::optional<std::filesystem::path> utility = {};  // the host's utility, when it was started
};

struct Result {
  Outcome outcome = Outcome::Done;
  std::optional<Form> form;
  std::vector<Message> messages;
  double errors = 0;
  std::vector<LogLine> log;
  std::vector<std::string> notes;  // what explains a message (the cell a refusal names)
  std::optional<std::filesystem::path> return_file;
  // The rows whose data the written return file does not carry (Form 24's rows
  // without tax that name no challan), so that nothing is left out unseen.
  std::vector<SheetRow> not_written;
  std::optional<std::string> flag;  // what was written into the deductor sheet's flag cell
  std::optional<std::filesystem::path> saved;
  std::vector<std::string> results;  // of the members a call ran
  std::optional<CertificatesWritten> certificates;
  std::optional<Failure> failure;
};

}  // namespace fenwarx::jobs

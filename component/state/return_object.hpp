#pragma once
// A return object: one instance of clsExport24, clsExport26, clsExport27 or
// clsExport27EQ. The four classes are one core over their ReturnClass and the
// workbook layout of their form; the state below is what the operations read and
// write, kept from call to call.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "layout/workbook_layout.hpp"
#include "platform/clock/clock.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/ui/ui.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/finding_rules.hpp"
#include "state/return_class.hpp"
#include "state/text_record.hpp"

namespace fenwarx {

// What the component reaches outside the workbook.
struct Platform {
  Ui& ui;
  Clock& clock;
  // The folder that stands for drive C: (the return file is written there).
  std::filesystem::path output_folder = ".";
  // The validator's command line; the return file's path is appended to it.
  std::vector<std::string> validator = {};
  // The folder that stands for the system folder (the certificate host's ini
  // file); the platform's own when empty.
  std::filesystem::path system_folder = {};
  // Starts a program without waiting for it (the certificate host's utility);
  // start_detached when empty.
  std::function<void(const std::vector<std::string>&)> start_program = {};
};

using ChallanRecord = TextRecord<ChallanColumn>;
using DeducteeRecord = TextRecord<DeducteeColumn>;

// The last cell the cell reader read, and the text it (or a check) left: quoted
// by the messages that say what could not be taken.
struct LastRead {
  std::string text;
  double row = 0, column = 0;
};

// The walks' loop position, kept here so that a check sees where the walk is.
struct WalkPosition {
  double row = 0, column = 0;
};

// What the walks keep for the export: one record per challan and deductee row.
struct ReturnRecords {
  std::vector<ChallanRecord> challans;
  double challan_index = 0;
  std::vector<DeducteeRecord> deductees;
  double deductee_index = 0;
};

// What the walks count and sum, for the deductor sheet's control totals.
struct ReturnTotals {
  double challan_count = 0;
  double challan_total = 0;
  double deductee_count = 0;
  double amount_paid = 0;   // over the deductee rows
  double tax_deducted = 0;  // over the deductee rows
};

// A deductee record line written under a nil challan, with its section.
struct NilRecord {
  std::string line;
  std::string section;
};

// A cell the error marker marked in this run, with what its log line holds and
// the rule that marked it.
struct Finding {
  std::string sheet;
  int row = 0, column = 0;
  Variant caption;
  Rule rule = Rule::None;
};

// What the last export wrote.
struct ExportOutcome {
  bool completed = false;  // the return file was written completely
  std::vector<NilRecord> nil_records;
  long long nil_challans = 0;
  // The deductee sheet's rows whose record the file does not carry (Form 24's
  // rows without tax that name no challan), in sheet order.
  std::vector<int> not_written;
};

// What the last certificate run did.
struct CertificateOutcome {
  enum class End {
    NotRun,
    Stopped,  // at the flag or the host check: a message said why
    Written,  // both host tables replaced
    Failed,   // a statement failed: nothing changed, a message named it
  } end = End::NotRun;
  // What failed, when a statement did; with `too_long` a value the host's columns
  // cannot hold was its cause.
  std::optional<RuntimeError> failure;
  bool too_long = false;
  long long rows = 0;             // certificate rows written
  long long certificates = 0;     // certificate numbers issued
  std::filesystem::path utility;  // the host's utility, when it was started
};

class ReturnObject : public Object {
 public:
  ReturnObject(const ReturnClass& kind, Platform platform);

  Form form() const noexcept { return class_.form; }
  const ReturnClass& return_class() const noexcept { return class_; }
  const WorkbookLayout& layout() const noexcept { return layout_; }
  Ui& ui() noexcept { return platform_.ui; }
  Clock& clock() noexcept { return platform_.clock; }
  const Platform& platform() const noexcept { return platform_; }

  // Binding, as VerifyData_Vantor_ETDS and ExportETDS_Vantor begin: keep the
  // workbook here and in the thread's module state, fetch the deductor sheet
  // (RuntimeError 9 when missing) and write 0 into its error log count.
  void bind(std::shared_ptr<Workbook> workbook);

  // Keeps the workbook in this object only, not in the thread's module state, as
  // the certificate generation takes it; sheets of another workbook are let go.
  void hold(std::shared_ptr<Workbook> excel);

  // The cell reader and writer of the current sheet. The reader trims blanks and
  // turns apostrophes into blanks, and remembers the text, row and column; a
  // failure shows its description in a message box and reads as "". The writer
  // stores the trimmed text as if typed; a failure shows its description.
  std::string GetCellText(double row, double column);
  void PutCellText(double row, double column, std::string_view text);
  // The current sheet's cell; RuntimeError 91 when no sheet is current.
  Cell cell(double row, double column);

  // The regular flag: a member on Forms 24 and 26, the thread's on 27 and 27EQ.
  bool& regular_flag();

  // The bound workbook and the sheets the operations act on.
  std::shared_ptr<Workbook> workbook;
  Worksheet* deductor_sheet = nullptr;
  Worksheet* current_sheet = nullptr;
  // The workbook of the current sheet when an operation took it from a workbook
  // other than the bound one (verifySalary's argument): kept alive with it.
  std::shared_ptr<Workbook> current_workbook;

  double error_count = 0;
  // The cells marked since the workbook was bound, in the order of their log lines.
  std::vector<Finding> findings;
  // What a run says beside its message boxes to explain them (the cell a refusal
  // names); a report prints them, the workbook never holds them.
  std::vector<std::string> notes;
  LastRead last;
  WalkPosition position;
  std::string financial_year;  // the four-digit first year, as text
  ReturnTotals totals;
  ReturnRecords records;
  // Values the walks changed only to mark a row ("End of Data", "Delete This
  // Row"): they feed no record, so the export does not verify again for them.
  std::uint64_t marker_changes = 0;
  ExportOutcome exported;
  int validator_status = -1;  // the validator's exit status after Validation_ReturnFile
  // The certificate number of each certificate row, from the first row on.
  std::vector<long long> certificate_numbers;
  CertificateOutcome certificates;

 private:
  // The text the cell reader gave for a cell, while nothing has been written to
  // its sheet since: the walks read a cell again after each check of it.
  struct ReadText {
    std::uint64_t sheet = 0;  // the sheet's id
    double row = 0, column = 0;
    std::uint64_t writes = 0;
    std::string text;
  };

  const ReturnClass& class_;
  const WorkbookLayout& layout_;
  Platform platform_;
  bool regular_flag_ = false;
  ReadText read_;
};

// State shared by all return objects of a thread: the workbook bound last and the
// deductee sheet the challan-to-deductee functions opened through it.
struct ModuleState {
  std::shared_ptr<Workbook> workbook;
  Worksheet* deductee_sheet = nullptr;
  bool regular_flag = false;  // Forms 27 and 27EQ
};
ModuleState& module_state();

}  // namespace fenwarx

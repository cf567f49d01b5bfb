#pragma once
// A return object: one instance of clsExport24, clsExport26, clsExport27 or
// clsExport27EQ. The four classes are one core over a FormProfile; the state below
// is what every operation reads and writes, kept from call to call.
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock/clock.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/ui/ui.hpp"
#include "returns/form_profile.hpp"
#include "returns/text_record.hpp"

namespace fenwarx {

// What the component reaches outside the workbook.
struct Platform {
  Ui& ui;
  Clock& clock;
  // The folder that stands for drive C: (the return file is written there).
  std::filesystem::path output_folder = ".";
  // The validator's command line; the return file's path is appended to it.
  std::vector<std::string> validator = {};
};

using ChallanRecord = std::array<std::string, 24>;   // [N - 1] holds challan column N
using DeducteeRecord = TextRecord<31>;                // [1..30]; [0] unused

struct NilRecord {
  std::string line;     // the pending deductee record line
  std::string section;  // its section code
};

class ReturnObject : public Object {
 public:
  ReturnObject(const FormProfile& profile, Platform platform);

  const FormProfile& profile() const noexcept { return profile_; }
  Ui& ui() noexcept { return platform_.ui; }
  Clock& clock() noexcept { return platform_.clock; }
  const Platform& platform() const noexcept { return platform_; }

  // Binding, as VerifyData_Vantor_ETDS and ExportETDS_Vantor begin: keep the
  // workbook here and in the thread's module state, fetch the deductor sheet
  // (RuntimeError 9 when missing) and write 0 into its error log count (1, 31).
  void bind(std::shared_ptr<Workbook> workbook);

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

  // State members (public: the operations of every folder work on them).
  std::string export_work_text;
  Worksheet* current_sheet = nullptr;
  std::shared_ptr<Workbook> workbook;
  Worksheet* deductor_sheet = nullptr;
  double error_count = 0;
  std::string last_text;
  double last_row = 0, last_column = 0;
  double row = 0, column = 0;
  std::string financial_year;
  double deductee_count = 0;
  double challan_count = 0;
  double challan_total = 0;
  std::array<double, 2> deductee_totals{};
  std::vector<std::string> certificate_numbers;
  std::array<std::string, 46> deductor_values;
  std::vector<ChallanRecord> challan_records;
  double challan_index = 0;
  std::vector<NilRecord> nil_records;
  bool nil_collected = false;
  long long nil_challan_count = 0;
  std::vector<DeducteeRecord> deductee_records;
  double deductee_index = 0;
  std::string deductor_value_31;
  // Values the walks changed only to mark a row ("End of Data", "Delete This
  // Row"): they feed no record, so the export does not verify again for them.
  std::uint64_t marker_changes = 0;
  // Set by an export that wrote its return file completely; cleared when one starts.
  bool export_completed = false;
  // The validator's exit status after Validation_ReturnFile (-1 before).
  int validator_status = -1;

 private:
  const FormProfile& profile_;
  Platform platform_;
  bool regular_flag_ = false;
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

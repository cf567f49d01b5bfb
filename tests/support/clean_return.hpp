#pragma once
// A return that verifies without an error, for each form: the deductor fields, a
// challan and its deductees. Tests change a few cells of it to make one mistake.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "layout/workbook_layout.hpp"
#include "platform/clock/clock.hpp"
#include "platform/spreadsheet/memory_workbook.hpp"
#include "state/return_object.hpp"

namespace fenwarx::testing {

using Cells = std::vector<LaidCell>;

// `base` with each change typed over the cell at its place, or added.
Cells with(Cells base, const Cells& changes);

// Cells of one row: {column, typed} pairs.
Cells at_row(int row, const std::vector<std::pair<int, std::string>>& values);

// Quarter Q1 of the financial year 2005-06; dates in May 2005.
Cells clean_deductor(Form form);
Cells clean_challan(Form form, int row = 4, const std::string& serial = "1");
Cells clean_deductee(Form form, int row = 3, const std::string& serial = "1");

// Form 24: an employee's year, every derived column left empty, that verifies
// without an error for 2005-06 (salary 120000, gross total income 110000, tax
// 1020 deducted in full); the perquisites of the employee of salary row 2,
// 1200 for accommodation.
Cells clean_salary(int row = 2, const std::string& serial = "1");
Cells clean_perquisite(int row = 2, const std::string& serial = "1");
// Form 24: a deductee row of no tax under challan `serial`, its deduction date
// gone as the verification clears it.
Cells untaxed_deductee(int row, const std::string& serial);

// Where clean_return puts each sheet; Form 24 adds "Salary Details" and
// "Perquisite Details" (headings only), and every form ends with "State Code".
inline constexpr int kDeductorSheet = 0, kChallanSheet = 1, kDeducteeSheet = 2;
inline constexpr int kSalarySheet = 3, kPerquisiteSheet = 4;

// The sheets of a clean return with `deductees` rows under one challan (which
// deposits their tax), with
// headings "H<column>" in row 1 of the challan and deductee sheets and labels
// "L<row>" in column 1 of the deductor sheet.
std::vector<LaidSheet> clean_return(Form form, int deductees = 1);
// The sheets in memory, each value typed in as a user would.
std::shared_ptr<MemoryWorkbook> memory_workbook(const std::vector<LaidSheet>& sheets);
// Writes sheets as a new .xlsx workbook, each value typed in as a user would.
void write_workbook(const std::filesystem::path& path, const std::vector<LaidSheet>& sheets);
// The flag a run left in the saved workbook's deductor sheet ("" for none).
std::string flag_of(const std::filesystem::path& path, Form form = Form::F26);

using Marks = std::vector<std::pair<int, int>>;  // row, column

// A return object of one form whose messages are recorded and whose today is
// 15/06/2006; a test lays out `workbook` and names the `sheet` it looks at.
struct ReturnBench {
  explicit ReturnBench(Form form);
  std::string text(int row, int column) const;
  // The cells marked red in the first `rows` rows and `columns` columns.
  Marks marks(std::string_view sheet_name = {}, int rows = 40, int columns = 25) const;

  const WorkbookLayout& p;
  RecordingUi ui;
  std::unique_ptr<Clock> clock;
  ReturnObject self;
  std::shared_ptr<MemoryWorkbook> workbook;
  Worksheet* sheet = nullptr;
};

}  // namespace fenwarx::testing

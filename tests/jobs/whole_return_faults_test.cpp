// Returns the whole-return fuzzer built that verified clean and then exported a
// file the checker rejects: each mistake is now a finding at its cell, and the
// export refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "jobs/jobs.hpp"
#include "platform/spreadsheet/cell_reference.hpp"
#include "platform/values/dates.hpp"
#include "state/finding_rules.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx::jobs {
namespace {

using namespace fenwarx::testing;
namespace fs = std::filesystem;

const Environment kToday{.today = serial_from_civil({2006, 1, 15})};

// Exports a clean return with `cells` typed over sheet `sheet`; the export must
// refuse and log `rule` at (row, column) of that sheet.
void expect_refused_at(Form form, int sheet, const Cells& cells, int row, int column, Rule rule) {
  const fs::path dir = scratch_dir();
  auto sheets = clean_return(form, 2);
  auto& laid = sheets[static_cast<std::size_t>(sheet)];
  laid.cells = with(laid.cells, cells);
  write_workbook(dir / "return.xlsx", sheets);
  const Result exported =
      export_return({.workbook = dir / "return.xlsx"}, {.today = kToday.today, .out_dir = dir});
  EXPECT_EQ(exported.outcome, Outcome::DataErrors);
  EXPECT_EQ(exported.return_file, std::nullopt);
  const std::string address = cell_reference(row, column);
  EXPECT_TRUE(std::any_of(exported.log.begin(), exported.log.end(),
                          [&](const LogLine& line) {
                            return line.sheet == laid.name && line.address == address &&
                                   line.rule == rule_text(rule);
                          }))
      << laid.name << "!" << address;
}

// The export wrote the leading digits of whatever the cell held as the year
// ("01" for a number of 70 digits, whose text is "1E+69"; "5" + "06" for "0005-06").
TEST(WholeReturnFaults, AFinancialYearThatIsNoYearIsAFinding) {
  for (Form form : kForms) {
    SCOPED_TRACE(form_name(form));
    const int row = workbook_layout(form).deductor.rows.of(DeductorRow::FinancialYear);
    for (const char* year : {"99999999999999999999", "0005-06", "20x5-06", " "})
      expect_refused_at(form, kDeductorSheet, {{row, 2, year}}, row, 2, Rule::FinancialYear);
  }
}

// The checker rejects a rate above 100 or below 0, which the verification took.
TEST(WholeReturnFaults, ARateOutsideZeroToHundredIsAFinding) {
  for (Form form : {Form::F26, Form::F27, Form::F27EQ}) {
    SCOPED_TRACE(form_name(form));
    const int column = workbook_layout(form).deductees.columns.of(DeducteeColumn::Rate);
    for (const char* rate : {"1000", "100.5", "-10"})
      expect_refused_at(form, kDeducteeSheet, {{4, column, rate}}, 4, column, Rule::RateRange);
  }
}

// The batch header takes at most 75 characters of a name and 6 of a PIN; the
// export wrote what it was given.
TEST(WholeReturnFaults, ADeductorRowLongerThanItsFieldIsAFinding) {
  for (Form form : kForms) {
    SCOPED_TRACE(form_name(form));
    const auto& rows = workbook_layout(form).deductor.rows;
    const int name = rows.of(DeductorRow::ResponsibleName), pin = rows.of(DeductorRow::Pin);
    expect_refused_at(form, kDeductorSheet, {{name, 2, std::string(76, 'x')}}, name, 2,
                      Rule::Length);
    expect_refused_at(form, kDeductorSheet, {{pin, 2, "1100011"}}, pin, 2, Rule::Length);
  }
}

// A row typed without its first cell, one row below a gap, was read by no walk
// and named by no finding; an "End of Data" an earlier run left lower down is
// still no data.
TEST(WholeReturnFaults, ARowWithoutItsFirstCellBelowAGapIsAFinding) {
  for (Form form : kForms) {
    SCOPED_TRACE(form_name(form));
    const Cells lower = with(clean_deductee(form, 6, "1"), {{6, 1, ""}});
    expect_refused_at(form, kDeducteeSheet, lower, 5, 1, Rule::DataBelowGap);

    const fs::path dir = scratch_dir();
    auto sheets = clean_return(form, 2);
    const int marker = workbook_layout(form).deductees.end_of_data.column;
    sheets[kDeducteeSheet].cells = with(sheets[kDeducteeSheet].cells, {{8, marker, "End of Data"}});
    write_workbook(dir / "return.xlsx", sheets);
    const Result exported =
        export_return({.workbook = dir / "return.xlsx"}, {.today = kToday.today, .out_dir = dir});
    EXPECT_EQ(exported.outcome, Outcome::Done);
  }
}

}  // namespace
}  // namespace fenwarx::jobs

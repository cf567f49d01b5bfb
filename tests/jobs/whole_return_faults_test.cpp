// Returns the whole-return fuzzer built that verified clean and then exported a
// file the checker rejects, or that a second run read otherwise than the first:
// each mistake is now a finding at its cell, and the export refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "export/return_file_check.hpp"
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

// Each cell is held to the rule and width of the field it fills, as the file is
// written: the checker refused these files, which the verification passed.
TEST(WholeReturnFaults, AValueItsFieldCannotHoldIsAFinding) {
  using D = DeducteeColumn;
  const auto deductee = [](Form form, D role) {
    return workbook_layout(form).deductees.columns.of(role);
  };
  const auto challan = [](Form form, ChallanColumn role) {
    return workbook_layout(form).challans.columns.of(role);
  };
  const struct {
    Form form;
    int sheet;
    int row, column;
    std::string typed;
    Rule rule;
  } cases[] = {
      // Column 7 is stored unchecked; the file's payment date needs a date.
      {Form::F26, kDeducteeSheet, 4, deductee(Form::F26, D::PaymentDate), "ABCDE1234F",
       Rule::NotADate},
      {Form::F27, kDeducteeSheet, 4, deductee(Form::F27, D::PaymentDate), std::string(70, 'x'),
       Rule::NotADate},
      // A reason other than A or B is left as typed; the field holds one letter.
      {Form::F26, kDeducteeSheet, 4, deductee(Form::F26, D::Reason), "10", Rule::Length},
      {Form::F24, kDeducteeSheet, 4, deductee(Form::F24, D::Reason), "AB", Rule::Length},
      {Form::F26, kChallanSheet, 4, challan(Form::F26, ChallanColumn::Interest), "-100",
       Rule::NegativeAmount},
      {Form::F26, kChallanSheet, 4, challan(Form::F26, ChallanColumn::Interest), "1E+300",
       Rule::AmountTooLarge},
      // Category A need not give a PAN, but one of nine characters cannot be written.
      {Form::F26, kDeductorSheet, 2, 2, "ABCD1234E", Rule::Pan},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << form_name(c.form) << " case " << (&c - cases));
    expect_refused_at(c.form, c.sheet, {{c.row, c.column, c.typed}}, c.row, c.column, c.rule);
  }
}

// A step that normalised a marked cell (the challan's sum of the deductees' tax
// written over an error value) left a value the next run passed: the second
// verification found nothing and the export wrote the file. The cell keeps what
// was typed, so every run finds it.
TEST(WholeReturnFaults, AMarkedCellKeepsWhatWasTyped) {
  const fs::path dir = scratch_dir();
  auto sheets = clean_return(Form::F27EQ, 2);
  const int column =
      workbook_layout(Form::F27EQ).challans.columns.of(ChallanColumn::TaxDeductedOfDeductees);
  sheets[kChallanSheet].cells = with(sheets[kChallanSheet].cells, {{4, column, "#N/A"}});
  write_workbook(dir / "return.xlsx", sheets);
  const WorkbookJob job{.workbook = dir / "return.xlsx"};
  const Environment environment{.today = kToday.today, .out_dir = dir};
  const std::string address = cell_reference(4, column);
  for (int run = 0; run < 2; ++run) {
    const Result verified = verify(job, environment);
    EXPECT_EQ(verified.outcome, Outcome::DataErrors) << "run " << run;
    ASSERT_EQ(verified.log.size(), 1u) << "run " << run;
    EXPECT_EQ(verified.log[0].address, address);
    EXPECT_EQ(verified.log[0].rule, rule_text(Rule::ErrorValue));
  }
  EXPECT_EQ(export_return(job, environment).return_file, std::nullopt);
}

// A Form 24 return without a challan, whose deductees deducted nothing, was
// written with no challan record at all, which the validator refuses whole: its
// deductees now stand under the one nil challan.
TEST(WholeReturnFaults, AForm24ReturnWithoutAChallanStatesItsNilChallan) {
  const fs::path dir = scratch_dir();
  auto sheets = clean_return(Form::F24, 0);
  Cells& challans = sheets[kChallanSheet].cells;
  const int first = workbook_layout(Form::F24).challans.first_row;
  std::erase_if(challans, [&](const LaidCell& cell) { return cell.row >= first; });
  Cells& deductees = sheets[kDeducteeSheet].cells;
  deductees = with(with(deductees, untaxed_deductee(3, "")), untaxed_deductee(4, ""));
  write_workbook(dir / "return.xlsx", sheets);
  const Result exported =
      export_return({.workbook = dir / "return.xlsx"}, {.today = kToday.today, .out_dir = dir});
  ASSERT_EQ(exported.outcome, Outcome::Done);
  ASSERT_TRUE(exported.return_file);
  EXPECT_TRUE(exported.not_written.empty());
  const std::string file = slurp(*exported.return_file);
  const CheckReport report = check_return_file(file);
  EXPECT_TRUE(report.findings.empty()) << report.findings[0].message;
  ASSERT_EQ(report.challans.size(), 1u);
  EXPECT_TRUE(report.challans[0].nil);
  EXPECT_EQ(report.lines, 5);  // FH, BH, the nil challan, its two deductees
}

// The walk replaces a typed total tax with the sum of its parts, and a fresh
// export must write what one after a verification writes. Typed as a date, the
// cell kept its date format under the sum: 100 read back as "09/04/1900", and a
// fresh export wrote a tax of 9. Typed as 1E+300, the challan check (which sums
// the typed totals) found the challan's deductees above its deposit, and a fresh
// export refused where one after a verification wrote the file.
TEST(WholeReturnFaults, ATotalTheWalkRewritesExportsAsAfterAVerification) {
  const fs::path dir = scratch_dir();
  const int total = workbook_layout(Form::F24).deductees.columns.of(DeducteeColumn::TotalTax);
  const Environment environment{.today = kToday.today, .out_dir = dir};
  for (const char* typed : {"01/04/2005", "1E+300"}) {
    SCOPED_TRACE(typed);
    auto sheets = clean_return(Form::F24, 2);
    sheets[kDeducteeSheet].cells = with(sheets[kDeducteeSheet].cells, {{4, total, typed}});
    const auto exported = [&](bool verified_first) {
      write_workbook(dir / "return.xlsx", sheets);
      if (verified_first) verify({.workbook = dir / "return.xlsx"}, environment);
      const Result result = export_return({.workbook = dir / "return.xlsx"}, environment);
      EXPECT_EQ(result.outcome, Outcome::Done);
      return result.return_file ? slurp(*result.return_file) : std::string();
    };
    const std::string fresh = exported(false);
    EXPECT_EQ(fresh, exported(true));
    EXPECT_TRUE(check_return_file(fresh).findings.empty());
  }
}

}  // namespace
}  // namespace fenwarx::jobs

// Nothing typed into a return is lost without a finding: rows below a gap, texts
// the return file cannot carry and error values each stop the verification at
// their cell, the export refuses and lists them, and the finding says why.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "jobs/jobs.hpp"
#include "platform/spreadsheet/cell_reference.hpp"
#include "platform/values/dates.hpp"
#include "state/finding_rules.hpp"
#include "support/clean_return.hpp"
#include "support/shell.hpp"
#include "support/test_paths.hpp"

namespace fenwarx::jobs {
namespace {

using namespace fenwarx::testing;
namespace fs = std::filesystem;

const Environment kToday{.today = serial_from_civil({2006, 1, 15})};

// What a finding the user sees says: where, and the rule in words.
struct Seen {
  std::string sheet, address, rule;
  friend bool operator==(const Seen&, const Seen&) = default;
};
std::vector<Seen> seen(const Result& result) {
  std::vector<Seen> out;
  for (const LogLine& line : result.log) out.push_back({line.sheet, line.address, line.rule});
  return out;
}

int deductee_column(Form form, DeducteeColumn role) {
  return workbook_layout(form).deductees.columns.of(role);
}
std::string deductee_cell(Form form, int row, DeducteeColumn role) {
  return cell_reference(row, deductee_column(form, role));
}
std::string deductees(Form form) { return std::string(workbook_layout(form).deductees.name); }
std::string challans(Form form) { return std::string(workbook_layout(form).challans.name); }
int flat_row(Form form) { return workbook_layout(form).deductor.rows.of(DeductorRow::Flat); }
int remarks_column(Form form) {
  return workbook_layout(form).challans.columns.of(ChallanColumn::Remarks);
}
std::string rule(Rule r) { return std::string(rule_text(r)); }

// A mistake typed over a clean return of `deductees` rows: `cells` on `sheet`
// (kDeductorSheet ...), and the finding the log must then hold.
struct Case {
  const char* what;
  int sheet;
  Cells (*cells)(Form);
  Seen (*expected)(Form);
  int deductees = 1;
};

Cells in_name(Form f, const char* name) {
  return {{3, deductee_column(f, DeducteeColumn::Name), name}};
}
Seen at_name(Form f, Rule r) {
  return {deductees(f), deductee_cell(f, 3, DeducteeColumn::Name), rule(r)};
}

// clang-format off
const Case kCases[] = {
    {.what = "a blank row between deductees", .sheet = kDeducteeSheet,
     .cells = [](Form f) { return clean_deductee(f, 5, "1"); },
     .expected = [](Form f) { return Seen{deductees(f), "A4", rule(Rule::DataBelowGap)}; }},
    {.what = "an empty first cell with data to its right", .sheet = kDeducteeSheet,
     .cells = [](Form) { return Cells{{4, 1, ""}}; },
     .expected = [](Form f) { return Seen{deductees(f), "A4", rule(Rule::DataBelowGap)}; },
     .deductees = 3},
    {.what = "a gap in the challan sheet", .sheet = kChallanSheet,
     .cells = [](Form f) { return clean_challan(f, 6, "2"); },
     .expected = [](Form f) { return Seen{challans(f), "A5", rule(Rule::DataBelowGap)}; }},
    // Its deductees would be written twice, once under each.
    {.what = "a challan serial number given twice", .sheet = kChallanSheet,
     .cells = [](Form f) { return clean_challan(f, 5, "1"); },
     .expected = [](Form f) { return Seen{challans(f), "A5", rule(Rule::RepeatedChallan)}; }},
    {.what = "a caret in a name", .sheet = kDeducteeSheet,
     .cells = [](Form f) { return in_name(f, "Divya^Kulkarni"); },
     .expected = [](Form f) { return at_name(f, Rule::FileCharacter); }},
    {.what = "a letter outside ASCII in a name", .sheet = kDeducteeSheet,
     .cells = [](Form f) { return in_name(f, "Zo\xC3\xAB Pinto"); },
     .expected = [](Form f) { return at_name(f, Rule::FileCharacter); }},
    {.what = "a caret in an address line", .sheet = kDeductorSheet,
     .cells = [](Form f) { return Cells{{flat_row(f), 2, "12^B"}}; },
     .expected = [](Form f) {
       return Seen{std::string(workbook_layout(f).deductor.name), "B" + std::to_string(flat_row(f)),
                   rule(Rule::FileCharacter)}; }},
    {.what = "a letter outside ASCII in a challan's remarks", .sheet = kChallanSheet,
     .cells = [](Form f) { return Cells{{4, remarks_column(f), "Pay\xC3\xA9 at Pune"}}; },
     .expected = [](Form f) {
       return Seen{challans(f), cell_reference(4, remarks_column(f)), rule(Rule::FileCharacter)}; }},
    {.what = "#N/A as a name", .sheet = kDeducteeSheet,
     .cells = [](Form f) { return in_name(f, "#N/A"); },
     .expected = [](Form f) { return at_name(f, Rule::ErrorValue); }},
    {.what = "#DIV/0! as a date of payment", .sheet = kDeducteeSheet,
     .cells = [](Form f) { return Cells{{3, deductee_column(f, DeducteeColumn::PaymentDate), "#DIV/0!"}}; },
     .expected = [](Form f) {
       return Seen{deductees(f), deductee_cell(f, 3, DeducteeColumn::PaymentDate), rule(Rule::ErrorValue)}; }},
    // Its own rule marks it too; the finding says what it holds.
    {.what = "#REF! as a date of deduction", .sheet = kDeducteeSheet,
     .cells = [](Form f) { return Cells{{3, deductee_column(f, DeducteeColumn::DeductionDate), "#REF!"}}; },
     .expected = [](Form f) {
       return Seen{deductees(f), deductee_cell(f, 3, DeducteeColumn::DeductionDate), rule(Rule::ErrorValue)}; }},
};
// clang-format on

fs::path write_case(const Case& c, Form form, const fs::path& dir) {
  auto sheets = clean_return(form, c.deductees);
  auto& sheet = sheets[static_cast<std::size_t>(c.sheet)];
  sheet.cells = with(sheet.cells, c.cells(form));
  const fs::path path = dir / "return.xlsx";
  write_workbook(path, sheets);
  return path;
}

std::string listed(const Result& result) {
  std::string out;
  for (const LogLine& line : result.log)
    out += line.sheet + "!" + line.address + ": " + line.rule + "\n";
  return out;
}

bool holds(const std::vector<Seen>& log, const Seen& wanted) {
  return std::find(log.begin(), log.end(), wanted) != log.end();
}

// Each mistake keeps the verification from passing and the export from writing,
// and both name the cell and the rule.
TEST(NothingLost, EachMistakeIsAFindingAtItsCellAndTheExportRefuses) {
  for (const Case& c : kCases) {
    for (Form form : kForms) {
      SCOPED_TRACE(std::string(c.what) + ", Form " + std::string(form_name(form)));
      const fs::path dir = scratch_dir();
      const fs::path path = write_case(c, form, dir);
      const Result verified = verify({.workbook = path, .save = false}, kToday);
      EXPECT_EQ(verified.outcome, Outcome::DataErrors);
      EXPECT_TRUE(!verified.flag && !verified.saved);  // no flag of the job's, nothing saved
      EXPECT_TRUE(holds(seen(verified), c.expected(form))) << listed(verified);
      const Result exported =
          export_return({.workbook = path}, {.today = kToday.today, .out_dir = dir});
      EXPECT_EQ(exported.outcome, Outcome::DataErrors);
      EXPECT_EQ(exported.return_file, std::nullopt);
      EXPECT_FALSE(fs::exists(dir / ("eTDS" + std::string(form_name(form)) + ".txt")));
      EXPECT_TRUE(holds(seen(exported), c.expected(form)));
    }
  }
}

// Blanks in the first column below the last row and rows that hold only formats
// end the data; tabs and line breaks in a name are removed, as they always were.
TEST(NothingLost, BlanksBelowTheDataAndLineBreaksAreNoFinding) {
  for (Form form : kForms) {
    SCOPED_TRACE(form_name(form));
    const fs::path dir = scratch_dir();
    auto sheets = clean_return(form, 2);
    const int name = deductee_column(form, DeducteeColumn::Name);
    sheets[kDeducteeSheet].cells =
        with(sheets[kDeducteeSheet].cells, {{9, 1, "   "}, {3, name, "Divya\tKulkarni\nRao"}});
    write_workbook(dir / "return.xlsx", sheets);
    const Result exported =
        export_return({.workbook = dir / "return.xlsx"}, {.today = kToday.today, .out_dir = dir});
    EXPECT_EQ(exported.outcome, Outcome::Done) << ::testing::PrintToString(seen(exported).size());
    ASSERT_TRUE(exported.return_file);
    EXPECT_EQ(check(*exported.return_file, dir / "return.xlsx", form).outcome, Outcome::Done);
  }
}

// A cell merged over column A leaves the lower row's first cell empty: a gap.
TEST(NothingLost, AMergedFirstColumnIsAGap) {
  if (const std::string missing = missing_readers(); !missing.empty())
    GTEST_SKIP() << "needs " << missing;
  const fs::path dir = scratch_dir();
  auto sheets = clean_return(Form::F26, 3);
  const fs::path path = dir / "return.xlsx";
  write_workbook(path, sheets);
  const auto merged = run_shell(
      "/usr/bin/python3 -c \"import openpyxl, sys; b = openpyxl.load_workbook(sys.argv[1]); "
      "b['Deductee Details'].merge_cells('A3:A4'); b.save(sys.argv[1])\" '" +
      path.string() + "'");
  ASSERT_EQ(merged.status, 0) << merged.out;
  const Result verified = verify({.workbook = path, .save = false}, kToday);
  EXPECT_EQ(verified.outcome, Outcome::DataErrors);
  EXPECT_TRUE(holds(seen(verified), {"Deductee Details", "A4", rule(Rule::DataBelowGap)}));
}

}  // namespace
}  // namespace fenwarx::jobs

// Form 24's salary verification: the period dates filled and held to the year,
// the sign flag of the other income, each derived column and the closing balance,
// the columns that feed totals unchecked, the end of both sheets' data, the
// perquisite total, and what the run needs before it changes anything.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/spreadsheet/memory_style_book.hpp"
#include "platform/values/runtime_error.hpp"
#include "support/clean_return.hpp"
#include "support/error_of.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

using namespace fenwarx::testing;
using Rules = std::vector<Rule>;

constexpr int kSalaryColumns = 34;
const std::string kSalaries = "Salary Details", kPerquisites = "Perquisite Details";

// A Form 24 return object bound to a clean return, 2005 its year (as a verification
// leaves it), with these rows typed over the salary and perquisite sheets.
struct Bench : ReturnBench {
  explicit Bench(const Cells& salaries = clean_salary(), const Cells& perquisites = {})
      : ReturnBench(Form::F24) {
    auto sheets = clean_return(Form::F24);
    sheets[kSalarySheet].cells = with(sheets[kSalarySheet].cells, salaries);
    sheets[kPerquisiteSheet].cells = with(sheets[kPerquisiteSheet].cells, perquisites);
    workbook = memory_workbook(sheets);
    self.bind(workbook);
    self.financial_year = "2005";
    sheet = workbook->find_sheet(kSalaries);
    perquisite_sheet = workbook->find_sheet(kPerquisites);
  }
  void run() { verifySalary(self, workbook); }
  std::string perquisite(int row, int column) const {
    return perquisite_sheet->Cells(row, column).Value().to_text();
  }
  Marks salary_marks() const { return marks(kSalaries, 10, kSalaryColumns); }
  Rules rules() const {
    Rules found;
    for (const Finding& finding : self.findings) found.push_back(finding.rule);
    return found;
  }

  Worksheet* perquisite_sheet = nullptr;
};

// The clean row's derived columns, the balance's sign among them.
TEST(SalaryWalk, CleanRowsFillTheDerivedColumnsAndEndBothSheets) {
  Bench b(with(clean_salary(2), clean_salary(3, "2")),
          with(clean_perquisite(2), clean_perquisite(3, "2")));
  // Marks of an earlier run go; a cell beyond the walked columns keeps its colour.
  for (int column : {1, 27, 33, 34}) b.sheet->Cells(3, column).SetInteriorColor(kColorError);
  b.perquisite_sheet->Cells(3, 16).SetInteriorColor(kColorError);
  b.run();
  EXPECT_EQ(b.sheet->interior_color(3, 34), kColorError);
  b.sheet->Cells(3, 34).SetInteriorColor(kColorNone);
  EXPECT_TRUE(b.salary_marks().empty());
  EXPECT_TRUE(b.marks(kPerquisites).empty());
  EXPECT_EQ(b.self.error_count, 0);
  EXPECT_TRUE(b.ui.messages.empty());
  EXPECT_EQ(b.self.totals.challan_count, 1);  // the challan check ran first
  // clang-format off
  const std::pair<int, const char*> filled[] = {
      {4, "01/04/2005"}, {5, "31/03/2006"}, {10, "120000"}, {12, "110000"}, {13, "P"}, {15, "110000"},
      {19, "10000"}, {20, "100000"}, {28, "1020"}, {32, "1020"}, {33, "P"}, {34, "0"}};
  // clang-format on
  for (int row : {2, 3}) {
    for (auto [column, value] : filled) EXPECT_EQ(b.text(row, column), value) << row << column;
    EXPECT_EQ(b.perquisite(row, 16), "1200");
  }
  EXPECT_EQ(b.text(4, 2), "End of Data");
  EXPECT_EQ(b.perquisite(4, 2), "End of Data");
  EXPECT_EQ(b.workbook->GetApplication().StatusBar(), " Verifing Perquiste Details Row NO 4");
  EXPECT_EQ(b.self.current_sheet, b.perquisite_sheet);
}

// An empty period takes the year's first and last day; a period date outside the
// year is marked, 1 April and 31 March themselves are inside. The date check runs
// before and after the range check, so a date it rejects is marked by each.
TEST(SalaryWalk, PeriodDatesAreFilledFromTheYearAndHeldToIt) {
  const Message mismatch = Message::plain("Type mismatchCheckDateRange");
  // clang-format off
  const struct {
    const char *from, *to;
    const char *from_after, *to_after;
    Marks marks;
    Rules rules;
    std::vector<Message> messages = {};
  } cases[] = {
      {"", "", "01/04/2005", "31/03/2006", {}, {}},
      {"   ", "", "01/04/2005", "31/03/2006", {}, {}},
      {"1/4/2005", "31-Mar-2006", "01/04/2005", "31/03/2006", {}, {}},
      {"31/03/2005", "", "31/03/2005", "31/03/2006", {{2, 4}}, {Rule::PeriodOutsideYear}},
      {"", "01/04/2006", "01/04/2005", "01/04/2006", {{2, 5}}, {Rule::PeriodOutsideYear}},
      {"15/02/2005", "", "15/02/2005", "31/03/2006", {{2, 4}},
       {Rule::DateOutsideYear, Rule::PeriodOutsideYear, Rule::DateOutsideYear}},
      {"soon", "", "soon", "31/03/2006", {{2, 4}}, {Rule::NotADate, Rule::NotADate}, {mismatch}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " to " + c.to);
    Bench b(with(clean_salary(), {{2, 4, c.from}, {2, 5, c.to}}));
    b.run();
    EXPECT_EQ(b.text(2, 4), c.from_after);
    EXPECT_EQ(b.text(2, 5), c.to_after);
    EXPECT_EQ(b.salary_marks(), c.marks);
    EXPECT_EQ(b.rules(), c.rules);
    EXPECT_EQ(b.ui.messages, c.messages);
  }
}

// Column 13 says whether the other income (14) is added to the balance (12, here
// 110000) or taken from it; a nil income makes it "P" whatever it held.
TEST(SalaryWalk, SignFlagAddsOrSubtractsTheOtherIncome) {
  const struct {
    const char *flag, *income;
    const char *flag_after, *gross_total;
    bool marked;
  } cases[] = {
      {"", "0", "P", "110000", false},    {"N", "abc", "P", "110000", false},
      {"n", "500", "n", "109500", false}, {" N ", "500", " N ", "109500", false},
      {"p", "500", "p", "110500", false}, {"X", "500", "X", "110500", true},
      {"", "500", "", "110500", true},    {"N", "200000", "N", "0", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("'") + c.flag + "' with " + c.income);
    Bench b(with(clean_salary(), {{2, 13, c.flag}, {2, 14, c.income}}));
    b.run();
    EXPECT_EQ(b.text(2, 13), c.flag_after);
    EXPECT_EQ(b.text(2, 15), c.gross_total);
    EXPECT_EQ(b.salary_marks(), (c.marked ? Marks{{2, 13}} : Marks{}));
    EXPECT_EQ(b.rules(), c.marked ? Rules{Rule::SignFlag} : Rules{});
  }
}

// Each total or difference comes from its columns, whatever the cell held; a result
// not above 0 is nil, paise stay. The relief (27) and the tax paid on perquisites
// (31) count by their leading number and are never checked or rewritten.
TEST(SalaryWalk, DerivedColumnsComeFromTheirColumnsAndNeverGoNegative) {
  const struct {
    Cells changes;
    int column;
    const char* value;
  } cases[] = {
      {{{2, 10, "999"}}, 10, "120000"},
      {{{2, 6, "0.25"}, {2, 7, "0.5"}}, 10, "0.75"},
      {{{2, 6, "-100"}}, 10, "0"},
      {{{2, 12, "5"}}, 12, "110000"},
      {{{2, 11, "119999.25"}}, 12, "0.75"},
      {{{2, 11, "130000"}}, 12, "0"},
      {{{2, 16, "0.5"}, {2, 17, "0.25"}}, 19, "0.75"},
      {{{2, 16, "200000"}}, 20, "0"},
      {{{2, 16, "109999.25"}}, 20, "0.75"},
      {{{2, 27, "1100"}}, 28, "0"},
      {{{2, 27, "20 rupees"}}, 28, "1000"},
      {{{2, 27, "20 rupees"}}, 27, "20 rupees"},
      {{{2, 31, "30abc"}}, 32, "1050"},
      {{{2, 31, "30abc"}}, 31, "30abc"},
      {{{2, 31, "relief"}}, 32, "1020"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.changes.front().typed + " in column " +
                 std::to_string(c.changes.front().column));
    Bench b(with(clean_salary(), c.changes));
    b.run();
    EXPECT_EQ(b.text(2, c.column), c.value) << c.column;
    EXPECT_TRUE(b.salary_marks().empty());
  }
}

// The balance of the tax payable (28) and deducted (32): its sign in 33, its size
// in 34, which nothing checks (a text cell shows the text written).
TEST(SalaryWalk, BalanceSignAndAmount) {
  const struct {
    const char *payable, *deducted;
    const char *sign, *amount;
  } cases[] = {
      {"1020", "1020", "P", ".00"},
      {"100", "150", "N", "50.00"},
      {"150", "100", "P", "50.00"},
      {"100.5", "100", "P", ".50"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.payable) + " against " + c.deducted);
    Bench b(with(clean_salary(), {{2, 26, c.payable}, {2, 29, c.deducted}, {2, 33, "N"}}));
    b.sheet->Cells(2, 34).SetNumberFormat("@");
    b.sheet->Cells(2, 34).SetValue(Variant::text("999"));
    b.run();
    EXPECT_EQ(b.text(2, 33), c.sign);
    EXPECT_EQ(b.text(2, 34), c.amount);
    EXPECT_TRUE(b.salary_marks().empty());
  }
}

// A sheet without rows is marked at row 2 and the perquisite rows are still checked;
// a first column of blanks ends the data; a gap with rows below is an error and the
// rows below are not read.
TEST(SalaryWalk, EndOfDataOrAGapWithDataBelow) {
  {
    Bench b({}, clean_perquisite(2));
    b.run();
    EXPECT_EQ(b.text(2, 2), "End of Data");
    for (int column = 1; column <= 16; ++column)
      EXPECT_EQ(b.sheet->interior_color(2, column), column <= 15 ? kColorEndOfData : kColorNone)
          << column;
    EXPECT_EQ(b.self.error_count, 0);
    EXPECT_EQ(b.perquisite(2, 16), "1200");
  }
  {
    Bench b(with(clean_salary(2), {{3, 1, "   "}}));
    b.run();
    EXPECT_EQ(b.text(3, 2), "End of Data");
    EXPECT_EQ(b.self.error_count, 0);
  }
  {
    Bench b(with(clean_salary(2), clean_salary(4, "3")));
    b.run();
    EXPECT_EQ(b.salary_marks(), (Marks{{3, 1}}));
    EXPECT_EQ(b.rules(), Rules{Rule::DataBelowGap});
    EXPECT_EQ(b.text(2, 10), "120000");
    EXPECT_EQ(b.text(4, 10), "") << "a row below the gap was walked";
  }
}

// The total (16) of columns 9 to 15 replaces whatever was typed, is never below 0,
// and is not painted by the end-of-data marker; columns 3 to 8 take no part.
TEST(PerquisitePass, TotalIsAlwaysReplacedAndNeverNegative) {
  const struct {
    Cells changes;
    const char* total;
    Marks marks = {};
  } cases[] = {
      {{{2, 16, "999"}}, "1200"},
      {{{2, 3, "5000"}, {2, 8, "700"}}, "1200"},
      {{{2, 10, "0.5"}, {2, 15, "0.25"}}, "1200.75"},
      {{{2, 9, ""}}, "0"},
      {{{2, 9, "-500"}, {2, 10, "200"}}, "0"},
      {{{2, 2, ""}}, "1200", {{2, 2}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.changes.front().typed + " in column " +
                 std::to_string(c.changes.front().column));
    Bench b(clean_salary(), with(clean_perquisite(), c.changes));
    b.run();
    EXPECT_EQ(b.perquisite(2, 16), c.total);
    EXPECT_EQ(b.marks(kPerquisites), c.marks);
  }
  Bench b(clean_salary(), clean_perquisite());
  b.run();
  EXPECT_EQ(b.perquisite(3, 2), "End of Data");
  EXPECT_EQ(b.perquisite_sheet->interior_color(3, 15), kColorEndOfData);
  EXPECT_EQ(b.perquisite_sheet->interior_color(3, 16), kColorNone);
}

// How much the workbook's sheets have changed.
std::vector<std::uint64_t> changes(Workbook& workbook) {
  std::vector<std::uint64_t> out;
  for (const std::string& name : workbook.sheet_names()) {
    Worksheet& sheet = workbook.Worksheets(name);
    out.push_back(sheet.value_changes() + sheet.writes());
  }
  return out;
}

// Without the workbook and year an earlier verification leaves, or without one of
// its sheets, the run fails before it changes anything.
TEST(SalaryWalk, FailsBeforeChangingAnythingWithoutWhatItRestsOn) {
  const std::string needs_workbook =
                        "verifySalary needs the workbook of an earlier verification or export: "
                        "verify first",
                    needs_year =
                        "verifySalary needs the financial year of an earlier verification or "
                        "export: verify first";
  const struct {
    bool bound;
    const char* year;
    bool perquisite_sheet;
    int number;
    std::string description;
  } cases[] = {
      {false, "2005", true, 91, needs_workbook},
      {true, "", true, 13, needs_year},
      {true, "20x5", true, 13,
       "verifySalary cannot take '20x5' as the financial year: it needs four digits, such as 2005"},
      {true, "2005", false, 9,
       "Subscript out of range: the workbook has no sheet 'Perquisite Details'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    ReturnBench b(Form::F24);
    auto sheets = clean_return(Form::F24);
    sheets[kSalarySheet].cells = with(sheets[kSalarySheet].cells, clean_salary());
    if (!c.perquisite_sheet) sheets.erase(sheets.begin() + kPerquisiteSheet);
    b.workbook = memory_workbook(sheets);
    if (c.bound) b.self.bind(b.workbook);
    b.self.financial_year = c.year;
    const auto before = changes(*b.workbook);
    EXPECT_EQ(error_of([&] { verifySalary(b.self, b.workbook); }),
              std::to_string(c.number) + " " + c.description);
    EXPECT_EQ(changes(*b.workbook), before);
    EXPECT_EQ(b.self.error_count, 0);
    EXPECT_TRUE(b.ui.messages.empty());
  }
}

// A salary sheet that refuses writes into one column.
class RefusingSheet : public StoredSheet {
 public:
  RefusingSheet()
      : StoredSheet("Salary Details", std::make_shared<TextPool>(),
                    std::make_shared<MemoryStyleBook>()) {}
  void store_value(int row, int column, const Variant& value) override {
    if (column == refused) throw RuntimeError(err::kApplication);
    StoredSheet::store_value(row, column, value);
  }
  int refused = 0;
};

// A clean return whose salary sheet is a RefusingSheet.
class RefusingWorkbook : public Workbook {
 public:
  RefusingWorkbook() : others_(memory_workbook(clean_return(Form::F24))) {
    for (const LaidCell& cell : with(clean_salary(), {{2, 10, "5"}, {2, 12, "5"}, {2, 19, "5"}}))
      salaries.Cells(cell.row, cell.column).SetValue(Variant::text(cell.typed));
  }
  std::vector<std::string> sheet_names() const override { return others_->sheet_names(); }
  Worksheet* find_sheet(std::string_view name) override {
    return name == salaries.Name() ? &salaries : others_->find_sheet(name);
  }
  RefusingSheet salaries;

 private:
  std::shared_ptr<MemoryWorkbook> others_;
};

// The gross salary's and the balance's fills show what stopped them and the walk
// goes on; any other fill's failure stops the run.
TEST(SalaryWalk, AFillThatCannotWriteShowsItsFailureOrStopsTheRun) {
  const std::string failed = "Application-defined or object-defined error";
  for (auto [column, shown] : {std::pair{10, failed + "Check209"}, {12, failed}, {19, ""}}) {
    SCOPED_TRACE(column);
    ReturnBench b(Form::F24);
    auto workbook = std::make_shared<RefusingWorkbook>();
    b.self.bind(workbook);
    b.self.financial_year = "2005";
    workbook->salaries.refused = column;
    if (shown.empty()) {
      EXPECT_THROW(verifySalary(b.self, workbook), RuntimeError);
      EXPECT_EQ(workbook->salaries.Cells(2, 33).Value().to_text(), "") << "went on";
      continue;
    }
    verifySalary(b.self, workbook);
    EXPECT_EQ(b.ui.messages, std::vector<Message>{Message::plain(shown)});
    EXPECT_EQ(workbook->salaries.Cells(2, 33).Value().to_text(), "P");
    EXPECT_EQ(b.self.error_count, 0);
  }
}

}  // namespace
}  // namespace fenwarx

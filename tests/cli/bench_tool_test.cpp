// The benchmark tool's generated workbooks: reproducible, readable by the component,
// and internally consistent, since timings on a broken file would mean nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run_program.hpp"
#include "platform/values/numbers.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using Flags = std::vector<std::string>;
const Flags kNoFlags, kMistakes{"--mistakes"}, kAsTyped{"--as-typed"};

class BenchToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(FENWARX_BENCH_TOOL)) GTEST_SKIP() << "fenwarx-bench not built";
    book_ = generate("return.xlsx", "40", "3");
  }

  // A workbook in the scratch folder, from a run that must exit with `exit_code`.
  std::string generate(const std::string& name, const char* deductees, const char* challans,
                       int exit_code = 0, const char* form = "26", const Flags& flags = kNoFlags) {
    const std::string path = (dir_ / name).string();
    std::vector<std::string> args{"generate", "--form",     form,     "--deductees",
                                  deductees,  "--challans", challans, path};
    args.insert(args.begin() + 1, flags.begin(), flags.end());
    const auto made = testing::run_program(FENWARX_BENCH_TOOL, args);
    EXPECT_EQ(made.exit_code, exit_code) << deductees << " deductees, " << challans << " challans";
    return path;
  }

  // The sheet's cells as `fenwarx show` prints them.
  Rows sheet(const std::string& workbook, const std::string& name) {
    const auto shown = testing::run_program(FENWARX_CLI, {"show", workbook, "--sheet", name});
    EXPECT_EQ(shown.exit_code, 0) << shown.err;
    Rows rows;
    std::istringstream lines(shown.out);
    for (std::string line; std::getline(lines, line);) {
      std::istringstream fields(line + "\t");
      for (rows.emplace_back(); std::getline(fields, line, '\t');) rows.back().push_back(line);
    }
    return rows;
  }

  const std::filesystem::path dir_ = testing::scratch_dir();
  std::string book_;  // 40 deductees, 3 challans
};

TEST_F(BenchToolTest, GeneratesTheSameBytesAndRefusesOutOfRangeSizes) {
  const auto same = [](const std::string& a, const std::string& b) {
    return testing::run_program("/usr/bin/cmp", {"-s", a, b}).exit_code == 0;
  };
  EXPECT_TRUE(same(book_, generate("again.xlsx", "40", "3"))) << "other bytes";
  const std::string typed = generate("typed.xlsx", "40", "3", 0, "26", kAsTyped);
  EXPECT_TRUE(same(typed, generate("typed-again.xlsx", "40", "3", 0, "26", kAsTyped)));
  EXPECT_FALSE(same(typed, book_));
  for (auto [deductees, challans] : {std::pair{"65535", "1"}, {"0", "1"}, {"10", "0"}})
    generate("x.xlsx", deductees, challans, 2);
  generate("x.xlsx", "10", "1", 2, "25");
  generate("x.xlsx", "10", "1", 2, "26", {"--as-typed", "--mistakes"});  // documented for plain
  EXPECT_FALSE(std::filesystem::exists(dir_ / "x.xlsx"));
}

TEST_F(BenchToolTest, ChallansAndControlTotalsAgreeWithDeductees) {
  const Rows deductees = sheet(book_, "Deductee Details"),
             challans = sheet(book_, "Challan Details"),
             deductor = sheet(book_, "Deductor Details");
  ASSERT_EQ(deductees.size(), 2u + 40u);  // headings, column numbers, data from row 3
  ASSERT_EQ(challans.size(), 3u + 3u);    // headings, notes, column numbers, data from row 4
  ASSERT_EQ(deductor.size(), 100u);
  EXPECT_EQ(deductees[0].size(), 23u);
  EXPECT_EQ(challans[0].size(), 23u);

  std::map<std::string, double> count, tds, deducted;
  double amount_paid = 0;
  for (std::size_t row = 2; row < deductees.size(); ++row) {
    const auto& cells = deductees[row];
    const auto number = [&](int column) { return leading_number(cells[column]); };
    count[cells[18]] += 1;
    tds[cells[18]] += number(10);
    deducted[cells[18]] += number(13);
    amount_paid += number(5);
    EXPECT_EQ(number(13), number(10) + number(11) + number(12)) << "row " << row + 1;
    EXPECT_EQ(cells[3].empty(), cells[2] != "PANNOTAVBL") << "row " << row + 1;
  }
  for (std::size_t row = 3; row < challans.size(); ++row) {
    const auto& cells = challans[row];
    SCOPED_TRACE("challan " + cells[0]);
    EXPECT_EQ(cells[15], number_text(count[cells[0]]));
    EXPECT_EQ(leading_number(cells[16]), tds[cells[0]]);
    EXPECT_EQ(leading_number(cells[21]), deducted[cells[0]]);
  }
  EXPECT_EQ(deductor[35][1], "3");
  EXPECT_EQ(deductor[36][1], "40");
  EXPECT_NEAR(leading_number(deductor[32][1]), amount_paid, 0.005);
  EXPECT_EQ(sheet(book_, "State Code")[35], (std::vector<std::string>{"35", "JHARKHAND"}));
}

// Clean samples pass the verification of their form; each planted mistake is one
// finding, except the deposit date in 2055, which is both after today and a bad date.
TEST_F(BenchToolTest, EveryFormVerifiesCleanAndMistakesAreFound) {
  for (auto [form, found] : {std::pair{"24", 9}, {"26", 10}, {"27", 10}, {"27EQ", 10}}) {
    SCOPED_TRACE(std::string("Form ") + form);
    for (bool mistakes : {false, true}) {
      const std::string book = generate(std::to_string(mistakes) + form + ".xlsx", "14", "4", 0,
                                        form, mistakes ? kMistakes : kNoFlags);
      const auto run =
          testing::run_program(FENWARX_CLI, {"verify", "--today", "2026-12-07", "--no-save", book});
      EXPECT_EQ(run.exit_code, mistakes ? 1 : 0) << run.err;
      if (!mistakes) {
        EXPECT_EQ(run.out, "[info]  Verificaton Sucess ! : No error.\n");
        continue;
      }
      // The message box, then one line per finding that names its cell and rule.
      const std::string head =
          "[info] This sheet contains " + std::to_string(found) + " errors(s).\n";
      ASSERT_EQ(run.out.substr(0, head.size()), head);
      EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), found + 1) << run.out;
      EXPECT_NE(run.out.find(" (State): not a state name of the State Code sheet\n"),
                std::string::npos);
    }
  }
}

// Salary rows as typed leave periods and derived columns to the verification, which
// fills them and finds nothing else; the planted salary mistakes are found at their
// cells, beside the others (the salary run repeats the challan check, so the four
// challan findings come twice). The bench's verify runs the salary sheets too.
TEST_F(BenchToolTest, SalaryRowsAsTypedVerifyCleanAndHoldTheSalaryMistakes) {
  const Flags salary{"--salary", "14"};
  const std::string typed = generate("salary.xlsx", "14", "4", 0, "24", salary);
  const std::string verified = (dir_ / "salary-verified.xlsx").string();
  const auto run = testing::run_program(
      FENWARX_CLI, {"verify", "--salary", "--today", "2026-12-07", "-o", verified, typed});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(
      run.out,
      "[info]  Verificaton Sucess ! : No error.\n[info] The salary sheets contain no error.\n");
  const Rows before = sheet(typed, "Salary Details"), after = sheet(verified, "Salary Details");
  ASSERT_EQ(before.size(), 1u + 14u);
  ASSERT_EQ(after.size(), before.size() + 1);  // the end-of-data marker below
  EXPECT_EQ(before[5][3], "");                 // the fifth employee's period
  EXPECT_EQ(after[5][3], "01/04/2005");
  EXPECT_EQ(after[5][4], "31/03/2006");
  EXPECT_EQ(before[2][9], "");  // the second employee's derived columns
  EXPECT_EQ(after[2][9], before[2][5]);

  const std::string mistaken =
      generate("salary-mistakes.xlsx", "14", "4", 0, "24", {"--salary", "14", "--mistakes"});
  const auto found = testing::run_program(
      FENWARX_CLI, {"verify", "--salary", "--today", "2026-12-07", "--no-save", mistaken});
  EXPECT_EQ(found.exit_code, 1);
  const std::string head =
      "[info] This sheet contains 9 errors(s).\n[info] The salary sheets contain 5 errors(s).\n";
  ASSERT_EQ(found.out.substr(0, head.size()), head);
  EXPECT_EQ(std::count(found.out.begin(), found.out.end(), '\n'), 2 + 9 + 4 + 5) << found.out;
  for (const char* line :
       {"Salary Details!D3 (Period From): a date outside the financial year: from 1 April to 31 "
        "March\n",
        "Salary Details!C5 (Name of the Employee): empty: this field is required\n",
        "Salary Details!M7 (Other Income: Add (P) / Less (N)): not P or N: P adds the amount "
        "beside it, N subtracts it\n",
        "Salary Details!E9 (Period To): a date outside the financial year: from 1 April to 31 "
        "March\n",
        "Perquisite Details!B3 (Sr. No. in Salary Details): empty: this field is required\n"})
    EXPECT_NE(found.out.find(line), std::string::npos) << line;

  const std::string out = (dir_ / "bench-out.xlsx").string();
  const auto timed =
      testing::run_program(FENWARX_BENCH_TOOL, {"verify", "--salary", "--form", "24", typed, out});
  EXPECT_EQ(timed.exit_code, 0) << timed.err;
  EXPECT_NE(timed.out.find("\n  salary "), std::string::npos) << timed.out;
  EXPECT_NE(timed.out.find("\n  errors          0\n"), std::string::npos) << timed.out;

  generate("x.xlsx", "14", "4", 2, "26", salary);              // Form 24 only
  generate("x.xlsx", "14", "4", 2, "24", {"--salary", "15"});  // one per deductee
  EXPECT_FALSE(std::filesystem::exists(dir_ / "x.xlsx"));
}

// A sample as typed holds taxes with paise and no totals, and verifies clean (the
// verification's sums and rounding are the walks' tests). Its export (verifying
// twice, as the first run changes the rows) passes the checker, and on Form 26 is
// the plain sample's file. Form 24 has no export.
TEST_F(BenchToolTest, EveryFormAsTypedVerifiesToACleanReturnThatExports) {
  struct Case {
    const char *form, *sheet;
    std::size_t tds, total;  // in a shown row, from 0
    bool rounds, exports;
  };
  const char* kDeductees = "Deductee Details";
  // clang-format off
  const Case cases[] = {
      {.form = "24", .sheet = kDeductees, .tds = 7, .total = 10, .rounds = false, .exports = false},
      {.form = "26", .sheet = kDeductees, .tds = 10, .total = 13, .rounds = true, .exports = true},
      {.form = "27", .sheet = kDeductees, .tds = 10, .total = 13, .rounds = false, .exports = true},
      {.form = "27EQ", .sheet = "Collectee Details", .tds = 11, .total = 14, .rounds = false,
       .exports = true}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("Form ") + c.form);
    const std::string typed =
        generate(std::string("typed") + c.form + ".xlsx", "40", "3", 0, c.form, kAsTyped);
    const auto run =
        testing::run_program(FENWARX_CLI, {"verify", "--today", "2026-12-07", "--no-save", typed});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, "[info]  Verificaton Sucess ! : No error.\n");
    const Rows rows = sheet(typed, c.sheet);
    ASSERT_EQ(rows.size(), 2u + 40u);
    for (std::size_t row = 2; row < rows.size(); ++row) {
      const double tds = leading_number(rows[row][c.tds]);
      EXPECT_NE(tds, std::trunc(tds)) << "row " << row + 1 << " typed without paise";
      EXPECT_EQ(leading_number(rows[row][c.total]), 0) << "row " << row + 1;
    }
    if (!c.exports) continue;

    const auto exported = [&](const std::string& book, const std::string& folder) {
      const std::filesystem::path out = dir_ / folder;
      std::filesystem::create_directory(out);
      const auto done = testing::run_program(
          FENWARX_CLI,
          {"export", "--today", "2026-12-07", "--out-dir", out.string(), "--no-save", book});
      EXPECT_EQ(done.exit_code, 0) << done.out << done.err;
      return std::filesystem::directory_iterator(out)->path().string();
    };
    const std::string file = exported(typed, std::string("typed") + c.form);
    const auto checked = testing::run_program(FENWARX_CLI, {"check", file});
    EXPECT_EQ(checked.exit_code, 0);
    EXPECT_EQ(checked.out, "45 lines, 0 findings\n");
    if (c.rounds) {  // the fixture's workbook is the plain Form 26 sample of this size
      EXPECT_EQ(testing::run_program("/usr/bin/cmp", {exported(book_, "plain"), file}).exit_code, 0)
          << "another return";
    }
  }
}

TEST_F(BenchToolTest, RoundTripVisitsEveryUsedCell) {
  const std::string out = (dir_ / "out.xlsx").string();
  const auto trip = testing::run_program(FENWARX_BENCH_TOOL, {"roundtrip", book_, out});
  ASSERT_EQ(trip.exit_code, 0) << trip.err;
  // Used ranges: 100 x 100 deductor, 6 x 23 challans, 42 x 23 deductees, 36 x 2 states.
  EXPECT_NE(trip.out.find("cells  11176 read ("), std::string::npos) << trip.out;
  EXPECT_NE(trip.out.find(", 559 painted, 559 rewritten"), std::string::npos) << trip.out;
  EXPECT_EQ(sheet(out, "Deductor Details")[99][99], "2005");
}

}  // namespace
}  // namespace fenwarx

// The fenwarx binary end to end: output, exit codes and messages as a caller sees them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/run_program.hpp"
#include "platform/values/dates.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using testing::Outcome;

Outcome run_fenwarx(const std::vector<std::string>& args) {
  return testing::run_program(FENWARX_CLI, args);
}

class CliTest : public ::testing::Test {
 protected:
  // Deductor Details: a text, a typed number, a date off the diagonal (used range A1:C3).
  // Notes: one cell with every character that needs escaping. Empty: nothing.
  void SetUp() override {
    dir_ = testing::scratch_dir();
    workbook_ = (dir_ / "return.xlsx").string();
    auto wb = XlsxWorkbook::create({"Deductor Details", "Notes", "Empty"});
    auto& deductor = wb->Worksheets("Deductor Details");
    deductor.Cells(1, 1).SetValue(Variant::text("TAN"));
    deductor.Cells(1, 2).SetValue(Variant::text("ABCD12345E"));
    deductor.Cells(2, 1).SetValue(Variant::text("Amount"));
    deductor.Cells(2, 2).SetValue(Variant::text("12.50"));
    deductor.Cells(3, 3).SetValue(Variant::date(serial_from_civil({2005, 4, 1})));
    wb->Worksheets("Notes").Cells(1, 1).SetValue(Variant::text("a\tb\\c\nd\re"));
    wb->save_as(workbook_);
  }

  std::filesystem::path dir_;
  std::string workbook_;
};

TEST_F(CliTest, ShowPrintsEverySheetUnderItsName) {
  const Outcome run_all = run_fenwarx({"show", workbook_});
  EXPECT_EQ(run_all.err, "");
  EXPECT_EQ(run_all.exit_code, 0);
  EXPECT_EQ(run_all.out,
            "== Deductor Details ==\n"
            "TAN\tABCD12345E\t\n"
            "Amount\t12.5\t\n"
            "\t\t01/04/2005\n"
            "== Notes ==\n"
            "a\\tb\\\\c\\nd\\re\n"
            "== Empty ==\n");
}

TEST_F(CliTest, ShowOneSheetHasNoHeader) {
  const Outcome notes = run_fenwarx({"show", workbook_, "--sheet", "Notes"});
  EXPECT_EQ(notes.exit_code, 0);
  EXPECT_EQ(notes.out, "a\\tb\\\\c\\nd\\re\n");
  EXPECT_EQ(run_fenwarx({"show", workbook_, "--sheet", "Empty"}).out, "");
}

TEST_F(CliTest, ShowRangeKeepsEmptyFieldsToTheRight) {
  const Outcome range =
      run_fenwarx({"show", workbook_, "--sheet", "Deductor Details", "--range", "B2:D3"});
  EXPECT_EQ(range.exit_code, 0);
  EXPECT_EQ(range.out, "12.5\t\t\n\t01/04/2005\t\n");

  EXPECT_EQ(run_fenwarx({"show", workbook_, "--sheet", "Deductor Details", "--range", "c3"}).out,
            "01/04/2005\n");
  EXPECT_EQ(run_fenwarx({"show", workbook_, "--range", "A1:B1"}).out,
            "== Deductor Details ==\nTAN\tABCD12345E\n"
            "== Notes ==\na\\tb\\\\c\\nd\\re\t\n"
            "== Empty ==\n\t\n");
}

TEST(Cli, VersionGoesToStdout) {
  const Outcome version = run_fenwarx({"--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out, "fenwarx 0.1.0\n");
  EXPECT_EQ(version.err, "");
}

TEST(Cli, UsageErrorsExitTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--bogus"},
      {"frobnicate"},
      {"show"},
      {"show", "a.xlsx", "--sheet"},
      {"show", "a.xlsx", "--unknown"},
  };
  for (const auto& args : cases) {
    const Outcome bad = run_fenwarx(args);
    EXPECT_EQ(bad.exit_code, 2) << ::testing::PrintToString(args);
    EXPECT_EQ(bad.out, "") << ::testing::PrintToString(args);
    EXPECT_NE(bad.err, "") << ::testing::PrintToString(args);
  }
}

TEST(Cli, BadRangesAreUsageErrors) {
  const char* ranges[] = {"A0:B", "Z1:A1", "A2:A1", "A0",       "B",        "7",   "A1:", ":A1",
                          "A-1",  "A+1",   "XFE1",  "A1048577", "A1:B2:C3", "A 1", ""};
  for (const char* range : ranges) {
    const Outcome bad = run_fenwarx({"show", "missing.xlsx", "--range", range});
    EXPECT_EQ(bad.exit_code, 2) << range;
    EXPECT_EQ(bad.err, std::string("--range: not a cell range like A1:D20: ") + range +
                           "\nRun with --help for more information.\n")
        << range;
  }
}

TEST_F(CliTest, LargestRangeCornerIsAccepted) {
  const Outcome far = run_fenwarx({"show", workbook_, "--sheet", "Empty", "--range", "XFD1048576"});
  EXPECT_EQ(far.exit_code, 0);
  EXPECT_EQ(far.out, "\n");
}

TEST_F(CliTest, FailuresExitThreeWithTheErrorNumber) {
  const Outcome missing_file = run_fenwarx({"show", (dir_ / "absent.xlsx").string()});
  EXPECT_EQ(missing_file.exit_code, 3);
  EXPECT_EQ(missing_file.out, "");
  EXPECT_EQ(missing_file.err,
            "fenwarx: error 53: File not found: " + (dir_ / "absent.xlsx").string() + "\n");

  const Outcome missing_sheet = run_fenwarx({"show", workbook_, "--sheet", "Challan Details"});
  EXPECT_EQ(missing_sheet.exit_code, 3);
  EXPECT_EQ(missing_sheet.out, "");
  EXPECT_EQ(missing_sheet.err, "fenwarx: error 9: Subscript out of range\n");
}

TEST_F(CliTest, NotAWorkbookIsAFailure) {
  const auto text = dir_ / "notes.xlsx";
  std::ofstream(text) << "not a zip";
  const Outcome bad = run_fenwarx({"show", text.string()});
  EXPECT_EQ(bad.exit_code, 3);
  EXPECT_EQ(bad.err.rfind("fenwarx: error 1004: ", 0), 0u) << bad.err;
}

}  // namespace
}  // namespace fenwarx

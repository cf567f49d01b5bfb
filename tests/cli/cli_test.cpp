// The fenwarx binary end to end: output, exit codes and messages as a caller sees them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/run_program.hpp"
#include "platform/values/dates.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using testing::Outcome;
using testing::run_fenwarx;
using Args = std::vector<std::string>;

// All sheets under their names, one sheet or a range; a failure exits 3 with the error on stderr.
TEST(Cli, OutputExitCodeAndMessages) {
  const auto dir = testing::scratch_dir();
  const std::string book = (dir / "return.xlsx").string(), absent = (dir / "absent.xlsx").string();
  // Deductor Details: a text, a typed number, a date off the diagonal (used range A1:C3).
  // Notes: one cell with every character that needs escaping. Empty: nothing.
  auto wb = XlsxWorkbook::create({"Deductor Details", "Notes", "Empty"});
  auto& deductor = wb->Worksheets("Deductor Details");
  for (auto [row, column, typed] :
       {std::tuple{1, 1, "TAN"}, {1, 2, "ABCD12345E"}, {2, 1, "Amount"}, {2, 2, "12.50"}})
    deductor.Cells(row, column).SetValue(Variant::text(typed));
  deductor.Cells(3, 3).SetValue(Variant::date(serial_from_civil({2005, 4, 1})));
  wb->Worksheets("Notes").Cells(1, 1).SetValue(Variant::text("a\tb\\c\nd\re"));
  wb->save_as(book);
  const std::string kNotes = "a\\tb\\\\c\\nd\\re";
  // clang-format off
  testing::expect_runs({
      {{"show", book}, 0,
       "== Deductor Details ==\nTAN\tABCD12345E\t\nAmount\t12.5\t\n\t\t01/04/2005\n"
       "== Notes ==\n" + kNotes + "\n== Empty ==\n", ""},
      {{"show", book, "--sheet", "Notes"}, 0, kNotes + "\n", ""},
      {{"show", book, "--sheet", "Deductor Details", "--range", "B2:D3"}, 0,
       "12.5\t\t\n\t01/04/2005\t\n", ""},
      {{"show", book, "--sheet", "Deductor Details", "--range", "c3"}, 0, "01/04/2005\n", ""},
      {{"show", book, "--range", "A1:B1"}, 0,
       "== Deductor Details ==\nTAN\tABCD12345E\n== Notes ==\n" + kNotes + "\t\n== Empty ==\n\t\n",
       ""},
      {{"show", book, "--sheet", "Empty", "--range", "XFD1048576"}, 0, "\n", ""},
      {{"--version"}, 0, "fenwarx 0.1.0\n", ""},
      {{"show", absent}, 3, "", "fenwarx: error 53: File not found: " + absent + "\n"},
  });
  // clang-format on
}

TEST(Cli, UsageErrorsExitTwo) {
  for (const Args& args : std::vector<Args>{{},
                                            {"--bogus"},
                                            {"frobnicate"},
                                            {"show"},
                                            {"show", "a", "--sheet"},
                                            {"show", "a", "--unknown"}}) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const Outcome bad = run_fenwarx(args);
    EXPECT_EQ(bad.exit_code, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err, "");
  }
  for (const char* range : {"A0:B", "Z1:A1", "A2:A1", "A0", "B", "7", "A1:", ":A1", "A-1", "A+1",
                            "XFE1", "A1048577", "A1:B2:C3", "A 1", ""}) {
    const Outcome bad = run_fenwarx({"show", "missing.xlsx", "--range", range});
    EXPECT_EQ(bad.exit_code, 2) << range;
    EXPECT_EQ(bad.err, std::string("--range: not a cell range like A1:D20: ") + range +
                           "\nRun with --help for more information.\n");
  }
}

}  // namespace
}  // namespace fenwarx

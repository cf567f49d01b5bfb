// fenwarx export and fenwarx validate end to end: the return file in the output
// folder, the flag and the saved workbook, a refused export that leaves nothing,
// and the validator handed the file's path.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/run_program.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;
using testing::flag_of;
using testing::run_fenwarx;

TEST(ExportCommand, WritesTheReturnFileFlagsAndSavesOrRefusesLeavingNothing) {
  const fs::path dir = testing::scratch_dir(), out = dir / "c";
  fs::create_directory(out);
  const fs::path book = dir / "r.xlsx", bad = dir / "bad.xlsx";
  auto clean = testing::clean_return(Form::F26, 2);
  for (auto& sheet : clean)  // deductee code 2, as the PAN is no company's: nothing to warn of
    if (sheet.name == "Deductee Details")
      sheet.cells = testing::with(sheet.cells, {{3, 2, "2"}, {4, 2, "2"}});
  testing::write_workbook(book, clean);
  for (auto& sheet : clean)
    if (sheet.name == "Deductee Details") sheet.cells.push_back({3, 3, "ABC"});  // a bad PAN
  testing::write_workbook(bad, clean);
  const std::string file = (out / "eTDS26.txt").string();

  const auto done =
      run_fenwarx({"export", "--today", "2006-06-15", "--out-dir", out.string(), book.string()});
  EXPECT_EQ(done.exit_code, 0) << done.err;
  EXPECT_EQ(done.out,
            "[message] Exported Successfully to " + file + " ! Please Validate Your data\n");
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(flag_of(book), "Exported");
  const auto checked = run_fenwarx({"check", "--workbook", book.string(), file});
  EXPECT_EQ(checked.exit_code, 0) << checked.out;

  // The validator gets the file's path; by default it is the structural check.
  const auto validated = run_fenwarx({"validate", "--form", "26", "--out-dir", out.string()});
  EXPECT_EQ(validated.exit_code, 0);
  EXPECT_EQ(validated.out, checked.out.substr(checked.out.rfind('\n', checked.out.size() - 2) + 1));
  EXPECT_EQ(
      run_fenwarx({"validate", "--form", "26", "--out-dir", out.string(), "--validator", "false"})
          .exit_code,
      1);
  const auto echoed = run_fenwarx(
      {"validate", "--form", "26", "--out-dir", out.string(), "--validator", "echo validating"});
  EXPECT_EQ(echoed.out, "validating " + file + "\n");

  // A refused export writes nothing (the earlier file stays: the export's tests).
  const auto refused = run_fenwarx({"export", "--json", "--today", "2006-06-15", "--out-dir",
                                    out.string(), "--no-save", bad.string()});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.out.find("\"text\": \"Please verify your data correctly\""), std::string::npos);
  EXPECT_NE(refused.out.find("\"return_file\": null"), std::string::npos);
  EXPECT_EQ(flag_of(bad), "");

  // On the terminal the refusal lists what the silent verification found.
  const auto listed = run_fenwarx(
      {"export", "--today", "2006-06-15", "--out-dir", out.string(), "--no-save", bad.string()});
  EXPECT_EQ(listed.exit_code, 1);
  EXPECT_EQ(listed.out,
            "[message] Please verify your data correctly\n"
            "Deductee Details!C3 (H3): not a PAN: five letters, four "
            "digits, a letter\n");
}

// Form 24 writes eTDS24.txt; the rows it does not carry (no tax, no challan of
// the return named) are listed after the message, fifty at most on the terminal
// and all of them with --json, and validate finds the file clean.
TEST(ExportCommand, Form24ListsTheRowsItDoesNotWrite) {
  const fs::path dir = testing::scratch_dir(), out = dir / "c";
  fs::create_directory(out);
  const fs::path book = dir / "r.xlsx", many = dir / "many.xlsx";
  const auto untaxed = [](int first, int last, const std::string& serial) {
    testing::Cells cells;
    for (int row = first; row <= last; ++row)
      cells = testing::with(cells, testing::untaxed_deductee(row, serial));
    return cells;
  };
  auto sheets = testing::clean_return(Form::F24, 2);
  sheets[testing::kDeducteeSheet].cells =
      testing::with(sheets[testing::kDeducteeSheet].cells, untaxed(5, 5, "0"));
  testing::write_workbook(book, sheets);
  sheets[testing::kDeducteeSheet].cells =
      testing::with(sheets[testing::kDeducteeSheet].cells, untaxed(6, 57, "3"));
  testing::write_workbook(many, sheets);
  const std::string file = (out / "eTDS24.txt").string();
  const std::string exported =
      "[message] File Exported Successfully at " + file + " ! Please Validate Your data\n";
  const std::vector<std::string> args{"export",    "--today",    "2006-06-15",
                                      "--out-dir", out.string(), "--no-save"};
  const auto with_book = [&](std::vector<std::string> extra, const fs::path& workbook) {
    std::vector<std::string> all = args;
    all.insert(all.end(), extra.begin(), extra.end());
    all.push_back(workbook.string());
    return run_fenwarx(all);
  };

  const auto done = with_book({}, book);
  EXPECT_EQ(done.exit_code, 0) << done.err;
  EXPECT_EQ(done.out, exported + "not written: Deductee Details row 5 (no challan and no tax)\n");
  const auto json = with_book({"--json"}, book);
  EXPECT_EQ(json.exit_code, 0);
  EXPECT_EQ(json.out, "{\n  \"messages\": [\n    {\"text\": \"File Exported Successfully at " +
                          file +
                          " ! Please Validate Your data\", \"title\": \"\", \"style\": 0}\n  ],\n"
                          "  \"errors\": 0,\n  \"log\": [],\n  \"not_written\": [\n"
                          "    {\"sheet\": \"Deductee Details\", \"row\": 5}\n  ],\n"
                          "  \"form\": \"24\",\n  \"return_file\": \"" +
                          file + "\",\n  \"saved\": null,\n  \"failure\": null\n}\n");
  const auto validated = run_fenwarx({"validate", "--form", "24", "--out-dir", out.string()});
  EXPECT_EQ(validated.exit_code, 0);
  EXPECT_EQ(validated.out, "5 lines, 0 findings\n");

  const auto listed = with_book({}, many);
  EXPECT_EQ(listed.exit_code, 0) << listed.err;
  std::string expected = exported;
  for (int row = 5; row < 55; ++row)
    expected +=
        "not written: Deductee Details row " + std::to_string(row) + " (no challan and no tax)\n";
  EXPECT_EQ(listed.out, expected + "... and 3 more rows not written (--json lists them all)\n");
  const auto all = with_book({"--json"}, many);
  EXPECT_NE(all.out.find("{\"sheet\": \"Deductee Details\", \"row\": 57}\n  ],"), std::string::npos)
      << all.out;
}

// Past fifty findings the terminal counts the rest and says where they all are
// (fifty-three PANs, and the challan the deductees now exceed twice).
TEST(VerifyCommand, ListsTheFirstFiftyFindingsAndCountsTheRest) {
  const fs::path dir = testing::scratch_dir(), book = dir / "r.xlsx";
  auto sheets = testing::clean_return(Form::F26, 53);
  for (int row = 3; row < 3 + 53; ++row) sheets[2].cells.push_back({row, 3, "ABC"});
  testing::write_workbook(book, sheets);
  const auto run = run_fenwarx({"verify", "--today", "2006-06-15", "--no-save", book.string()});
  EXPECT_EQ(run.exit_code, 1);
  const std::string
      head = "[info] This sheet contains 53 errors(s).\n",
      line = "Deductee Details!C52 (H3): not a PAN: five letters, four digits, a letter\n",
      tail = "... and 3 more (the error log on the deductor sheet lists them all)\n";
  EXPECT_EQ(run.out.substr(0, head.size()), head);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1 + 50 + 1);
  EXPECT_NE(run.out.find(line + tail), std::string::npos) << run.out;
  EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail);
}

}  // namespace
}  // namespace fenwarx

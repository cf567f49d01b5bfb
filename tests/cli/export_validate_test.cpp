// fenwarx export and fenwarx validate end to end: the return file in the output
// folder, the flag and the saved workbook, a refused export that leaves nothing,
// and the validator handed the file's path.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/run_program.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;
using testing::run_fenwarx;

std::string flag_of(const fs::path& book) {
  return XlsxWorkbook::open(book)->Worksheets("Deductor Details").Cells(100, 101).Value().to_text();
}

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
  const auto none = run_fenwarx({"validate", "--form", "27", "--out-dir", out.string()});
  EXPECT_EQ(none.exit_code, 1);
  EXPECT_EQ(none.err, "fenwarx: no return file at " + (out / "eTDS27.txt").string() +
                          "; run fenwarx export first\n");

  // A refused export leaves the earlier return file as it was and no other file.
  const auto before = fs::last_write_time(file);
  const auto refused = run_fenwarx({"export", "--json", "--today", "2006-06-15", "--out-dir",
                                    out.string(), "--no-save", bad.string()});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.out.find("\"text\": \"Please verify your data correctly\""), std::string::npos);
  EXPECT_NE(refused.out.find("\"return_file\": null"), std::string::npos);
  EXPECT_EQ(fs::last_write_time(file), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator{}), 1);
  EXPECT_EQ(flag_of(bad), "");
}

}  // namespace
}  // namespace fenwarx

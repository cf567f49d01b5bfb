// The blank templates as other spreadsheet readers see them: openpyxl reads each
// one, and LibreOffice re-saves them (one start for all four) so openpyxl can show
// what LibreOffice kept: the sheets, the lists and the financial-year formula.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/shell.hpp"
#include "support/test_paths.hpp"
#include "templates/return_template.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;

using testing::run_shell;
using testing::ShellRun;

// One line per file: its sheets, the number of lists, and the deductor sheet's
// formula at CV100 with what the reader holds as its result.
constexpr const char* kSummary = R"py(import os, sys, warnings
import openpyxl
for path in sys.argv[1:]:
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        book = openpyxl.load_workbook(path)
    lists = sum(len(ws.data_validations.dataValidation) for ws in book.worksheets)
    first = book.worksheets[0]
    print(os.path.basename(path), "|".join(book.sheetnames), lists, first["CV100"].value,
          first["A30"].value, book["State Code"]["B36"].value)
)py";

TEST(TemplateReaders, OpenpyxlAndLibreOfficeOpenEveryTemplate) {
  const std::string missing = testing::missing_readers();
  if (!missing.empty()) {
    const char* ci = std::getenv("CI");
    if (ci && std::string(ci) == "true") FAIL() << "CI needs " << missing;
    GTEST_SKIP() << "not installed: " << missing;
  }
  const fs::path dir = testing::scratch_dir();
  std::ofstream(dir / "summary.py") << kSummary;
  std::string files, copies;
  for (auto [form, name] : {std::pair{Form::F24, "f24.xlsx"},
                            {Form::F26, "f26.xlsx"},
                            {Form::F27, "f27.xlsx"},
                            {Form::F27EQ, "f27eq.xlsx"}}) {
    templates::write_return_template(dir / name, form, *system_clock());
    files += " " + (dir / name).string();
    copies += " " + (dir / "lo" / name).string();
  }
  const ShellRun converted = run_shell(std::string(FENWARX_READERS) + "/libreoffice_resave.sh " +
                                       (dir / "lo").string() + files);
  ASSERT_EQ(converted.status, 0) << converted.out;

  const std::string expected =
      "f24.xlsx Deductor Details|Challan Details|Deductee Details|Salary Details|"
      "Perquisite Details|State Code 11 =LEFT(B31,4) Responsible Person's Address Changed (Y/N) "
      "JHARKHAND\n"
      "f26.xlsx Deductor Details|Challan Details|Deductee Details|State Code 12 =LEFT(B30,4) "
      "Financial Year JHARKHAND\n"
      "f27.xlsx Deductor Details|Challan Details|Deductee Details|State Code 13 =LEFT(B30,4) "
      "Financial Year JHARKHAND\n"
      "f27eq.xlsx Collector Details|Challan Details|Collectee Details|State Code 13 "
      "=LEFT(B29,4) Assessment Year JHARKHAND\n";
  const std::string summary = "/usr/bin/python3 " + (dir / "summary.py").string();
  const ShellRun ours = run_shell(summary + files);
  EXPECT_EQ(ours.status, 0);
  EXPECT_EQ(ours.out, expected);
  const ShellRun libreoffice = run_shell(summary + copies);
  EXPECT_EQ(libreoffice.status, 0);
  EXPECT_EQ(libreoffice.out, expected);
}

}  // namespace
}  // namespace fenwarx

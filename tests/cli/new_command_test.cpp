// fenwarx new: the blank template as a user gets it, typed into and verified.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "cli/run_program.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using testing::Outcome;
using testing::run_fenwarx;
using Args = std::vector<std::string>;

TEST(NewCommand, WritesRefusesAndReplaces) {
  const auto dir = testing::scratch_dir();
  const std::string book = (dir / "r.xlsx").string(), macro = (dir / "r.xlsm").string(),
                    nowhere = (dir / "absent" / "r.xlsx").string();
  // clang-format off
  testing::expect_runs({
      {{"new", "--form", "27eq", book}, 0, book + ": blank Form 27EQ return workbook\n", ""},
      {{"new", "--form", "26", book}, 2, "", "fenwarx: " + book + " exists; give --force to replace it\n"},
      {{"new", "--form", "26", book, "--force"}, 0, book + ": blank Form 26 return workbook\n", ""},
      {{"new", "--form", "26", macro}, 2, "",
       "fenwarx: " + macro + ": a new return workbook is an .xlsx file\n"},
      {{"new", "--form", "25", macro}, 2, "", "fenwarx: --form takes 24, 26, 27 or 27EQ, not 25\n"},
      {{"new", "--form", "24", nowhere}, 3, "",
       "fenwarx: error 76: Path not found: " + (dir / "absent").string() + "\n"},
  });
  // clang-format on
  EXPECT_FALSE(std::filesystem::exists(macro));
  EXPECT_EQ(XlsxWorkbook::open(book)->sheet(0).Name(), "Deductor Details");  // 27EQ's replaced
  for (const Args& usage : {Args{"new", book}, Args{"new", "--form", "26"}})
    EXPECT_EQ(run_fenwarx(usage).exit_code, 2);
}

// The year rows' hints show the financial year of the day (April to March).
TEST(NewCommand, YearHintsFollowToday) {
  const auto dir = testing::scratch_dir();
  for (const auto& [today, financial, assessment] :
       {std::tuple{"2024-04-01", "2024-25", "2025-26"}, {"2100-03-31", "2099-00", "2100-01"}}) {
    SCOPED_TRACE(today);
    const std::string book = (dir / (std::string(today) + ".xlsx")).string();
    ASSERT_EQ(run_fenwarx({"new", "--form", "26", "--today", today, book}).exit_code, 0);
    const auto wb = XlsxWorkbook::open(book);
    Worksheet& deductor = wb->Worksheets("Deductor Details");
    EXPECT_EQ(deductor.Cells(29, 3).Value().to_text(), std::string("Typed like ") + assessment);
    EXPECT_EQ(deductor.Cells(30, 3).Value().to_text(), std::string("Typed like ") + financial);
  }
}

// A Form 26 return typed into the blank template as a user would: the year stays
// text, amounts and dates become numbers and dates, and the verification passes.
TEST(NewCommand, TypedTemplateVerifiesClean) {
  const std::string book = (testing::scratch_dir() / "typed.xlsx").string();
  ASSERT_EQ(run_fenwarx({"new", "--form", "26", book}).exit_code, 0);
  {
    auto wb = XlsxWorkbook::open(book);
    const std::pair<const char*, testing::Cells> typed[] = {
        {"Deductor Details", testing::clean_deductor(Form::F26)},
        {"Challan Details", testing::clean_challan(Form::F26)},
        {"Deductee Details", testing::clean_deductee(Form::F26)}};
    for (const auto& [name, cells] : typed)
      for (const LaidCell& cell : cells)
        wb->Worksheets(name).Cells(cell.row, cell.column).SetValue(Variant::text(cell.typed));
    EXPECT_EQ(wb->Worksheets("Deductor Details").Cells(30, 2).Value().type(), VariantType::Text);
    EXPECT_EQ(wb->Worksheets("Deductee Details").Cells(3, 6).Value().type(), VariantType::Number);
    EXPECT_EQ(wb->Worksheets("Challan Details").Cells(4, 11).Value().type(), VariantType::Date);
    wb->save();
  }
  const Outcome verified = run_fenwarx({"verify", "--today", "2026-12-07", book});
  EXPECT_EQ(verified.exit_code, 0) << verified.out << verified.err;
  EXPECT_EQ(verified.out, "[info]  Verificaton Sucess ! : No error.\n");
  auto wb = XlsxWorkbook::open(book);
  EXPECT_EQ(wb->Worksheets("Deductor Details").Cells(37, 2).Value().to_text(), "1");
}

}  // namespace
}  // namespace fenwarx

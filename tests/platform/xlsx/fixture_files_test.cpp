// The checked-in workbooks: what their cells read, and what a save keeps of them
// (an edited shared formula: the sheet part's and the real readers' tests).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "platform/xlsx/zip_reader.hpp"
#include "support/error_of.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using testing::fixture;
using ::testing::HasSubstr;

constexpr const char *kShared = "shared_formulas.xlsx", *kLibre = "libreoffice.xlsx",
                     *kMacro = "macro.xlsm";

std::string entry_text(const std::filesystem::path& package, const char* name) {
  ZipReader zip(package);
  return zip.find(name) ? zip.read(*zip.find(name)) : std::string();
}

TEST(FixtureFiles, CellsReadAsStored) {
  struct Case {
    const char *file, *sheet;
    int row, column;
    const char *value, *text,
        *format = nullptr;  // Value().to_text(), Text(), NumberFormat() if set
    std::uint32_t color = kColorNone;
  };
  // clang-format off
  const Case cases[] = {
      {kShared, "Data", 1, 3, "Amount", "Amount"}, {kShared, "Data", 2, 3, "01/04/2005", "01/04/2005"},
      {kShared, "Data", 3, 3, "   ", "   "}, {kShared, "Data", 4, 3, "Rich text", "Rich text"},
      {kShared, "Data", 11, 1, "", ""}, {kShared, "Data", 5, 3, "Boxed & bold", "Boxed & bold"},  // bordered, unfilled
      {kLibre, "Returns", 2, 1, "Ravi & Sons", "Ravi & Sons"}, {kLibre, "Returns", 2, 2, "1234.5", "1234.50", "0.00"},
      {kLibre, "Returns", 2, 3, "01/04/2005", "01/04/2005", "dd/mm/yyyy"}, {kLibre, "Returns", 2, 4, "2469", "2469"},
      {kLibre, "Returns", 3, 1, "ABCDE1234F", "ABCDE1234F", nullptr, kColorError},
      {kMacro, "Deductor Details", 2, 2, "2024-25", "2024-25"}, {kMacro, "Challan Details", 2, 2, "15000.5", "15000.5"},
  };
  // clang-format on
  std::map<std::string, std::shared_ptr<XlsxWorkbook>> books;
  for (const char* file : {kShared, kLibre, kMacro})
    books[file] = XlsxWorkbook::open(fixture(file));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.sheet + " R" + std::to_string(c.row) + "C" +
                 std::to_string(c.column));
    auto cell = books[c.file]->Worksheets(c.sheet).Cells(c.row, c.column);
    EXPECT_EQ(cell.Value().to_text(), c.value);
    EXPECT_EQ(cell.Text(), c.text);
    if (c.format) {
      EXPECT_EQ(cell.NumberFormat(), c.format);
    }
    EXPECT_EQ(cell.InteriorColor(), c.color);
  }
  auto& data = books[kShared]->Worksheets("Data");
  for (int r = 1; r <= 10; ++r) {
    EXPECT_EQ(data.Cells(r, 1).Value().to_text(), std::to_string(r));
    EXPECT_EQ(data.Cells(r, 2).Value().to_text(), std::to_string(2 * r)) << "cached result";
  }
  EXPECT_EQ(data.Cells(2, 3).Value(), Variant::date(38443));
  EXPECT_EQ(books[kMacro]->sheet_names(),
            (std::vector<std::string>{"Deductor Details", "Challan Details"}));
}

TEST(FixtureFiles, MacroWorkbookKeepsItsProjectAndStaysMacroEnabled) {
  const auto saved = testing::scratch_dir() / "kept.xlsm";
  auto book = XlsxWorkbook::open(fixture(kMacro));
  book->Worksheets("Challan Details").Cells(2, 3).SetValue(Variant::number(99.75));
  book->save_as(saved);
  ZipReader before(fixture(kMacro)), after(saved);
  const auto *old_vba = before.find("xl/vbaProject.bin"),
             *new_vba = after.find("xl/vbaProject.bin");
  ASSERT_TRUE(old_vba && new_vba);
  EXPECT_EQ(after.read_raw(*new_vba), before.read_raw(*old_vba));
  EXPECT_EQ(new_vba->crc, old_vba->crc);
  EXPECT_THAT(entry_text(saved, "xl/_rels/workbook.xml.rels"), HasSubstr("vbaProject.bin"));
  EXPECT_TRUE(XlsxWorkbook::open(saved)->macro_enabled());
}

TEST(FixtureFiles, UnreadableInputsFailAndStayUntouched) {
  const std::string app = std::to_string(err::kApplication) + " ";
  // clang-format off
  const std::pair<const char*, std::string> cases[] = {
      {"legacy.xls",
       app + "legacy.xls is a legacy .xls workbook; open it in the spreadsheet and save it as .xlsx or .xlsm"},
      {"truncated.xlsx", app + "truncated.xlsx is damaged: the file is cut short (no end of archive record)"},
  };
  // clang-format on
  for (const auto& [name, error] : cases) {
    const auto bytes = testing::slurp(fixture(name));
    EXPECT_EQ(testing::error_of([&] { XlsxWorkbook::open(fixture(name)); }), error);
    EXPECT_EQ(testing::slurp(fixture(name)), bytes) << name;
  }
}

}  // namespace
}  // namespace fenwarx

// The checked-in workbooks: what their cells read, and what a save keeps of them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <pugixml.hpp>
#include <string>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "platform/xlsx/zip_reader.hpp"
#include "support/test_paths.hpp"
#include "zip_test_files.hpp"

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

// The first element named `local_name` (in any namespace), or the cell `ref`.
pugi::xml_node first(const pugi::xml_document& doc, const std::string& local_name,
                     const std::string& ref = "") {
  const std::string at = ref.empty() ? "" : "[@r='" + ref + "']";
  return doc.select_node(("//*[local-name()='" + local_name + "']" + at).c_str()).node();
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

TEST(FixtureFiles, EditedSharedFormulasKeepTheGroup) {
  const auto saved = testing::scratch_dir() / "edited.xlsx";
  auto book = XlsxWorkbook::open(fixture(kShared));
  book->Worksheets("Data").Cells(1, 2).SetValue(Variant::number(99));
  book->Worksheets("Data").Cells(5, 3).SetInteriorColor(kColorError);
  book->save_as(saved);
  EXPECT_EQ(XlsxWorkbook::open(saved)->Worksheets("Data").Cells(5, 3).InteriorColor(), kColorError);
  pugi::xml_document sheet;
  ASSERT_TRUE(sheet.load_string(entry_text(saved, "xl/worksheets/sheet1.xml").c_str()));
  EXPECT_FALSE(first(sheet, "c", "B1").child("f"));
  // Each dependent keeps its formula: in full, or shared from a new master at B2 (none may point at
  // B1).
  const auto master = first(sheet, "c", "B2").child("f");
  for (int r = 2; r <= 10; ++r) {
    auto f = first(sheet, "c", "B" + std::to_string(r)).child("f");
    if (std::string_view(f.attribute("t").value()) != "shared") {
      EXPECT_EQ(f.child_value(), "A" + std::to_string(r) + "*2") << r;
    } else {
      EXPECT_STREQ(f.attribute("si").value(), master.attribute("si").value()) << r;
      EXPECT_EQ(master.child_value() + std::string(" ") + master.attribute("ref").value(),
                "A2*2 B2:B10");
    }
  }
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
    try {
      XlsxWorkbook::open(fixture(name));
      ADD_FAILURE() << name << " opened";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(std::to_string(e.number()) + " " + e.description(), error);
    }
    EXPECT_EQ(testing::slurp(fixture(name)), bytes) << name;
  }
}

}  // namespace
}  // namespace fenwarx

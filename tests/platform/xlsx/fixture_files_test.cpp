// The checked-in workbooks: what their cells read, and what a save keeps of them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "platform/xlsx/zip_reader.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using ::testing::HasSubstr;
using testing::fixture;
using testing::scratch_dir;

std::string entry_text(const std::filesystem::path& package, const char* name) {
  ZipReader zip(package);
  const auto* entry = zip.find(name);
  return entry ? zip.read(*entry) : std::string();
}

std::string file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

pugi::xml_node cell_node(const pugi::xml_document& sheet, const char* ref) {
  return sheet.select_node((std::string("//*[local-name()='c'][@r='") + ref + "']").c_str()).node();
}

struct Expected {
  const char* sheet;
  int row, column;
  const char* value;  // Value().to_text()
  const char* text;   // Text()
};

void expect_cells(Workbook& book, std::initializer_list<Expected> cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.sheet) + " R" + std::to_string(c.row) + "C" + std::to_string(c.column));
    auto cell = book.Worksheets(c.sheet).Cells(c.row, c.column);
    EXPECT_EQ(cell.Value().to_text(), c.value);
    EXPECT_EQ(cell.Text(), c.text);
  }
}

TEST(FixtureFiles, SharedFormulasReadAsStored) {
  auto book = XlsxWorkbook::open(fixture("shared_formulas.xlsx"));
  ASSERT_EQ(book->sheet_names(), std::vector<std::string>{"Data"});
  EXPECT_FALSE(book->macro_enabled());
  for (int r = 1; r <= 10; ++r) {
    SCOPED_TRACE(r);
    auto& data = book->Worksheets("Data");
    EXPECT_EQ(data.Cells(r, 1).Value().to_text(), std::to_string(r));
    EXPECT_EQ(data.Cells(r, 2).Value().to_text(), std::to_string(2 * r));  // cached results
  }
  expect_cells(*book, {
      {"Data", 1, 3, "Amount", "Amount"},
      {"Data", 2, 3, "01/04/2005", "01/04/2005"},
      {"Data", 3, 3, "   ", "   "},
      {"Data", 4, 3, "Rich text", "Rich text"},
      {"Data", 5, 3, "Boxed & bold", "Boxed & bold"},
      {"Data", 11, 1, "", ""},
  });
  auto date = book->Worksheets("Data").Cells(2, 3).Value();
  EXPECT_EQ(date.type(), VariantType::Date);
  EXPECT_EQ(date.number_value(), 38443);
  EXPECT_EQ(book->Worksheets("Data").Cells(5, 3).InteriorColor(), kColorNone);
}

TEST(FixtureFiles, LibreOfficeWorkbookReads) {
  auto book = XlsxWorkbook::open(fixture("libreoffice.xlsx"));
  ASSERT_EQ(book->sheet_names(), std::vector<std::string>{"Returns"});
  expect_cells(*book, {
      {"Returns", 1, 1, "Deductee", "Deductee"},
      {"Returns", 2, 1, "Ravi & Sons", "Ravi & Sons"},
      {"Returns", 2, 2, "1234.5", "1234.50"},
      {"Returns", 2, 3, "01/04/2005", "01/04/2005"},
      {"Returns", 2, 4, "2469", "2469"},
      {"Returns", 3, 1, "ABCDE1234F", "ABCDE1234F"},
      {"Returns", 3, 2, "42", "42"},
  });
  auto& sheet = book->Worksheets("Returns");
  EXPECT_EQ(sheet.Cells(2, 2).NumberFormat(), "0.00");
  EXPECT_EQ(sheet.Cells(2, 3).NumberFormat(), "dd/mm/yyyy");
  EXPECT_EQ(sheet.Cells(3, 1).InteriorColor(), kColorError);
  EXPECT_EQ(sheet.Cells(3, 2).InteriorColor(), kColorNone);
}

TEST(FixtureFiles, MacroWorkbookReads) {
  auto book = XlsxWorkbook::open(fixture("macro.xlsm"));
  EXPECT_TRUE(book->macro_enabled());
  ASSERT_EQ(book->sheet_names(), (std::vector<std::string>{"Deductor Details", "Challan Details"}));
  expect_cells(*book, {
      {"Deductor Details", 1, 2, "ABCD12345E", "ABCD12345E"},
      {"Deductor Details", 2, 2, "2024-25", "2024-25"},
      {"Deductor Details", 4, 2, "12", "12"},
      {"Challan Details", 2, 2, "15000.5", "15000.5"},
      {"Challan Details", 3, 3, "125.25", "125.25"},
  });
  EXPECT_NE(book->find_sheet("challan details"), nullptr);
}

TEST(FixtureFiles, OverwrittenSharedMasterHandsTheGroupOn) {
  const auto saved = scratch_dir() / "edited.xlsx";
  {
    auto book = XlsxWorkbook::open(fixture("shared_formulas.xlsx"));
    book->Worksheets("Data").Cells(1, 2).SetValue(Variant::number(99));
    book->Worksheets("Data").Cells(5, 3).SetInteriorColor(kColorError);
    EXPECT_TRUE(book->modified());
    book->save_as(saved);
  }
  auto again = XlsxWorkbook::open(saved);
  auto& data = again->Worksheets("Data");
  EXPECT_EQ(data.Cells(1, 2).Value().to_text(), "99");
  EXPECT_EQ(data.Cells(2, 2).Value().to_text(), "4");
  EXPECT_EQ(data.Cells(5, 3).InteriorColor(), kColorError);
  EXPECT_EQ(data.Cells(3, 3).Value().to_text(), "   ");

  pugi::xml_document sheet;
  ASSERT_TRUE(sheet.load_string(entry_text(saved, "xl/worksheets/sheet1.xml").c_str()));
  EXPECT_FALSE(cell_node(sheet, "B1").child("f"));
  // Each dependent keeps its own formula: written out in full, or as a shared
  // group whose new master is B2 (no cell may still point to a group anchored at B1).
  for (int r = 2; r <= 10; ++r) {
    SCOPED_TRACE(r);
    auto f = cell_node(sheet, ("B" + std::to_string(r)).c_str()).child("f");
    ASSERT_TRUE(f);
    if (*f.child_value()) {
      if (std::string_view(f.attribute("t").value()) == "shared")
        EXPECT_STREQ(f.attribute("ref").value(), "B2:B10");
      else
        EXPECT_EQ(f.child_value(), "A" + std::to_string(r) + "*2");
      continue;
    }
    EXPECT_STREQ(f.attribute("t").value(), "shared");
    auto master = cell_node(sheet, "B2").child("f");
    EXPECT_STREQ(master.child_value(), "A2*2");
    EXPECT_STREQ(master.attribute("si").value(), f.attribute("si").value());
  }

  ZipReader zip(saved);
  EXPECT_EQ(zip.find("xl/calcChain.xml"), nullptr);
  EXPECT_THAT(entry_text(saved, "[Content_Types].xml"), Not(HasSubstr("calcChain")));
  EXPECT_THAT(entry_text(saved, "xl/_rels/workbook.xml.rels"), Not(HasSubstr("calcChain")));
  pugi::xml_document workbook;
  ASSERT_TRUE(workbook.load_string(entry_text(saved, "xl/workbook.xml").c_str()));
  auto calc = workbook.select_node("//*[local-name()='calcPr']").node();
  EXPECT_STREQ(calc.attribute("fullCalcOnLoad").value(), "1");
}

TEST(FixtureFiles, RepaintedCellKeepsItsFontAndBorder) {
  const auto saved = scratch_dir() / "painted.xlsx";
  {
    auto book = XlsxWorkbook::open(fixture("shared_formulas.xlsx"));
    book->Worksheets("Data").Cells(5, 3).SetInteriorColor(kColorError);
    book->save_as(saved);
  }
  pugi::xml_document sheet, styles;
  ASSERT_TRUE(sheet.load_string(entry_text(saved, "xl/worksheets/sheet1.xml").c_str()));
  ASSERT_TRUE(styles.load_string(entry_text(saved, "xl/styles.xml").c_str()));
  const int s = cell_node(sheet, "C5").attribute("s").as_int();
  auto xfs = styles.select_node("//*[local-name()='cellXfs']").node();
  auto xf = xfs.first_child();
  for (int i = 0; i < s && xf; ++i) xf = xf.next_sibling();
  ASSERT_TRUE(xf) << "style " << s;
  EXPECT_STREQ(xf.attribute("fontId").value(), "1");
  EXPECT_STREQ(xf.attribute("borderId").value(), "1");
  auto fill = styles.select_node("//*[local-name()='fills']").node().first_child();
  for (int i = 0; i < xf.attribute("fillId").as_int() && fill; ++i) fill = fill.next_sibling();
  ASSERT_TRUE(fill);
  auto pattern = fill.first_child();
  EXPECT_STREQ(pattern.attribute("patternType").value(), "solid");
  EXPECT_STREQ(pattern.first_child().attribute("rgb").value(), "FFFF0000");
}

TEST(FixtureFiles, MacroWorkbookKeepsItsProjectAndStaysMacroEnabled) {
  const auto saved = scratch_dir() / "kept.xlsm";
  {
    auto book = XlsxWorkbook::open(fixture("macro.xlsm"));
    book->Worksheets("Challan Details").Cells(2, 3).SetValue(Variant::number(99.75));
    book->Worksheets("Challan Details").Cells(2, 3).SetInteriorColor(kColorError);
    book->save_as(saved);
  }
  ZipReader before(fixture("macro.xlsm")), after(saved);
  const auto* old_vba = before.find("xl/vbaProject.bin");
  const auto* new_vba = after.find("xl/vbaProject.bin");
  ASSERT_TRUE(old_vba && new_vba);
  EXPECT_EQ(after.read_raw(*new_vba), before.read_raw(*old_vba));
  EXPECT_EQ(new_vba->crc, old_vba->crc);
  EXPECT_THAT(entry_text(saved, "[Content_Types].xml"),
              HasSubstr("application/vnd.ms-excel.sheet.macroEnabled.main+xml"));
  EXPECT_THAT(entry_text(saved, "xl/_rels/workbook.xml.rels"), HasSubstr("vbaProject.bin"));

  auto again = XlsxWorkbook::open(saved);
  EXPECT_TRUE(again->macro_enabled());
  EXPECT_EQ(again->Worksheets("Challan Details").Cells(2, 3).Value().to_text(), "99.75");
  EXPECT_EQ(again->Worksheets("Deductor Details").Cells(1, 2).Value().to_text(), "ABCD12345E");
}

TEST(FixtureFiles, UnreadableInputsFailAndStayUntouched) {
  struct Case {
    const char* name;
    int number;
    const char* description;
  };
  for (const Case& c : {
           Case{"legacy.xls", err::kApplication,
                "legacy.xls is a legacy .xls workbook; open it in the spreadsheet and save it as "
                ".xlsx or .xlsm"},
           Case{"truncated.xlsx", err::kApplication,
                "truncated.xlsx is damaged: the file is cut short (no end of archive record)"},
       }) {
    SCOPED_TRACE(c.name);
    const auto path = fixture(c.name);
    const auto bytes = file_bytes(path);
    ASSERT_FALSE(bytes.empty());
    try {
      XlsxWorkbook::open(path);
      ADD_FAILURE() << "opened";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), c.number);
      EXPECT_EQ(e.description(), c.description);
    }
    EXPECT_EQ(file_bytes(path), bytes);
  }
  try {
    XlsxWorkbook::open(fixture("no_such_file.xlsx"));
    ADD_FAILURE() << "opened";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), err::kFileNotFound);
  }
}

}  // namespace
}  // namespace fenwarx

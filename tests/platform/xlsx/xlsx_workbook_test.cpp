#include "platform/xlsx/xlsx_workbook.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/zip_reader.hpp"
#include "support/error_of.hpp"
#include "support/test_paths.hpp"
#include "zip_test_files.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;
using testing::Parts;
using testing::scratch_dir;
using testing::slurp;

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
const std::string kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const std::string kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const std::string kRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";

std::string types(const std::string& workbook =
                      "application/vnd.openxmlformats-officedocument."
                      "spreadsheetml.sheet.main+xml") {
  return kDecl +
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
         workbook +
         "\"/>"
         "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/vnd."
         "openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/></Types>";
}

std::string rel(int id, const std::string& kind, const std::string& target) {
  return "<Relationship Id=\"rId" + std::to_string(id) + "\" Type=\"" + kRel + "/" + kind +
         "\" Target=\"" + target + "\"/>";
}

std::string sheet(const std::string& name, int id) {
  const std::string n = std::to_string(id);
  return "<sheet name=\"" + name + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
}

std::string workbook(const std::string& sheets, const std::string& pr = "<workbookPr/>") {
  return "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel + "\">" + pr + "<sheets>" + sheets +
         "</sheets><definedNames><definedName name=\"x\">Data!$A$1</definedName></definedNames>"
         "<extLst/></workbook>";
}

std::string worksheet(const std::string& rows) {
  return "<worksheet xmlns=\"" + kMain + "\"><sheetData>" + rows + "</sheetData></worksheet>";
}

// Sheets Data (related relatively) and Other (absolutely) around a chart sheet. Styles are
// 0 General, 1 builtin 14, 2 dd-mmm-yyyy, 3 0.00 with a border and bold font; 38443 is 01/04/2005.
Parts full_package(const std::string& sheets = sheet("Data", 1) + sheet("Chart", 3) +
                                               sheet("Other", 2)) {
  return {
      {"[Content_Types].xml", types()},
      {"_rels/.rels", kRels + rel(1, "officeDocument", "xl/workbook.xml") + "</Relationships>"},
      {"xl/workbook.xml", workbook(sheets)},
      {"xl/_rels/workbook.xml.rels", kRels + rel(1, "worksheet", "worksheets/sheet1.xml") +
                                         rel(2, "worksheet", "/xl/worksheets/sheet2.xml") +
                                         rel(3, "chartsheet", "chartsheets/sheet1.xml") +
                                         rel(4, "styles", "styles.xml") +
                                         rel(5, "sharedStrings", "sharedStrings.xml") +
                                         rel(6, "calcChain", "calcChain.xml") + "</Relationships>"},
      {"xl/styles.xml",
       kDecl + "<styleSheet xmlns=\"" + kMain +
           "\"><numFmts count=\"1\"><numFmt numFmtId=\"164\" "
           "formatCode=\"dd-mmm-yyyy\"/></numFmts><fonts "
           "count=\"2\"><font/><font><b/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill "
           "patternType=\"gray125\"/></fill></fills><borders count=\"2\"><border/><border><left "
           "style=\"thin\"/></border></borders><cellXfs count=\"4\"><xf numFmtId=\"0\"/><xf "
           "numFmtId="
           "\"14\"/><xf numFmtId=\"164\"/><xf numFmtId=\"2\" fontId=\"1\" "
           "borderId=\"1\"/></cellXfs>"
           "</styleSheet>"},
      {"xl/sharedStrings.xml",
       "<sst xmlns=\"" + kMain +
           "\"><si><t>PAN</t></si><si><t xml:space=\"preserve\">  </t></si></sst>"},
      {"xl/worksheets/sheet1.xml",
       worksheet("<row r=\"1\"><c r=\"A1\"><v>12.5</v></c><c r=\"B1\" t=\"s\"><v>0</v></c><c "
                 "r=\"C1\" t=\"s\"><v>1</v></c><c r=\"D1\"><f>A1*2</f><v>25</v></c></row><row "
                 "r=\"2\"><c r=\"A2\" s=\"1\"><v>38443</v></c><c r=\"B2\" s=\"2\"><v>38443</v></c>"
                 "<c r=\"C2\" s=\"3\"><v>38443</v></c><c r=\"D2\" s=\"3\"><v>1.5</v></c></row>")},
      {"xl/worksheets/sheet2.xml", worksheet("<row r=\"1\"><c r=\"A1\"><v>7</v></c></row>")},
      {"xl/chartsheets/sheet1.xml", "<chartsheet/>"},
      {"xl/calcChain.xml", "<calcChain xmlns=\"" + kMain + "\"><c r=\"D1\" i=\"1\"/></calcChain>"}};
}

// The parts with `name` replaced by `xml`, or left out when `xml` is null.
Parts with(Parts parts, const std::string& name, const char* xml) {
  std::erase_if(parts, [&](const auto& part) { return part.first == name && !xml; });
  for (auto& part : parts) part.second = part.first == name ? xml : part.second;
  return parts;
}

fs::path write_package(const fs::path& dir, const Parts& parts = full_package(),
                       const char* name = "book.xlsx") {
  testing::make_zip(dir / name, parts);
  return dir / name;
}

std::string entry(const fs::path& package, const char* name) {
  ZipReader zip(package);
  const ZipEntry* found = zip.find(name);
  return found ? zip.read(*found) : std::string("(missing)");
}

using testing::error_of;

TEST(XlsxWorkbook, ReadsValuesThroughTheSharedStringsAndStyles) {
  auto book = XlsxWorkbook::open(write_package(scratch_dir()));
  EXPECT_EQ(book->sheet_names(), (std::vector<std::string>{"Data", "Other"}));  // no chart sheet
  EXPECT_FALSE(book->macro_enabled() || book->modified());
  Worksheet& data = book->Worksheets("Data");
  struct Case {
    int row, column;
    Variant value;
  };
  for (const Case& c :
       {Case{1, 1, Variant::number(12.5)}, Case{1, 2, Variant::text("PAN")},
        Case{1, 3, Variant::text("  ")},  // a blank shared string survives
        Case{1, 4, Variant::number(25)}, Case{1, 5, Variant()}, Case{2, 1, Variant::date(38443)},
        Case{2, 2, Variant::date(38443)}, Case{2, 3, Variant::number(38443)}})
    EXPECT_EQ(data.Cells(c.row, c.column).Value(), c.value) << c.row << "," << c.column;
  EXPECT_EQ(data.Cells(2, 1).Text(), "01/04/2005");
  EXPECT_EQ(data.Cells(2, 3).Text(), "38443.00");
  EXPECT_EQ(book->Worksheets("Other").Cells(1, 1).Value(), Variant::number(7));
}

TEST(XlsxWorkbook, ReadsAMacroEnabled1904WorkbookAndFindsSheetsByName) {
  // Names differing only in case are not valid, but a file may hold them.
  const std::string macro = types("application/vnd.ms-excel.sheet.macroEnabled.main+xml");
  const std::string sheets =
      workbook(sheet("DATA", 1) + sheet("Data", 2), "<workbookPr date1904=\"1\"/>");
  auto book = XlsxWorkbook::open(
      write_package(scratch_dir(),
                    with(with(full_package(), "[Content_Types].xml", macro.c_str()),
                         "xl/workbook.xml", sheets.c_str()),
                    "m.xlsm"));
  EXPECT_TRUE(book->macro_enabled());
  EXPECT_EQ(book->sheet(0).Cells(2, 1).Value(), Variant::date(38443 + 1462));
  EXPECT_EQ(book->find_sheet("Data"), &book->sheet(1));
  EXPECT_EQ(book->find_sheet("data"), &book->sheet(0));
  EXPECT_EQ(book->find_sheet("Chart"), nullptr);
  EXPECT_EQ(error_of([&] { book->sheet(2); }), "9 Subscript out of range");
}

TEST(XlsxWorkbook, TellsWhichPartIsMissingOrMalformedAndLeavesTheFile) {
  const Parts full = full_package();
  const std::string damaged = "1004 book.xlsx is damaged: part ";
  const std::string no_rels = kRels + "</Relationships>";
  // clang-format off
  std::vector<std::pair<Parts, std::string>> cases = {
      {with(full, "_rels/.rels", no_rels.c_str()), damaged + "officeDocument relationship is missing"},
      {with(full, "xl/styles.xml", "<styleSheet"),
       "1004 xl/styles.xml is not well-formed XML at byte 10: Error parsing start element tag"}};
  for (const char* part : {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                           "xl/worksheets/sheet2.xml", "xl/sharedStrings.xml"})
    cases.emplace_back(with(full, part, nullptr), damaged + part + " is missing");
  for (const auto& [parts, error] : cases) {
    const fs::path path = write_package(scratch_dir(), parts);
    const std::string before = slurp(path);
    EXPECT_EQ(error_of([&] { XlsxWorkbook::open(path); }), error);
    EXPECT_EQ(slurp(path), before);
  }
  // clang-format on
}

TEST(XlsxWorkbook, WorksWithoutStylesOrSharedStrings) {
  const std::string rels =
      kRels + rel(1, "worksheet", "worksheets/sheet2.xml") + "</Relationships>";
  const Parts parts =
      with(full_package(sheet("Data", 1)), "xl/_rels/workbook.xml.rels", rels.c_str());
  const fs::path dir = scratch_dir(), styled = dir / "styled.xlsx";
  auto book = XlsxWorkbook::open(write_package(
      dir, with(with(parts, "xl/styles.xml", nullptr), "xl/sharedStrings.xml", nullptr)));
  EXPECT_EQ(book->Worksheets("Data").Cells(1, 1).NumberFormat(), "General");
  book->Worksheets("Data").Cells(1, 1).SetInteriorColor(kColorError);
  book->save_as(styled);
  EXPECT_EQ(XlsxWorkbook::open(styled)->Worksheets("Data").Cells(1, 1).InteriorColor(),
            kColorError);
  EXPECT_NE(entry(styled, "[Content_Types].xml").find("/xl/styles.xml"), std::string::npos);
}

TEST(XlsxWorkbook, SavingRewritesOnlyTheChangedParts) {
  const fs::path dir = scratch_dir(), out = dir / "out.xlsx";
  const fs::path source = write_package(dir);
  auto book = XlsxWorkbook::open(source);
  book->save_as(dir / "same.xlsx");
  EXPECT_EQ(slurp(dir / "same.xlsx"), slurp(source));  // an unchanged book copies every entry
  Worksheet& data = book->Worksheets("Data");
  for (int column : {3, 4}) data.Cells(2, column).SetInteriorColor(kColorError);  // one new xf
  data.Cells(1, 1).SetNumberFormat("0.00");
  data.Cells(1, 2).SetNumberFormat("dd-mmm-yyyy");
  data.Cells(1, 4).SetValue(Variant::number(3));  // over a formula: the calculation chain goes
  EXPECT_TRUE(book->modified());
  book->save_as(out);

  const std::string styles = entry(out, "xl/styles.xml");
  EXPECT_EQ(styles.find(kDecl + "<styleSheet"), 0u);
  EXPECT_NE(styles.find("<cellXfs count=\"7\">"), std::string::npos) << styles;
  EXPECT_EQ(entry(out, "xl/calcChain.xml"), "(missing)");
  for (const char* part : {"xl/_rels/workbook.xml.rels", "[Content_Types].xml"})
    EXPECT_EQ(entry(out, part).find("calcChain"), std::string::npos) << part;
  EXPECT_NE(entry(out, "xl/workbook.xml").find("<calcPr fullCalcOnLoad=\"1\"/>"),
            std::string::npos);
  ZipReader before(source), after(out);
  ASSERT_EQ(after.entries().size(), before.entries().size() - 1);  // the chain was the last
  for (std::size_t i = 0; i < after.entries().size(); ++i)
    EXPECT_EQ(after.entries()[i].name, before.entries()[i].name);  // in the source's order
  for (const char* name : {"_rels/.rels", "xl/sharedStrings.xml", "xl/worksheets/sheet2.xml"})
    EXPECT_EQ(before.read_raw(*before.find(name)), after.read_raw(*after.find(name))) << name;

  auto again = XlsxWorkbook::open(out);
  Worksheet& read = again->Worksheets("Data");
  for (int column : {3, 4}) EXPECT_EQ(read.Cells(2, column).InteriorColor(), kColorError);
  EXPECT_EQ(read.Cells(2, 3).NumberFormat(), "0.00");
  EXPECT_EQ(read.Cells(2, 1).InteriorColor(), kColorNone);
  EXPECT_EQ(read.Cells(1, 1).NumberFormat(), "0.00");
  EXPECT_EQ(read.Cells(1, 2).NumberFormat(), "dd-mmm-yyyy");
  EXPECT_EQ(read.Cells(1, 4).Value(), Variant::number(3));
}

TEST(XlsxWorkbook, SavesAsACopyThenInPlace) {
  const fs::path dir = scratch_dir();
  const fs::path source = write_package(dir);
  const std::string before = slurp(source);
  auto book = XlsxWorkbook::open(source);
  Worksheet& data = book->Worksheets("Data");
  data.Cells(5, 1).SetValue(Variant::number(5));
  book->save_as(dir / "copy.xlsx");
  for (int row : {6, 7}) {  // the sheets keep their parts: every edit is written
    data.Cells(row, 1).SetValue(Variant::number(row));
    book->save();
  }
  EXPECT_EQ(book->path(), dir / "copy.xlsx");
  EXPECT_EQ(slurp(source), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
  auto again = XlsxWorkbook::open(dir / "copy.xlsx");
  for (int row : {5, 6, 7})
    EXPECT_EQ(again->Worksheets("Data").Cells(row, 1).Value(), Variant::number(row));
  EXPECT_EQ(again->Worksheets("Data").Cells(1, 2).Value(), Variant::text("PAN"));
}

// What a created workbook holds is read back by the real readers; here, that it opens alike.
TEST(XlsxWorkbook, CreatedWorkbookSavesAndOpensAlike) {
  auto book = XlsxWorkbook::create({"Deductor", "Challan & Deductee"});
  EXPECT_EQ(error_of([&] { book->save(); }), "5 A new workbook is saved with save_as first");
  Worksheet& sheet = book->Worksheets("Challan & Deductee");
  sheet.Cells(2, 1).SetValue(Variant::date(38443));
  sheet.Cells(2, 1).SetInteriorColor(kColorError);
  const fs::path path = scratch_dir() / "new.xlsx";
  book->save_as(path);
  auto again = XlsxWorkbook::open(path);
  EXPECT_EQ(again->sheet_names(), (std::vector<std::string>{"Deductor", "Challan & Deductee"}));
  EXPECT_EQ(again->Worksheets("Challan & Deductee").Cells(2, 1).Value(), Variant::date(38443));
  EXPECT_EQ(again->Worksheets("Challan & Deductee").Cells(2, 1).InteriorColor(), kColorError);
}

}  // namespace
}  // namespace fenwarx

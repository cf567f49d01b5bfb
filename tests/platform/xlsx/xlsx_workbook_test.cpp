#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "platform/xlsx/zip_reader.hpp"
#include "support/test_paths.hpp"
#include "zip_test_files.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;
using testing::Parts;
using testing::make_zip;
using testing::scratch_dir;
using testing::slurp;

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
const std::string kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const std::string kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const std::string kType = "application/vnd.openxmlformats-officedocument.spreadsheetml.";

std::string types(const std::string& workbook_type = kType + "sheet.main+xml") {
  return kDecl +
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" ContentType=\"application/"
         "vnd.openxmlformats-package.relationships+xml\"/>"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
         "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + workbook_type + "\"/>"
         "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" + kType +
         "worksheet+xml\"/><Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"" +
         kType + "worksheet+xml\"/><Override PartName=\"/xl/styles.xml\" ContentType=\"" +
         kType + "styles+xml\"/><Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" +
         kType + "sharedStrings+xml\"/><Override PartName=\"/xl/calcChain.xml\" ContentType=\"" +
         kType + "calcChain+xml\"/></Types>";
}

const std::string kPackageRels =
    kDecl +
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"" + kRel + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/"
    "relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/></Relationships>";

std::string workbook(const std::string& pr = "<workbookPr/>") {
  return kDecl + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel + "\">" + pr +
         "<sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/>"
         "<sheet name=\"Chart\" sheetId=\"3\" r:id=\"rId3\"/>"
         "<sheet name=\"Other\" sheetId=\"2\" r:id=\"rId2\"/></sheets>"
         "<definedNames><definedName name=\"x\">Data!$A$1</definedName></definedNames>"
         "<extLst/></workbook>";
}

// The first worksheet is related relatively, the second absolutely.
const std::string kWorkbookRels =
    kDecl +
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"" + kRel + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"" + kRel + "/worksheet\" "
    "Target=\"/xl/worksheets/sheet2.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"" + kRel + "/chartsheet\" "
    "Target=\"chartsheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId4\" Type=\"" + kRel + "/styles\" Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId5\" Type=\"" + kRel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
    "<Relationship Id=\"rId6\" Type=\"" + kRel + "/calcChain\" Target=\"calcChain.xml\"/>"
    "</Relationships>";

// 0 General, 1 builtin 14, 2 dd-mmm-yyyy, 3 [$-409]d/m/yy;@, 4 0.00 with a border and bold font.
const std::string kStyles =
    kDecl + "<styleSheet xmlns=\"" + kMain + "\">"
    "<numFmts count=\"2\"><numFmt numFmtId=\"164\" formatCode=\"dd-mmm-yyyy\"/>"
    "<numFmt numFmtId=\"165\" formatCode=\"[$-409]d/m/yy;@\"/></numFmts>"
    "<fonts count=\"2\"><font><sz val=\"11\"/></font><font><b/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"2\"><border/><border><left style=\"thin\"/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf/></cellStyleXfs><cellXfs count=\"5\">"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"14\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"165\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"2\" fontId=\"1\" fillId=\"0\" borderId=\"1\" xfId=\"0\"/></cellXfs>"
    "</styleSheet>";

const std::string kStrings = kDecl + "<sst xmlns=\"" + kMain +
                             "\" count=\"2\" uniqueCount=\"2\"><si><t>PAN</t></si>"
                             "<si><t xml:space=\"preserve\">  </t></si></sst>";

// 38443 is 01/04/2005.
const std::string kSheet1 =
    kDecl + "<worksheet xmlns=\"" + kMain + "\"><sheetData>"
    "<row r=\"1\"><c r=\"A1\"><v>12.5</v></c><c r=\"B1\" t=\"s\"><v>0</v></c>"
    "<c r=\"C1\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> in line </t></is></c>"
    "<c r=\"D1\" t=\"b\"><v>1</v></c><c r=\"E1\" t=\"e\"><v>#N/A</v></c>"
    "<c r=\"F1\"><f>A1*2</f><v>25</v></c><c r=\"G1\" t=\"s\"><v>1</v></c></row>"
    "<row r=\"2\"><c r=\"A2\" s=\"1\"><v>38443</v></c><c r=\"B2\" s=\"2\"><v>38443</v></c>"
    "<c r=\"C2\" s=\"3\"><v>38443</v></c><c r=\"D2\" s=\"4\"><v>38443</v></c></row>"
    "<row r=\"3\"><c r=\"A3\" s=\"4\"><v>1234.5</v></c></row>"
    "</sheetData></worksheet>";

const std::string kSheet2 = kDecl + "<worksheet xmlns=\"" + kMain +
                            "\"><sheetData><row r=\"1\"><c r=\"A1\"><v>7</v></c></row>"
                            "</sheetData></worksheet>";

Parts full_package(const std::string& workbook_xml = workbook()) {
  return {{"[Content_Types].xml", types()},
          {"_rels/.rels", kPackageRels},
          {"docProps/core.xml", "<cp:coreProperties xmlns:cp=\"urn:core\"/>"},
          {"xl/workbook.xml", workbook_xml},
          {"xl/_rels/workbook.xml.rels", kWorkbookRels},
          {"xl/styles.xml", kStyles},
          {"xl/sharedStrings.xml", kStrings},
          {"xl/worksheets/sheet1.xml", kSheet1},
          {"xl/worksheets/sheet2.xml", kSheet2},
          {"xl/chartsheets/sheet1.xml", "<chartsheet/>"},
          {"xl/calcChain.xml",
           "<calcChain xmlns=\"" + kMain + "\"><c r=\"F1\" i=\"1\"/></calcChain>"}};
}

Parts without(Parts parts, const std::string& name) {
  std::erase_if(parts, [&](const auto& part) { return part.first == name; });
  return parts;
}

Parts replacing(Parts parts, const std::string& name, const std::string& xml) {
  for (auto& part : parts)
    if (part.first == name) part.second = xml;
  return parts;
}

fs::path write_package(const fs::path& dir, const Parts& parts, const char* name = "book.xlsx") {
  fs::path path = dir / name;
  make_zip(path, parts);
  return path;
}

std::string entry(const fs::path& package, const char* name) {
  ZipReader zip(package);
  const ZipEntry* found = zip.find(name);
  return found ? zip.read(*found) : std::string("(missing)");
}

std::vector<std::string> entry_names(const fs::path& package) {
  ZipReader zip(package);
  std::vector<std::string> names;
  for (const auto& e : zip.entries()) names.push_back(e.name);
  return names;
}

std::size_t occurrences(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

std::string error_of(auto&& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return std::to_string(e.number()) + " " + e.description();
  }
  return "no error";
}

TEST(XlsxWorkbook, ReadsEveryValueKind) {
  auto book = XlsxWorkbook::open(write_package(scratch_dir(), full_package()));
  EXPECT_EQ(book->sheet_names(), (std::vector<std::string>{"Data", "Other"}));  // no chart sheet
  EXPECT_FALSE(book->macro_enabled());
  EXPECT_FALSE(book->modified());
  Worksheet& data = book->Worksheets("Data");
  EXPECT_EQ(data.Cells(1, 1).Value(), Variant::number(12.5));
  EXPECT_EQ(data.Cells(1, 2).Value(), Variant::text("PAN"));
  EXPECT_EQ(data.Cells(1, 3).Value(), Variant::text(" in line "));
  EXPECT_EQ(data.Cells(1, 4).Value(), Variant::boolean(true));
  EXPECT_EQ(data.Cells(1, 5).Value(), Variant::error(cell_error::kNA));
  EXPECT_EQ(data.Cells(1, 6).Value(), Variant::number(25));
  EXPECT_EQ(data.Cells(1, 7).Value(), Variant::text("  "));  // a blank shared string survives
  EXPECT_TRUE(data.Cells(1, 8).Value().is_empty());
  EXPECT_EQ(book->Worksheets("Other").Cells(1, 1).Value(), Variant::number(7));
}

TEST(XlsxWorkbook, DatesFollowTheNumberFormat) {
  auto book = XlsxWorkbook::open(write_package(scratch_dir(), full_package()));
  Worksheet& data = book->Worksheets("Data");
  for (int column : {1, 2, 3}) {
    EXPECT_EQ(data.Cells(2, column).Value(), Variant::date(38443)) << column;
  }
  EXPECT_EQ(data.Cells(2, 4).Value(), Variant::number(38443));
  EXPECT_EQ(data.Cells(2, 1).Text(), "01/04/2005");
  EXPECT_EQ(data.Cells(2, 4).Text(), "38443.00");
  EXPECT_EQ(data.Cells(2, 2).NumberFormat(), "dd-mmm-yyyy");
}

TEST(XlsxWorkbook, ReadsA1904Workbook) {
  auto book = XlsxWorkbook::open(
      write_package(scratch_dir(), full_package(workbook("<workbookPr date1904=\"1\"/>"))));
  Worksheet& data = book->Worksheets("Data");
  EXPECT_TRUE(data.date1904());
  EXPECT_EQ(data.Cells(2, 1).Value(), Variant::date(38443 + 1462));
}

TEST(XlsxWorkbook, FindsSheetsExactlyThenIgnoringCase) {
  // Names differing only in case are not valid, but a file may hold them.
  const std::string names = kDecl + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel +
                            "\"><sheets><sheet name=\"DATA\" sheetId=\"1\" r:id=\"rId1\"/>"
                            "<sheet name=\"Data\" sheetId=\"2\" r:id=\"rId2\"/></sheets>"
                            "</workbook>";
  auto book = XlsxWorkbook::open(write_package(scratch_dir(), full_package(names)));
  EXPECT_EQ(book->find_sheet("Data"), &book->sheet(1));
  EXPECT_EQ(book->find_sheet("DATA"), &book->sheet(0));
  EXPECT_EQ(book->find_sheet("data"), &book->sheet(0));
  EXPECT_EQ(book->find_sheet("Chart"), nullptr);
  EXPECT_EQ(error_of([&] { book->sheet(2); }), "9 Subscript out of range");
}

TEST(XlsxWorkbook, TellsWhichPartIsMissingOrMalformed) {
  struct Case {
    Parts parts;
    std::string error;
  };
  const Parts full = full_package();
  const std::string no_office =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>";
  for (const Case& c : {
           Case{without(full, "[Content_Types].xml"),
                "1004 book.xlsx is damaged: part [Content_Types].xml is missing"},
           Case{without(full, "_rels/.rels"),
                "1004 book.xlsx is damaged: part _rels/.rels is missing"},
           Case{replacing(full, "_rels/.rels", no_office),
                "1004 book.xlsx is damaged: part officeDocument relationship is missing"},
           Case{without(full, "xl/workbook.xml"),
                "1004 book.xlsx is damaged: part xl/workbook.xml is missing"},
           Case{without(full, "xl/_rels/workbook.xml.rels"),
                "1004 book.xlsx is damaged: part xl/_rels/workbook.xml.rels is missing"},
           Case{without(full, "xl/worksheets/sheet2.xml"),
                "1004 book.xlsx is damaged: part xl/worksheets/sheet2.xml is missing"},
           Case{without(full, "xl/sharedStrings.xml"),
                "1004 book.xlsx is damaged: part xl/sharedStrings.xml is missing"},
           Case{replacing(full, "xl/workbook.xml", "<workbook><sheets></workbook>"),
                "1004 xl/workbook.xml is not well-formed XML at byte 20: Start-end tags "
                "mismatch"},
           Case{replacing(full, "xl/styles.xml", "<styleSheet"),
                "1004 xl/styles.xml is not well-formed XML at byte 10: Error parsing start "
                "element tag"},
       }) {
    fs::path path = write_package(scratch_dir(), c.parts);
    const std::string before = slurp(path);
    EXPECT_EQ(error_of([&] { XlsxWorkbook::open(path); }), c.error);
    EXPECT_EQ(slurp(path), before);
  }
  EXPECT_EQ(error_of([] { XlsxWorkbook::open(scratch_dir() / "absent.xlsx"); }).substr(0, 3),
            "53 ");
}

TEST(XlsxWorkbook, WorksWithoutStylesOrSharedStrings) {
  Parts parts = full_package();
  parts = replacing(parts, "xl/_rels/workbook.xml.rels",
                    kDecl + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/"
                            "2006/relationships\"><Relationship Id=\"rId1\" Type=\"" + kRel +
                        "/worksheet\" Target=\"worksheets/sheet2.xml\"/></Relationships>");
  parts = without(without(parts, "xl/styles.xml"), "xl/sharedStrings.xml");
  parts = replacing(parts, "xl/workbook.xml",
                    kDecl + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel +
                        "\"><sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/>"
                        "</sheets></workbook>");
  const fs::path dir = scratch_dir();
  auto book = XlsxWorkbook::open(write_package(dir, parts));
  ASSERT_EQ(book->sheet_names(), std::vector<std::string>{"Data"});
  Worksheet& data = book->Worksheets("Data");
  EXPECT_EQ(data.Cells(1, 1).NumberFormat(), "General");
  data.Cells(1, 1).SetInteriorColor(kColorError);
  book->save_as(dir / "styled.xlsx");

  auto again = XlsxWorkbook::open(dir / "styled.xlsx");
  EXPECT_EQ(again->Worksheets("Data").Cells(1, 1).InteriorColor(), kColorError);
  EXPECT_NE(entry(dir / "styled.xlsx", "[Content_Types].xml").find("/xl/styles.xml"),
            std::string::npos);
}

TEST(XlsxWorkbook, RestylingAddsOneFillAndOneXfPerChange) {
  const fs::path dir = scratch_dir();
  auto book = XlsxWorkbook::open(write_package(dir, full_package()));
  Worksheet& data = book->Worksheets("Data");
  data.Cells(3, 1).SetInteriorColor(kColorError);   // the bordered, bold 0.00 cell
  data.Cells(2, 4).SetInteriorColor(kColorError);   // same style, same colour: same xf
  data.Cells(1, 1).SetInteriorColor(kColorError);   // another style, same fill
  data.Cells(1, 1).SetNumberFormat("0.00");         // builtin 2
  data.Cells(1, 2).SetNumberFormat("dd-mmm-yyyy");  // the existing custom 164
  EXPECT_TRUE(book->modified());
  book->save_as(dir / "out.xlsx");

  const std::string styles = entry(dir / "out.xlsx", "xl/styles.xml");
  EXPECT_NE(styles.find("<fills count=\"3\">"), std::string::npos) << styles;
  EXPECT_EQ(occurrences(styles, "<fill>"), 3u);
  EXPECT_NE(styles.find("<fgColor rgb=\"FFFF0000\"/>"), std::string::npos);
  EXPECT_NE(styles.find("<cellXfs count=\"9\">"), std::string::npos) << styles;
  EXPECT_NE(styles.find("<xf numFmtId=\"2\" fontId=\"1\" fillId=\"2\" borderId=\"1\" xfId=\"0\" "
                        "applyFill=\"1\"/>"),
            std::string::npos);
  EXPECT_NE(styles.find("<numFmts count=\"2\">"), std::string::npos);
  EXPECT_EQ(styles.find(kDecl), 0u);

  auto again = XlsxWorkbook::open(dir / "out.xlsx");
  Worksheet& read = again->Worksheets("Data");
  EXPECT_EQ(read.Cells(3, 1).InteriorColor(), kColorError);
  EXPECT_EQ(read.Cells(3, 1).NumberFormat(), "0.00");
  EXPECT_EQ(read.Cells(1, 1).InteriorColor(), kColorError);
  EXPECT_EQ(read.Cells(1, 1).NumberFormat(), "0.00");
  EXPECT_EQ(read.Cells(1, 2).NumberFormat(), "dd-mmm-yyyy");
  EXPECT_EQ(read.Cells(2, 1).InteriorColor(), kColorNone);
}

TEST(XlsxWorkbook, OverwritingAFormulaDropsTheCalculationChain) {
  const fs::path dir = scratch_dir();
  auto book = XlsxWorkbook::open(write_package(dir, full_package()));
  book->Worksheets("Data").Cells(1, 6).SetValue(Variant::number(3));
  book->save_as(dir / "out.xlsx");

  const auto names = entry_names(dir / "out.xlsx");
  EXPECT_EQ(std::count(names.begin(), names.end(), "xl/calcChain.xml"), 0);
  EXPECT_EQ(names.size(), full_package().size() - 1);
  EXPECT_EQ(entry(dir / "out.xlsx", "xl/_rels/workbook.xml.rels").find("calcChain"),
            std::string::npos);
  EXPECT_EQ(entry(dir / "out.xlsx", "[Content_Types].xml").find("calcChain"), std::string::npos);
  EXPECT_NE(entry(dir / "out.xlsx", "xl/workbook.xml")
                .find("</definedNames><calcPr fullCalcOnLoad=\"1\"/><extLst/>"),
            std::string::npos);
  EXPECT_EQ(XlsxWorkbook::open(dir / "out.xlsx")->Worksheets("Data").Cells(1, 6).Value(),
            Variant::number(3));
}

TEST(XlsxWorkbook, UntouchedEntriesAreCopiedByteForByte) {
  const fs::path dir = scratch_dir();
  const fs::path source = write_package(dir, full_package());
  auto book = XlsxWorkbook::open(source);
  book->Worksheets("Other").Cells(2, 1).SetValue(Variant::text("new"));
  book->save_as(dir / "out.xlsx");

  ZipReader before(source), after(dir / "out.xlsx");
  ASSERT_EQ(after.entries().size(), before.entries().size());
  for (std::size_t i = 0; i < before.entries().size(); ++i) {
    const ZipEntry& a = before.entries()[i];
    const ZipEntry& b = after.entries()[i];
    EXPECT_EQ(a.name, b.name);
    if (a.name == "xl/worksheets/sheet2.xml")
      EXPECT_NE(before.read(a), after.read(b));
    else
      EXPECT_EQ(before.read_raw(a), after.read_raw(b)) << a.name;
  }
}

TEST(XlsxWorkbook, SavingInPlaceReplacesTheFile) {
  const fs::path dir = scratch_dir();
  const fs::path path = write_package(dir, full_package());
  auto book = XlsxWorkbook::open(path);
  book->Worksheets("Data").Cells(5, 1).SetValue(Variant::text("first"));
  book->save();
  book->Worksheets("Data").Cells(6, 1).SetValue(Variant::text("second"));
  book->save();  // the sheets keep their parts: both edits are written
  EXPECT_EQ(book->path(), path);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

  auto again = XlsxWorkbook::open(path);
  Worksheet& data = again->Worksheets("Data");
  EXPECT_EQ(data.Cells(5, 1).Value(), Variant::text("first"));
  EXPECT_EQ(data.Cells(6, 1).Value(), Variant::text("second"));
  EXPECT_EQ(data.Cells(1, 2).Value(), Variant::text("PAN"));
}

TEST(XlsxWorkbook, SaveAsLeavesTheSourceUntouched) {
  const fs::path dir = scratch_dir();
  const fs::path source = write_package(dir, full_package());
  const std::string before = slurp(source);
  auto book = XlsxWorkbook::open(source);
  book->Worksheets("Data").Cells(1, 1).SetValue(Variant::number(99));
  book->Worksheets("Data").Cells(1, 1).SetInteriorColor(kColorError);
  book->save_as(dir / "copy.xlsx");
  EXPECT_EQ(book->path(), dir / "copy.xlsx");
  EXPECT_EQ(slurp(source), before);
  EXPECT_EQ(error_of([&] { book->save_as(dir / "no such folder" / "x.xlsx"); }).substr(0, 3),
            "76 ");
  EXPECT_EQ(XlsxWorkbook::open(dir / "copy.xlsx")->Worksheets("Data").Cells(1, 1).Value(),
            Variant::number(99));
}

TEST(XlsxWorkbook, UnchangedSaveCopiesEveryEntry) {
  const fs::path dir = scratch_dir();
  const fs::path source = write_package(dir, full_package());
  auto book = XlsxWorkbook::open(source);
  book->save_as(dir / "same.xlsx");
  EXPECT_EQ(slurp(dir / "same.xlsx"), slurp(source));
}

TEST(XlsxWorkbook, KnowsAMacroEnabledWorkbook) {
  Parts parts = replacing(full_package(), "[Content_Types].xml",
                          types("application/vnd.ms-excel.sheet.macroEnabled.main+xml"));
  EXPECT_TRUE(XlsxWorkbook::open(write_package(scratch_dir(), parts, "m.xlsm"))->macro_enabled());
}

TEST(XlsxWorkbook, CreatedWorkbookSavesAndOpensAlike) {
  const fs::path dir = scratch_dir();
  auto book = XlsxWorkbook::create({"Deductor", "Challan & Deductee"});
  EXPECT_TRUE(book->path().empty());
  EXPECT_EQ(error_of([&] { book->save(); }),
            "5 A new workbook is saved with save_as first");
  Worksheet& sheet = book->Worksheets("Challan & Deductee");
  sheet.Cells(1, 1).SetValue(Variant::text("ABCD12345E"));
  sheet.Cells(2, 1).SetValue(Variant::number(1500.25));
  sheet.Cells(3, 1).SetValue(Variant::date(38443));
  sheet.Cells(2, 1).SetInteriorColor(kColorError);
  book->save_as(dir / "new.xlsx");

  auto again = XlsxWorkbook::open(dir / "new.xlsx");
  EXPECT_EQ(again->sheet_names(), (std::vector<std::string>{"Deductor", "Challan & Deductee"}));
  Worksheet& read = again->Worksheets("Challan & Deductee");
  EXPECT_EQ(read.Cells(1, 1).Value(), Variant::text("ABCD12345E"));
  EXPECT_EQ(read.Cells(2, 1).Value(), Variant::number(1500.25));
  EXPECT_EQ(read.Cells(2, 1).InteriorColor(), kColorError);
  EXPECT_EQ(read.Cells(3, 1).Value(), Variant::date(38443));
  EXPECT_TRUE(again->Worksheets("Deductor").Cells(1, 1).Value().is_empty());
  EXPECT_EQ(error_of([] { XlsxWorkbook::create({"A", "a"}); }),
            "5 The sheet name 'a' is used twice");
}

}  // namespace
}  // namespace fenwarx

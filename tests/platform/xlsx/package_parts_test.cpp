#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <sstream>
#include <string>

#include "platform/spreadsheet/cell_store.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/content_types.hpp"
#include "platform/xlsx/new_package.hpp"
#include "platform/xlsx/relationships.hpp"
#include "platform/xlsx/shared_strings.hpp"
#include "platform/xlsx/styles_part.hpp"
#include "platform/xlsx/workbook_part.hpp"
#include "support/error_of.hpp"

namespace fenwarx {
namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const std::string kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const std::string kStrict = "http://purl.oclc.org/ooxml/spreadsheetml/main";
const std::string kRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";

using testing::error_of;

const std::string kOpen = "<styleSheet xmlns=\"" + kMain + "\">";

std::string xf(int format, int font, int fill, int border, const std::string& end = "/>") {
  return "<xf numFmtId=\"" + std::to_string(format) + "\" fontId=\"" + std::to_string(font) +
         "\" fillId=\"" + std::to_string(fill) + "\" borderId=\"" + std::to_string(border) +
         "\" xfId=\"0\"" + end;
}

// Styles as a workbook saved by a spreadsheet application might hold them:
// 0 General, 1 builtin 14, 2 custom dd-mmm-yyyy, 3 custom with a locale prefix,
// 4 0.00 with a border, bold font and alignment, 5 red rgb fill, 6 indexed fill,
// 7 theme fill, 8 gray125, 9 unknown builtin id, 10 builtin 46.
const std::string kBorder = " applyBorder=\"1\"";
const std::string kAligned = "><alignment horizontal=\"center\"/><protection locked=\"0\"/></xf>";
const std::string kStyles =
    kDecl + kOpen +
    "<numFmts count=\"3\"><numFmt numFmtId=\"164\" formatCode=\"dd-mmm-yyyy\"/><numFmt numFmtId="
    "\"170\" formatCode=\"[$-409]d/m/yy;@\"/><numFmt numFmtId=\"171\" formatCode=\"0.000\"/>"
    "</numFmts><fonts count=\"2\"><font><sz val=\"11\"/></font><font><b/></font></fonts><fills "
    "count=\"5\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType="
    "\"gray125\"/></fill><fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFFF0000\"/>"
    "<bgColor indexed=\"64\"/></patternFill></fill><fill><patternFill patternType=\"solid\">"
    "<fgColor indexed=\"13\"/></patternFill></fill><fill><patternFill patternType=\"solid\">"
    "<fgColor theme=\"4\" tint=\"-0.5\"/></patternFill></fill></fills><borders count=\"2\">"
    "<border/><border><left style=\"thin\"/></border></borders><cellStyleXfs count=\"1\"><xf "
    "numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
    "<cellXfs count=\"11\">" +
    xf(0, 0, 0, 0) + xf(14, 0, 0, 0) + xf(164, 0, 0, 0) + xf(170, 0, 0, 0) +
    xf(2, 1, 0, 1, kBorder + kAligned) + xf(0, 0, 2, 0) + xf(0, 0, 3, 0) + xf(0, 0, 4, 0) +
    xf(0, 0, 1, 0) + xf(99, 0, 0, 0) + xf(46, 0, 0, 0) +
    "</cellXfs><cellStyles "
    "count=\"1\">"
    "<cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles><dxfs count=\"0\"/>"
    "</styleSheet>";

// The items of a section of the written part; their number must match its count attribute.
std::vector<std::string> section(const XlsxStyleBook& book, const char* name) {
  pugi::xml_document doc;
  doc.load_string(book.write().c_str());
  std::vector<std::string> items;
  for (auto item : doc.document_element().child(name).children()) {
    std::ostringstream out;
    item.print(out, "", pugi::format_raw);
    items.push_back(out.str());
  }
  EXPECT_EQ(doc.document_element().child(name).attribute("count").as_uint(), items.size()) << name;
  return items;
}

TEST(Relationships, ResolvesTargetsAgainstTheSourceFolder) {
  struct Case {
    std::string source, target, part;
  };
  const char *wb = "xl/workbook.xml", *ws = "xl/worksheets/sheet1.xml";
  for (const Case& c :
       {Case{"", wb, wb}, Case{"", "/xl/workbook.xml", wb}, Case{wb, "worksheets/sheet1.xml", ws},
        Case{wb, "/" + std::string(ws), ws}, Case{wb, "./styles.xml", "xl/styles.xml"},
        Case{"w.xml", "s/a", "s/a"}, Case{wb, "../customXml/a.xml", "customXml/a.xml"},
        Case{"a/b/c.xml", "../../d.xml", "d.xml"}})
    EXPECT_EQ(resolve_target(c.source, c.target), c.part) << c.source << " + " << c.target;
}

TEST(Relationships, FindsRemovesAndAddsByKind) {
  const std::string worksheet =  // a kind in the other namespace
      "<Relationship Id=\"rId1\" Type=\"http://purl.oclc.org/ooxml/officeDocument/relationships/"
      "worksheet\" Target=\"worksheets/sheet1.xml\"/>";
  const std::string external =
      "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
      "relationships/externalLinkPath\" Target=\"file:///c:/x.xlsx\" TargetMode=\"External\"/>";
  Relationships rels("xl/_rels/workbook.xml.rels",
                     kRels + worksheet +
                         "<Relationship Id=\"rId2\" Type=\"t/sharedStrings\" "
                         "Target=\"/xl/sharedStrings.xml\"/>" +
                         external + "</Relationships>",
                     "xl/workbook.xml");
  auto part = [&](const Relationship* r) { return r ? r->part : "(none)"; };
  EXPECT_EQ(part(rels.find_kind("worksheet")), "xl/worksheets/sheet1.xml");
  EXPECT_EQ(part(rels.find_kind("sharedStrings")), "xl/sharedStrings.xml");
  EXPECT_EQ(part(rels.find_kind("Strings")), "(none)");  // a whole path segment, not a suffix
  EXPECT_EQ(part(rels.find_id("rId3")), "");
  EXPECT_EQ(part(rels.find_id("rId9")), "(none)");
  EXPECT_FALSE(rels.changed());
  rels.remove("rId2");
  EXPECT_EQ(part(rels.find_kind("sharedStrings")), "(none)");
  EXPECT_EQ(rels.add("t/styles", "styles.xml"), "rId4");  // after the highest
  EXPECT_EQ(part(rels.find_kind("styles")), "xl/styles.xml");
  EXPECT_EQ(rels.write(), kRels + worksheet + external +
                              "<Relationship Id=\"rId4\" "
                              "Type=\"t/styles\" Target=\"styles.xml\"/></Relationships>");
}

TEST(ContentTypes, OverridesComeBeforeDefaultsAndIgnoreCase) {
  ContentTypes types(kDecl +
                     "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                     "content-types\"><Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                     "<Override PartName=\"/xl/Workbook.xml\" ContentType=\"wb\"/><Override "
                     "PartName=\"/xl/calcChain.xml\" ContentType=\"cc\"/></Types>");
  EXPECT_EQ(types.of("xl/workbook.xml"), "wb");
  EXPECT_EQ(types.of("/xl/workbook.xml"), "wb");
  EXPECT_EQ(types.of("xl/other.XML"), "application/xml");
  EXPECT_EQ(types.of("xl/noextension"), "");
  types.remove_override("xl/calcChain.xml");
  EXPECT_EQ(types.of("xl/calcChain.xml"), "application/xml");
  EXPECT_TRUE(types.changed());
  EXPECT_EQ(types.write().find(kDecl), 0u);  // the declaration survives a rewrite
}

TEST(WorkbookPart, ReadsTheDateSystem) {
  for (const auto& [pr, date1904] : {std::pair{"<workbookPr date1904=\"1\"/>", true},
                                     {"<workbookPr date1904=\"true\"/>", true},
                                     {"<workbookPr date1904=\"0\"/>", false},
                                     {"<workbookPr/>", false},
                                     {"", false}}) {
    const std::string xml = "<workbook xmlns=\"" + kMain + "\">" + pr + "</workbook>";
    EXPECT_EQ(WorkbookPart("xl/workbook.xml", xml).date1904(), date1904) << pr;
  }
}

TEST(WorkbookPart, FullCalcOnLoadGoesWhereTheSchemaPutsCalcPr) {
  const std::string open = "<workbook xmlns=\"" + kMain + "\"><sheets/>";
  const std::string calc = "<calcPr fullCalcOnLoad=\"1\"/>";
  for (const auto& [body, expected] :
       {std::pair<std::string, std::string>{"", calc},
        {"<definedNames/><extLst/>", "<definedNames/>" + calc + "<extLst/>"},
        {"<oleSize ref=\"A1\"/><pivotCaches/>", calc + "<oleSize ref=\"A1\"/><pivotCaches/>"},
        {"<calcPr calcId=\"9\"/><extLst/>", "<calcPr calcId=\"9\" fullCalcOnLoad=\"1\"/><extLst/>"},
        {"<calcPr fullCalcOnLoad=\"0\"/>", calc}}) {
    WorkbookPart part("xl/workbook.xml", open + body + "</workbook>");
    part.set_full_calc_on_load();
    EXPECT_TRUE(part.changed());
    EXPECT_EQ(part.write(), open + expected + "</workbook>") << body;
  }
  const std::string strict = "<x:workbook xmlns:x=\"" + kStrict + "\"><x:sheets/>";
  WorkbookPart part("xl/workbook.xml", strict + "</x:workbook>");
  part.set_full_calc_on_load();  // a new calcPr takes the workbook's prefix
  EXPECT_EQ(part.write(), strict + "<x:calcPr fullCalcOnLoad=\"1\"/></x:workbook>");
}

TEST(SharedStrings, ReadsTextsRunsAndEscapesInOrder) {
  struct Case {
    std::string xml;
    std::vector<std::string> texts;
  };
  for (const Case& c : {
           Case{kDecl + "<sst xmlns=\"" + kMain +
                    "\" uniqueCount=\"6\"><si><t>Plain</t></si>"
                    "<si><r><rPr><b/></rPr><t>Rich </t></r><r><t>text</t></r>"
                    "<rPh sb=\"0\" eb=\"1\"><t>IGNORED</t></rPh></si>"
                    "<si><t xml:space=\"preserve\">   </t></si><si><t/></si>"
                    "<si><t>a_x000D__x000A_b_x005F_x0041_</t></si>"
                    "<si><t>&lt;&amp;&gt; \xE2\x82\xB9</t></si></sst>",
                {"Plain", "Rich text", "   ", "", "a\r\nb_x0041_", "<&> \xE2\x82\xB9"}},
           Case{"<x:sst xmlns:x=\"" + kStrict +
                    "\"><x:si><x:t>one</x:t></x:si><x:si><x:r>"
                    "<x:t>t</x:t></x:r><x:r><x:t>wo</x:t></x:r></x:si></x:sst>",
                {"one", "two"}},
       }) {
    TextPool pool;
    read_shared_strings("xl/sharedStrings.xml", c.xml, pool);
    std::vector<std::string> texts;
    for (std::uint32_t i = 0; i < pool.size(); ++i) texts.push_back(pool.at(i));
    EXPECT_EQ(texts, c.texts);
  }
}

TEST(PackageParts, MalformedOrUnexpectedXmlNamesThePart) {
  TextPool pool;
  EXPECT_EQ(error_of([&] { read_shared_strings("xl/sharedStrings.xml", "<sst><si></sst>", pool); }),
            "1004 xl/sharedStrings.xml is not well-formed XML at byte 11: Start-end tags mismatch");
  EXPECT_EQ(error_of([] { WorkbookPart("xl/workbook.xml", ""); }),
            "1004 xl/workbook.xml is not well-formed XML at byte 0: No document element found");
  EXPECT_EQ(error_of([] { WorkbookPart("xl/workbook.xml", "<worksheet/>"); }),
            "1004 xl/workbook.xml has the root element <worksheet>, not <workbook>");
}

TEST(NewPackage, SheetNamesMustBeUsable) {
  struct Case {
    std::vector<std::string> names;
    std::string error;
  };
  for (const Case& c :
       {Case{{"Deductee Details", "Challan"}, ""}, Case{{std::string(31, 'x')}, ""},
        Case{{"\xE0\xA4\x95" + std::string(30, 'x')}, ""},  // 31 characters
        Case{{}, "5 A workbook needs at least one sheet"},
        Case{{""}, "5 The sheet name '' must be 1 to 31 characters long"},
        Case{{std::string(32, 'x')},
             "5 The sheet name '" + std::string(32, 'x') + "' must be 1 to 31 characters long"},
        Case{{"Sheet", "SHEET"}, "5 The sheet name 'SHEET' is used twice"}})
    EXPECT_EQ(error_of([&] { check_sheet_names(c.names); }), c.error);
  for (const std::string name : {"a/b", "a[1]", "Q:1", "Why?"})
    EXPECT_EQ(error_of([&] { check_sheet_names({name}); }),
              "5 The sheet name '" + name + "' contains one of : \\ / ? * [ ]");
}

TEST(XlsxStyleBook, ReadsNumberFormatsAndFillColours) {
  XlsxStyleBook book("xl/styles.xml", kStyles);
  struct Case {
    std::uint32_t style;
    const char* code;
    bool date;
    std::uint32_t color = kColorNone;
  };  // 0xBBGGRR
  for (const Case& c :
       {Case{0, "General", false}, Case{1, "dd/mm/yyyy", true}, Case{2, "dd-mmm-yyyy", true},
        Case{3, "[$-409]d/m/yy;@", true}, Case{4, "0.00", false},
        Case{5, "General", false, 0x0000FF},
        Case{6, "General", false, 0x00FFFF},  // indexed 13 of the default palette
        Case{7, "General", false, 0},         // a theme colour: filled, not ours
        Case{8, "General", false, 0},         // a pattern in the default foreground
        Case{9, "General", false}, Case{10, "[h]:mm:ss", true}, Case{500, "General", false}}) {
    EXPECT_EQ(book.number_format(c.style), c.code) << c.style;
    EXPECT_EQ(book.is_date(c.style), c.date) << c.style;
    EXPECT_EQ(book.fill_color(c.style), c.color) << c.style;
  }
  EXPECT_FALSE(book.changed());  // reading changes nothing
  EXPECT_EQ(book.write(), kStyles);
}

TEST(XlsxStyleBook, FillDerivationsAddOneFillAndOneXfEach) {
  XlsxStyleBook book("xl/styles.xml", kStyles);
  const std::uint32_t green = 0x008000;
  struct Case {
    std::uint32_t style, color, expected;
  };
  for (const Case& c : {Case{4, kColorError, 11}, Case{4, kColorError, 11},  // memoised
                        Case{0, kColorError, 12}, Case{0, green, 13}, Case{0, kColorNone, 0},
                        Case{5, kColorError, 5},  // already that colour
                        Case{5, kColorNone, 14},
                        Case{7, kColorNone, 15}}) {  // a theme fill is cleared like any other
    EXPECT_EQ(book.with_fill_color(c.style, c.color), c.expected) << c.style;
    EXPECT_EQ(book.fill_color(c.expected), c.color) << c.style;
  }
  const auto fills = section(book, "fills"), xfs = section(book, "cellXfs");
  ASSERT_EQ(fills.size(), 6u);  // red is fill 2 already; green is new
  EXPECT_EQ(fills[5],
            "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FF008000\"/>"
            "<bgColor indexed=\"64\"/></patternFill></fill>");
  ASSERT_EQ(xfs.size(), 16u);
  EXPECT_EQ(xfs[11], xf(2, 1, 2, 1, kBorder + " applyFill=\"1\"" + kAligned));
  EXPECT_EQ(xfs[14], xf(0, 0, 0, 0, " applyFill=\"1\"/>"));
  for (const char* untouched : {"fonts", "borders", "cellStyleXfs"}) section(book, untouched);
}

TEST(XlsxStyleBook, NumberFormatDerivationsReuseOrAddCodes) {
  XlsxStyleBook book("xl/styles.xml", kStyles);
  struct Case {
    std::uint32_t style;
    const char* code;
    std::uint32_t expected_style, id;
  };
  const Case cases[] = {
      {0, "0.00", 11, 2},          // builtin
      {4, "0.000", 12, 171},       // existing custom
      {4, "dd/mm/yyyy", 13, 172},  // day first everywhere: a code of its own
      {5, "#,##0.0000", 14, 173},  // new custom after the highest
      {0, "0.00", 11, 2},          // memoised
      {4, "0.00", 4, 2},           // already that format
      {1, "dd/mm/yyyy", 15, 172},  // builtin 14 reads so, but not elsewhere
  };
  for (const Case& c : cases) {
    EXPECT_EQ(book.with_number_format(c.style, c.code), c.expected_style) << c.code;
    EXPECT_EQ(book.number_format(c.expected_style), c.code);
  }
  EXPECT_TRUE(book.is_date(13));
  EXPECT_FALSE(book.is_date(14));
  EXPECT_EQ(section(book, "numFmts").size(), 5u);
  const auto xfs = section(book, "cellXfs");
  ASSERT_EQ(xfs.size(), 16u);
  for (const Case& c : cases)
    EXPECT_TRUE(xfs[c.expected_style].starts_with("<xf numFmtId=\"" + std::to_string(c.id) + "\""));
  EXPECT_EQ(xfs[14], xf(173, 0, 2, 0, " applyNumberFormat=\"1\"/>"));  // fill kept
}

TEST(XlsxStyleBook, AddsMissingSectionsInSchemaOrderAndPrefix) {
  XlsxStyleBook book("xl/styles.xml",
                     kOpen +
                         "<fonts count=\"1\"><font/></fonts>"
                         "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\"/></cellXfs>"
                         "</styleSheet>");
  std::uint32_t both = book.with_number_format(book.with_fill_color(0, kColorError), "0.0");
  EXPECT_EQ(book.fill_color(both), kColorError);
  EXPECT_EQ(book.number_format(both), "0.0");
  EXPECT_EQ(book.write(),
            kOpen +
                "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.0\"/></numFmts>"
                "<fonts count=\"1\"><font/></fonts>"
                "<fills count=\"3\"><fill><patternFill patternType=\"none\"/></fill>"
                "<fill><patternFill patternType=\"gray125\"/></fill>"
                "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFFF0000\"/>"
                "<bgColor indexed=\"64\"/></patternFill></fill></fills>"
                "<cellXfs count=\"3\"><xf numFmtId=\"0\" fontId=\"0\"/>"
                "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"2\" applyFill=\"1\"/>"
                "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"2\" applyFill=\"1\" "
                "applyNumberFormat=\"1\"/></cellXfs></styleSheet>");

  XlsxStyleBook strict("xl/styles.xml",
                       "<x:styleSheet xmlns:x=\"http://purl.oclc.org/ooxml/spreadsheetml/main\">"
                       "<x:fills count=\"2\"><x:fill/><x:fill/></x:fills>"
                       "<x:cellXfs count=\"1\"><x:xf/></x:cellXfs></x:styleSheet>");
  EXPECT_EQ(strict.with_number_format(0, "0.0"), 1u);
  const std::string xml = strict.write();
  EXPECT_NE(xml.find("<x:numFmts count=\"1\"><x:numFmt numFmtId=\"164\""), std::string::npos);
  EXPECT_EQ(xml.find("<numFmt"), std::string::npos);
}

}  // namespace
}  // namespace fenwarx

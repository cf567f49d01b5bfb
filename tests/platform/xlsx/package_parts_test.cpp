#include <gtest/gtest.h>

#include <string>

#include "platform/spreadsheet/cell_store.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/builtin_formats.hpp"
#include "platform/xlsx/content_types.hpp"
#include "platform/xlsx/new_package.hpp"
#include "platform/xlsx/relationships.hpp"
#include "platform/xlsx/shared_strings.hpp"
#include "platform/xlsx/workbook_part.hpp"

namespace fenwarx {
namespace {

constexpr const char* kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kStrict = "http://purl.oclc.org/ooxml/spreadsheetml/main";

std::string error_of(auto&& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return std::to_string(e.number()) + " " + e.description();
  }
  return "no error";
}

TEST(Relationships, ResolvesTargetsAgainstTheSourceFolder) {
  struct Case {
    const char *source, *target, *part;
  };
  const char* wb = "xl/workbook.xml";
  for (const Case& c : {Case{"", "xl/workbook.xml", "xl/workbook.xml"},
                        Case{"", "/xl/workbook.xml", "xl/workbook.xml"},
                        Case{wb, "worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
                        Case{wb, "/xl/worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
                        Case{wb, "./styles.xml", "xl/styles.xml"},
                        Case{wb, "../customXml/item1.xml", "customXml/item1.xml"},
                        Case{"a/b/c.xml", "../../d.xml", "d.xml"},
                        Case{"wb.xml", "sheets/s.xml", "sheets/s.xml"}})
    EXPECT_EQ(resolve_target(c.source, c.target), c.part) << c.source << " + " << c.target;
}

TEST(Relationships, FindsByKindInEitherNamespaceAndSkipsExternalTargets) {
  Relationships rels(
      "xl/_rels/workbook.xml.rels",
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"http://purl.oclc.org/ooxml/officeDocument/relationships/"
      "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
      "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
      "relationships/sharedStrings\" Target=\"/xl/sharedStrings.xml\"/>"
      "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
      "relationships/externalLinkPath\" Target=\"file:///c:/x.xlsx\" TargetMode=\"External\"/>"
      "</Relationships>",
      "xl/workbook.xml");
  ASSERT_NE(rels.find_kind("worksheet"), nullptr);
  EXPECT_EQ(rels.find_kind("worksheet")->part, "xl/worksheets/sheet1.xml");
  EXPECT_EQ(rels.find_kind("sharedStrings")->part, "xl/sharedStrings.xml");
  EXPECT_EQ(rels.find_kind("Strings"), nullptr);  // a whole path segment, not a suffix
  EXPECT_EQ(rels.find_id("rId3")->part, "");
  EXPECT_EQ(rels.find_id("rId9"), nullptr);
}

TEST(Relationships, RemovesAndAddsUnderAFreeId) {
  Relationships rels("r.rels",
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                     "relationships\"><Relationship Id=\"rId1\" Type=\"t/a\" Target=\"a.xml\"/>"
                     "<Relationship Id=\"rId2\" Type=\"t/calcChain\" Target=\"c.xml\"/>"
                     "</Relationships>",
                     "xl/workbook.xml");
  EXPECT_FALSE(rels.changed());
  rels.remove("rId2");
  EXPECT_EQ(rels.find_kind("calcChain"), nullptr);
  EXPECT_EQ(rels.add("t/styles", "styles.xml"), "rId2");
  EXPECT_EQ(rels.find_kind("styles")->part, "xl/styles.xml");
  EXPECT_TRUE(rels.changed());
  EXPECT_EQ(rels.write(),
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
            "relationships\"><Relationship Id=\"rId1\" Type=\"t/a\" Target=\"a.xml\"/>"
            "<Relationship Id=\"rId2\" Type=\"t/styles\" Target=\"styles.xml\"/>"
            "</Relationships>");
}

TEST(ContentTypes, OverridesComeBeforeDefaultsAndIgnoreCase) {
  ContentTypes types(std::string(kDecl) +
                     "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                     "content-types\"><Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                     "<Override PartName=\"/xl/Workbook.xml\" ContentType=\"wb\"/>"
                     "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"cc\"/></Types>");
  EXPECT_EQ(types.of("xl/workbook.xml"), "wb");
  EXPECT_EQ(types.of("/xl/workbook.xml"), "wb");
  EXPECT_EQ(types.of("xl/other.XML"), "application/xml");
  EXPECT_EQ(types.of("xl/noextension"), "");
  types.remove_override("xl/calcChain.xml");
  EXPECT_EQ(types.of("xl/calcChain.xml"), "application/xml");
  EXPECT_TRUE(types.changed());
  EXPECT_EQ(types.write().find(kDecl), 0u);  // the declaration survives a rewrite
}

TEST(WorkbookPart, ReadsSheetsAndTheDateSystem) {
  struct Case {
    const char* pr;
    bool date1904;
  };
  for (const Case& c : {Case{"<workbookPr date1904=\"1\"/>", true},
                        Case{"<workbookPr date1904=\"true\"/>", true},
                        Case{"<workbookPr date1904=\"0\"/>", false},
                        Case{"<workbookPr/>", false}, Case{"", false}}) {
    WorkbookPart part("xl/workbook.xml",
                      std::string("<workbook xmlns=\"") + kMain +
                          "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                          "relationships\">" +
                          c.pr +
                          "<sheets><sheet name=\"A &amp; B\" sheetId=\"1\" r:id=\"rId1\"/>"
                          "<sheet name=\"Two\" sheetId=\"2\" r:id=\"rId7\"/></sheets></workbook>");
    EXPECT_EQ(part.date1904(), c.date1904) << c.pr;
    ASSERT_EQ(part.sheets().size(), 2u);
    EXPECT_EQ(part.sheets()[0].name, "A & B");
    EXPECT_EQ(part.sheets()[1].relationship_id, "rId7");
  }
}

TEST(WorkbookPart, FullCalcOnLoadGoesWhereTheSchemaPutsCalcPr) {
  struct Case {
    std::string body, expected;
  };
  const std::string open = std::string("<workbook xmlns=\"") + kMain + "\">";
  for (const Case& c : {
           Case{"<sheets/><definedNames/><extLst/>",
                "<sheets/><definedNames/><calcPr fullCalcOnLoad=\"1\"/><extLst/>"},
           Case{"<sheets/><oleSize ref=\"A1\"/><pivotCaches/>",
                "<sheets/><calcPr fullCalcOnLoad=\"1\"/><oleSize ref=\"A1\"/><pivotCaches/>"},
           Case{"<sheets/>", "<sheets/><calcPr fullCalcOnLoad=\"1\"/>"},
           Case{"<sheets/><calcPr calcId=\"191029\"/><extLst/>",
                "<sheets/><calcPr calcId=\"191029\" fullCalcOnLoad=\"1\"/><extLst/>"},
           Case{"<sheets/><calcPr fullCalcOnLoad=\"0\"/>",
                "<sheets/><calcPr fullCalcOnLoad=\"1\"/>"},
       }) {
    WorkbookPart part("xl/workbook.xml", open + c.body + "</workbook>");
    part.set_full_calc_on_load();
    EXPECT_TRUE(part.changed());
    EXPECT_EQ(part.write(), open + c.expected + "</workbook>") << c.body;
  }
}

TEST(WorkbookPart, NewCalcPrTakesTheWorkbookPrefix) {
  WorkbookPart part("xl/workbook.xml", std::string("<x:workbook xmlns:x=\"") + kStrict +
                                           "\"><x:sheets/></x:workbook>");
  part.set_full_calc_on_load();
  EXPECT_EQ(part.write(), std::string("<x:workbook xmlns:x=\"") + kStrict +
                              "\"><x:sheets/><x:calcPr fullCalcOnLoad=\"1\"/></x:workbook>");
}

TEST(SharedStrings, ReadsItemsInOrder) {
  TextPool pool;
  read_shared_strings("xl/sharedStrings.xml",
                      std::string(kDecl) + "<sst xmlns=\"" + kMain + "\" uniqueCount=\"6\">"
                      "<si><t>Plain</t></si>"
                      "<si><r><rPr><b/></rPr><t>Rich </t></r><r><t>text</t></r>"
                      "<rPh sb=\"0\" eb=\"1\"><t>IGNORED</t></rPh></si>"
                      "<si><t xml:space=\"preserve\">   </t></si>"
                      "<si><t/></si>"
                      "<si><t>a_x000D__x000A_b_x005F_x0041_</t></si>"
                      "<si><t>&lt;&amp;&gt; \xE2\x82\xB9</t></si></sst>",
                      pool);
  ASSERT_EQ(pool.size(), 6u);
  EXPECT_EQ(pool.at(0), "Plain");
  EXPECT_EQ(pool.at(1), "Rich text");
  EXPECT_EQ(pool.at(2), "   ");
  EXPECT_EQ(pool.at(3), "");
  EXPECT_EQ(pool.at(4), "a\r\nb_x0041_");
  EXPECT_EQ(pool.at(5), "<&> \xE2\x82\xB9");
}

TEST(SharedStrings, AcceptsTheStrictNamespaceUnderAPrefix) {
  TextPool pool;
  read_shared_strings("xl/sharedStrings.xml",
                      std::string("<x:sst xmlns:x=\"") + kStrict +
                          "\"><x:si><x:t>one</x:t></x:si><x:si><x:r><x:t>t</x:t></x:r>"
                          "<x:r><x:t>wo</x:t></x:r></x:si></x:sst>",
                      pool);
  ASSERT_EQ(pool.size(), 2u);
  EXPECT_EQ(pool.at(1), "two");
}

TEST(PackageParts, MalformedOrUnexpectedXmlNamesThePart) {
  TextPool pool;
  EXPECT_EQ(error_of([&] { read_shared_strings("xl/sharedStrings.xml", "<sst><si></sst>", pool); }),
            "1004 xl/sharedStrings.xml is not well-formed XML at byte 11: Start-end tags mismatch");
  EXPECT_EQ(error_of([] { WorkbookPart("xl/workbook.xml", ""); }),
            "1004 xl/workbook.xml is not well-formed XML at byte 0: No document element found");
  EXPECT_EQ(error_of([] { ContentTypes("<Types"); }),
            "1004 [Content_Types].xml is not well-formed XML at byte 5: Error parsing start "
            "element tag");
  EXPECT_EQ(error_of([] { WorkbookPart("xl/workbook.xml", "<worksheet/>"); }),
            "1004 xl/workbook.xml has the root element <worksheet>, not <workbook>");
}

TEST(BuiltinFormats, MapIdsToCodesAndBack) {
  EXPECT_EQ(builtin_format(0), "General");
  EXPECT_EQ(builtin_format(2), "0.00");
  EXPECT_EQ(builtin_format(14), "dd/mm/yyyy");
  EXPECT_EQ(builtin_format(22), "dd/mm/yyyy h:mm");
  EXPECT_EQ(builtin_format(38), "#,##0 ;[Red](#,##0)");
  EXPECT_EQ(builtin_format(49), "@");
  EXPECT_EQ(builtin_format(5), "General");    // locale-defined currency
  EXPECT_EQ(builtin_format(164), "General");  // custom range
  for (std::uint32_t id = 0; id < 60; ++id)
    EXPECT_EQ(is_builtin_date_format(id), (id >= 14 && id <= 22) || (id >= 45 && id <= 47)) << id;
  EXPECT_EQ(builtin_format_id("0"), 1u);
  EXPECT_EQ(builtin_format_id("0.00"), 2u);
  EXPECT_EQ(builtin_format_id("@"), 49u);
  EXPECT_EQ(builtin_format_id("General"), 0u);
  EXPECT_EQ(builtin_format_id("d-mmm-yy"), 15u);
  EXPECT_EQ(builtin_format_id("dd/mm/yyyy"), std::nullopt);  // left to the reader's locale
  EXPECT_EQ(builtin_format_id("0.000"), std::nullopt);
  EXPECT_EQ(builtin_format_id(""), std::nullopt);
}

TEST(NewPackage, SheetNamesMustBeUsable) {
  struct Case {
    std::vector<std::string> names;
    const char* error;
  };
  for (const Case& c : {
           Case{{"Deductee Details", "Challan"}, "no error"},
           Case{{std::string(31, 'x')}, "no error"},
           Case{{"\xE0\xA4\x95" + std::string(30, 'x')}, "no error"},  // 31 characters
           Case{{}, "5 A workbook needs at least one sheet"},
           Case{{""}, "5 The sheet name '' must be 1 to 31 characters long"},
           Case{{std::string(32, 'x')},
                "5 The sheet name 'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' must be 1 to 31 characters "
                "long"},
           Case{{"a/b"}, "5 The sheet name 'a/b' contains one of : \\ / ? * [ ]"},
           Case{{"a[1]"}, "5 The sheet name 'a[1]' contains one of : \\ / ? * [ ]"},
           Case{{"Q:1"}, "5 The sheet name 'Q:1' contains one of : \\ / ? * [ ]"},
           Case{{"Why?"}, "5 The sheet name 'Why?' contains one of : \\ / ? * [ ]"},
           Case{{"Sheet", "SHEET"}, "5 The sheet name 'SHEET' is used twice"},
       })
    EXPECT_EQ(error_of([&] { check_sheet_names(c.names); }), c.error);
}

}  // namespace
}  // namespace fenwarx

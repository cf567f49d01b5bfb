#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/xlsx/new_package.hpp"
#include "platform/xlsx/styles_part.hpp"

namespace fenwarx {
namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const std::string kOpen =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";

// Styles as a workbook saved by a spreadsheet application might hold them:
// 0 General, 1 builtin 14, 2 custom dd-mmm-yyyy, 3 custom with a locale prefix,
// 4 0.00 with a border, bold font and alignment, 5 red rgb fill, 6 indexed fill,
// 7 theme fill, 8 gray125, 9 unknown builtin id, 10 builtin 46.
const std::string kStyles =
    kDecl + kOpen +
    "<numFmts count=\"3\"><numFmt numFmtId=\"164\" formatCode=\"dd-mmm-yyyy\"/>"
    "<numFmt numFmtId=\"170\" formatCode=\"[$-409]d/m/yy;@\"/>"
    "<numFmt numFmtId=\"171\" formatCode=\"0.000\"/></numFmts>"
    "<fonts count=\"2\"><font><sz val=\"11\"/></font><font><b/><sz val=\"11\"/></font></fonts>"
    "<fills count=\"5\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill>"
    "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFFF0000\"/><bgColor indexed=\"64\"/>"
    "</patternFill></fill>"
    "<fill><patternFill patternType=\"solid\"><fgColor indexed=\"13\"/></patternFill></fill>"
    "<fill><patternFill patternType=\"solid\"><fgColor theme=\"4\" tint=\"-0.5\"/>"
    "</patternFill></fill></fills>"
    "<borders count=\"2\"><border/><border><left style=\"thin\"/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
    "</cellStyleXfs>"
    "<cellXfs count=\"11\">"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"14\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"170\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"2\" fontId=\"1\" fillId=\"0\" borderId=\"1\" xfId=\"0\" applyBorder=\"1\">"
    "<alignment horizontal=\"center\"/><protection locked=\"0\"/></xf>"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"2\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"3\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"4\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"1\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"99\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"46\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
    "</cellStyles><dxfs count=\"0\"/></styleSheet>";

constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r + 256 * g + 65536 * b;
}

struct Parsed {
  pugi::xml_document doc;
  pugi::xml_node sheet;
  explicit Parsed(const std::string& xml) {
    doc.load_string(xml.c_str());
    sheet = doc.document_element();
  }
  std::size_t count(const char* section, const char* item) const {
    std::size_t n = 0;
    for (auto child : sheet.child(section).children(item)) n += child ? 1 : 0;
    EXPECT_EQ(sheet.child(section).attribute("count").as_uint(), n) << section;
    return n;
  }
  pugi::xml_node xf(std::size_t i) const {
    auto node = sheet.child("cellXfs").first_child();
    while (i-- > 0) node = node.next_sibling();
    return node;
  }
};

// The attributes and children of two <xf> nodes, except the ones named.
std::string xf_text(pugi::xml_node xf, std::initializer_list<const char*> except) {
  std::string out;
  for (auto a : xf.attributes()) {
    bool skip = false;
    for (const char* name : except) skip |= std::string_view(a.name()) == name;
    if (!skip) out += std::string(a.name()) + "=" + a.value() + " ";
  }
  for (auto child : xf.children()) {
    out += std::string("<") + child.name();
    for (auto a : child.attributes()) out += std::string(" ") + a.name() + "=" + a.value();
    out += ">";
  }
  return out;
}

TEST(XlsxStyleBook, ReadsNumberFormatsByIdAndCode) {
  XlsxStyleBook book("xl/styles.xml", kStyles);
  struct Case {
    std::uint32_t style;
    const char* code;
    bool date;
  };
  for (const Case& c : {Case{0, "General", false}, Case{1, "dd/mm/yyyy", true},
                        Case{2, "dd-mmm-yyyy", true}, Case{3, "[$-409]d/m/yy;@", true},
                        Case{4, "0.00", false}, Case{9, "General", false},
                        Case{10, "[h]:mm:ss", true}, Case{500, "General", false}}) {
    EXPECT_EQ(book.number_format(c.style), c.code) << c.style;
    EXPECT_EQ(book.is_date(c.style), c.date) << c.style;
  }
}

TEST(XlsxStyleBook, ReadsFillColours) {
  const std::string theme =
      "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
      "<a:themeElements><a:clrScheme name=\"Office\">"
      "<a:dk1><a:sysClr val=\"windowText\" lastClr=\"000000\"/></a:dk1>"
      "<a:lt1><a:sysClr val=\"window\" lastClr=\"FFFFFF\"/></a:lt1>"
      "<a:dk2><a:srgbClr val=\"44546A\"/></a:dk2><a:lt2><a:srgbClr val=\"E7E6E6\"/></a:lt2>"
      "<a:accent1><a:srgbClr val=\"4472C4\"/></a:accent1></a:clrScheme></a:themeElements>"
      "</a:theme>";
  auto colors = theme_colors(theme);
  ASSERT_EQ(colors.size(), 5u);
  EXPECT_EQ(colors[0], 0xFFFFFFu);  // light 1 first
  EXPECT_EQ(colors[1], 0x000000u);
  EXPECT_EQ(colors[2], 0xE7E6E6u);
  EXPECT_EQ(colors[4], 0x4472C4u);

  XlsxStyleBook book("xl/styles.xml", kStyles, colors);
  EXPECT_EQ(book.fill_color(0), kColorNone);
  EXPECT_EQ(book.fill_color(5), rgb(255, 0, 0));
  EXPECT_EQ(book.fill_color(6), rgb(255, 255, 0));  // indexed 13 of the default palette
  EXPECT_EQ(book.fill_color(7), rgb(32, 56, 100));  // accent 1 darkened by half
  EXPECT_EQ(book.fill_color(8), 0u);                // a pattern in the default foreground
  EXPECT_EQ(book.fill_color(99), kColorNone);
  EXPECT_EQ(XlsxStyleBook("xl/styles.xml", kStyles).fill_color(7), 0u);  // no theme part
}

TEST(XlsxStyleBook, FillDerivationsAddOneFillAndOneXfEach) {
  XlsxStyleBook book("xl/styles.xml", kStyles);
  const std::uint32_t green = rgb(0, 128, 0);
  std::uint32_t red4 = book.with_fill_color(4, kColorError);
  EXPECT_EQ(red4, 11u);
  EXPECT_EQ(book.with_fill_color(4, kColorError), red4);  // memoised
  EXPECT_EQ(book.with_fill_color(0, kColorError), 12u);
  EXPECT_EQ(book.with_fill_color(0, green), 13u);
  EXPECT_EQ(book.with_fill_color(5, kColorError), 5u);  // already that colour
  EXPECT_EQ(book.with_fill_color(0, kColorNone), 0u);
  std::uint32_t cleared = book.with_fill_color(5, kColorNone);
  EXPECT_EQ(cleared, 14u);
  EXPECT_EQ(book.fill_color(red4), kColorError);
  EXPECT_EQ(book.fill_color(13), green);
  EXPECT_EQ(book.fill_color(cleared), kColorNone);
  EXPECT_EQ(book.number_format(red4), "0.00");
  EXPECT_TRUE(book.changed());

  Parsed out(book.write());
  EXPECT_EQ(out.count("fills", "fill"), 6u);  // red is fill 2 already; green is new
  EXPECT_EQ(out.count("cellXfs", "xf"), 15u);
  EXPECT_EQ(std::string(out.xf(11).attribute("fillId").value()), "2");
  EXPECT_EQ(std::string(out.xf(11).attribute("applyFill").value()), "1");
  EXPECT_EQ(xf_text(out.xf(11), {"fillId", "applyFill"}), xf_text(out.xf(4), {"fillId"}));
  EXPECT_EQ(std::string(out.xf(14).attribute("fillId").value()), "0");
  pugi::xml_node added = out.sheet.child("fills").last_child().child("patternFill");
  EXPECT_EQ(std::string(added.attribute("patternType").value()), "solid");
  EXPECT_EQ(std::string(added.child("fgColor").attribute("rgb").value()), "FF008000");
  EXPECT_EQ(std::string(added.child("bgColor").attribute("indexed").value()), "64");
  // Untouched sections stay as they were.
  EXPECT_EQ(out.count("fonts", "font"), 2u);
  EXPECT_EQ(out.count("borders", "border"), 2u);
  EXPECT_EQ(out.count("cellStyleXfs", "xf"), 1u);
}

TEST(XlsxStyleBook, NumberFormatDerivationsReuseOrAddCodes) {
  XlsxStyleBook book("xl/styles.xml", kStyles);
  struct Case {
    std::uint32_t style;
    const char* code;
    std::uint32_t expected_style;
    const char* expected_id;
  };
  for (const Case& c : {
           Case{0, "0.00", 11, "2"},             // builtin
           Case{0, "@", 12, "49"},               // builtin text
           Case{4, "0.000", 13, "171"},          // existing custom
           Case{4, "dd/mm/yyyy", 14, "172"},     // day first everywhere: a code of its own
           Case{5, "#,##0.0000", 15, "173"},     // new custom after the highest
           Case{0, "0.00", 11, "2"},             // memoised
           Case{4, "0.00", 4, "2"},              // already that format
           Case{1, "dd/mm/yyyy", 16, "172"},     // builtin 14 reads so, but not elsewhere
       }) {
    std::uint32_t style = book.with_number_format(c.style, c.code);
    EXPECT_EQ(style, c.expected_style) << c.code;
    EXPECT_EQ(book.number_format(style), c.code);
    Parsed out(book.write());
    EXPECT_EQ(std::string(out.xf(style).attribute("numFmtId").value()), c.expected_id) << c.code;
  }
  EXPECT_TRUE(book.is_date(14));
  EXPECT_FALSE(book.is_date(15));
  Parsed out(book.write());
  EXPECT_EQ(out.count("numFmts", "numFmt"), 5u);
  EXPECT_EQ(out.count("cellXfs", "xf"), 17u);
  EXPECT_EQ(xf_text(out.xf(13), {"numFmtId", "applyNumberFormat"}),
            xf_text(out.xf(4), {"numFmtId"}));
  EXPECT_EQ(std::string(out.xf(15).attribute("fillId").value()), "2");  // fill kept
  EXPECT_EQ(std::string(out.xf(15).attribute("applyNumberFormat").value()), "1");
}

TEST(XlsxStyleBook, AddsMissingSectionsInSchemaOrder) {
  XlsxStyleBook book("xl/styles.xml",
                     kOpen + "<fonts count=\"1\"><font/></fonts>"
                             "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\"/></cellXfs>"
                             "</styleSheet>");
  std::uint32_t red = book.with_fill_color(0, kColorError);
  std::uint32_t both = book.with_number_format(red, "0.0");
  EXPECT_EQ(book.fill_color(both), kColorError);
  EXPECT_EQ(book.number_format(both), "0.0");
  EXPECT_EQ(book.write(),
            kOpen + "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.0\"/></numFmts>"
                    "<fonts count=\"1\"><font/></fonts>"
                    "<fills count=\"3\"><fill><patternFill patternType=\"none\"/></fill>"
                    "<fill><patternFill patternType=\"gray125\"/></fill>"
                    "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFFF0000\"/>"
                    "<bgColor indexed=\"64\"/></patternFill></fill></fills>"
                    "<cellXfs count=\"3\"><xf numFmtId=\"0\" fontId=\"0\"/>"
                    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"2\" applyFill=\"1\"/>"
                    "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"2\" applyFill=\"1\" "
                    "applyNumberFormat=\"1\"/></cellXfs></styleSheet>");
}

TEST(XlsxStyleBook, UnchangedWritesBackTheSameBytes) {
  XlsxStyleBook book("xl/styles.xml", kStyles);
  book.number_format(3);
  book.fill_color(5);
  EXPECT_FALSE(book.changed());
  EXPECT_EQ(book.write(), kStyles);
  XlsxStyleBook fresh("xl/styles.xml", default_styles_xml());
  EXPECT_EQ(fresh.style_count(), 1u);
  EXPECT_EQ(fresh.number_format(0), "General");
  EXPECT_EQ(fresh.fill_color(0), kColorNone);
}

TEST(XlsxStyleBook, KeepsThePrefixOfAStrictStyleSheet) {
  XlsxStyleBook book("xl/styles.xml",
                     "<x:styleSheet xmlns:x=\"http://purl.oclc.org/ooxml/spreadsheetml/main\">"
                     "<x:fills count=\"2\"><x:fill/><x:fill/></x:fills>"
                     "<x:cellXfs count=\"1\"><x:xf/></x:cellXfs></x:styleSheet>");
  EXPECT_EQ(book.with_number_format(0, "0.0"), 1u);
  const std::string xml = book.write();
  EXPECT_NE(xml.find("<x:numFmts count=\"1\"><x:numFmt numFmtId=\"164\""), std::string::npos);
  EXPECT_EQ(xml.find("<numFmt"), std::string::npos);
}

}  // namespace
}  // namespace fenwarx

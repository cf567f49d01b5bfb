// New packages as the codec and the templates write them: parts named, typed and
// related consistently, text escaped as XML needs, and read back as written.
#include "platform/xlsx/package_writer.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "platform/xlsx/new_package.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "platform/xlsx/xml_writer.hpp"
#include "platform/xlsx/zip_reader.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using Parts = std::map<std::string, std::string>;

Parts parts_of(const NewPackage& package, std::vector<std::string>* order = nullptr) {
  Parts parts;
  for_each_part(package, [&](std::string_view name, std::string_view xml) {
    parts.emplace(name, xml);
    if (order) order->emplace_back(name);
  });
  return parts;
}

pugi::xml_node root_of(pugi::xml_document& doc, const std::string& xml) {
  EXPECT_TRUE(doc.load_string(xml.c_str())) << xml;
  return doc.document_element();
}

const std::string kSheet =
    std::string(kXmlDeclaration) +
    "<worksheet "
    "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData/></worksheet>";
const std::string kStyles = std::string(kXmlDeclaration) + "<styleSheet/>";
const std::string kStrings = std::string(kXmlDeclaration) + "<sst/>";

// Every part but the content types and relationships has its content type, every
// relationship leads to a part written, and the workbook lists the sheets in order.
TEST(PackageWriter, PartsTypesAndRelationshipsAgree) {
  // clang-format off
  const struct {
    const char* what;
    NewPackage package;
    std::vector<std::string> order;
  } cases[] = {
      {.what = "the codec's new workbook",
       .package = {.sheets = {{.name = "A", .xml = kSheet}, {.name = "B", .xml = kSheet}},
                   .styles = kStyles},
       .order = {"[Content_Types].xml", "_rels/.rels", "xl/_rels/workbook.xml.rels",
                 "xl/workbook.xml", "xl/styles.xml", "xl/worksheets/sheet1.xml",
                 "xl/worksheets/sheet2.xml"}},
      {.what = "a template with shared strings, core properties and recalculation",
       .package = {.sheets = {{.name = "Only", .xml = kSheet}},
                   .styles = kStyles,
                   .shared_strings = kStrings,
                   .core_properties = CoreProperties{.creator = "A & B",
                                                     .created = "2005-07-10T09:30:00Z",
                                                     .modified = "2005-07-12T16:05:00Z"},
                   .full_calc_on_load = true},
       .order = {"[Content_Types].xml", "_rels/.rels", "xl/_rels/workbook.xml.rels",
                 "xl/workbook.xml", "xl/styles.xml", "xl/worksheets/sheet1.xml",
                 "xl/sharedStrings.xml", "docProps/core.xml"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> order;
    const Parts parts = parts_of(c.package, &order);
    EXPECT_EQ(order, c.order);
    for (const auto& [name, xml] : parts) EXPECT_EQ(xml.rfind(kXmlDeclaration, 0), 0u) << name;

    pugi::xml_document types;
    std::vector<std::string> typed;
    for (pugi::xml_node n : root_of(types, parts.at("[Content_Types].xml")).children("Override"))
      typed.push_back(std::string(n.attribute("PartName").value()).substr(1));
    std::vector<std::string> expected_typed;
    for (const std::string& name : c.order)
      if (name != "[Content_Types].xml" && !name.ends_with(".rels")) expected_typed.push_back(name);
    std::sort(typed.begin(), typed.end());
    std::sort(expected_typed.begin(), expected_typed.end());
    EXPECT_EQ(typed, expected_typed);

    const struct { const char *rels, *folder; } sources[] = {
        {.rels = "_rels/.rels", .folder = ""}, {.rels = "xl/_rels/workbook.xml.rels", .folder = "xl/"}};
    for (const auto& source : sources) {
      pugi::xml_document doc;
      for (pugi::xml_node n : root_of(doc, parts.at(source.rels)).children("Relationship"))
        EXPECT_TRUE(parts.count(source.folder + std::string(n.attribute("Target").value())))
            << source.rels << " " << n.attribute("Target").value();
    }
    pugi::xml_document workbook;
    const pugi::xml_node book = root_of(workbook, parts.at("xl/workbook.xml"));
    int id = 0;
    for (pugi::xml_node sheet : book.child("sheets").children("sheet")) {
      ++id;
      EXPECT_EQ(sheet.attribute("name").value(), c.package.sheets.at(id - 1).name);
      EXPECT_EQ(sheet.attribute("r:id").value(), "rId" + std::to_string(id));
    }
    EXPECT_EQ(id, static_cast<int>(c.package.sheets.size()));
    EXPECT_EQ(book.child("calcPr").attribute("fullCalcOnLoad").as_bool(), c.package.full_calc_on_load);
  }
  // clang-format on
}

TEST(PackageWriter, WrittenPackageReadsBackWithItsSheetNames) {
  const std::vector<std::string> names = {"Tax & \"Q1\" <x>",
                                          "D\xC3\xAD"
                                          "a"};
  const auto path = testing::scratch_dir() / "new.xlsx";
  NewPackage package{.styles = default_styles_xml(),
                     .core_properties = CoreProperties{
                         .creator = "Accounts", .created = "2005", .modified = "2006"}};
  for (const std::string& name : names) package.sheets.push_back({.name = name, .xml = kSheet});
  write_package(path, package, 6);
  EXPECT_EQ(XlsxWorkbook::open(path)->sheet_names(), names);
  ZipReader zip(path);
  EXPECT_NE(zip.read(*zip.find("docProps/core.xml")).find("<dc:creator>Accounts</dc:creator>"),
            std::string::npos);
}

TEST(XmlWriter, EscapesTextAndAttributesAndDropsWhatXmlCannotHold) {
  // clang-format off
  const struct { std::string in, text, attribute; } cases[] = {
      {.in = "a<b>&c", .text = "a&lt;b&gt;&amp;c", .attribute = "a&lt;b&gt;&amp;c"},
      {.in = "\"q\" 'a'", .text = "\"q\" 'a'", .attribute = "&quot;q&quot; 'a'"},
      {.in = "\t\n\r", .text = "\t\n&#13;", .attribute = "&#9;&#10;&#13;"},
      {.in = "a\x01\x1F" "b\x7F", .text = "ab\x7F", .attribute = "ab\x7F"},
      {.in = "\xC3\xA9\xE2\x82\xB9", .text = "\xC3\xA9\xE2\x82\xB9", .attribute = "\xC3\xA9\xE2\x82\xB9"},
      {.in = "x\xEF\xBF\xBEy\xEF\xBF\xBFz", .text = "xyz", .attribute = "xyz"},  // U+FFFE, U+FFFF
      {.in = "x\xC3y\xED\xA0\x80z\xFF", .text = "xyz", .attribute = "xyz"}};  // not UTF-8
  for (const auto& c : cases) {
    std::string text = "<", attribute = "<";
    append_escaped_text(text, c.in);
    append_escaped_attribute(attribute, c.in);
    EXPECT_EQ(text, "<" + c.text) << c.in;
    EXPECT_EQ(attribute, "<" + c.attribute) << c.in;
  }
  // clang-format on
}

}  // namespace
}  // namespace fenwarx

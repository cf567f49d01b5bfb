#include "platform/xlsx/package_writer.hpp"

#include <string>

#include "platform/files/atomic_file.hpp"
#include "platform/xlsx/content_types.hpp"
#include "platform/xlsx/namespaces.hpp"
#include "platform/xlsx/xml_writer.hpp"
#include "platform/xlsx/zip_writer.hpp"

namespace fenwarx {
namespace {

// The content types of the workbook's own parts share this prefix.
constexpr std::string_view kSpreadsheetType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.";
constexpr std::string_view kCorePropertiesPart = "docProps/core.xml";
constexpr std::string_view kSharedStringsPart = "xl/sharedStrings.xml";

std::string worksheet_target(std::size_t number) {
  std::string target = "worksheets/sheet";
  append_int(target, static_cast<long long>(number));
  return target.append(".xml");
}

void append_override(std::string& out, std::string_view part, std::string_view type) {
  out.append("<Override PartName=\"/").append(part);
  out.append("\" ContentType=\"").append(type).append("\"/>");
}

std::string content_types_xml(const NewPackage& package) {
  const std::string spreadsheet(kSpreadsheetType);
  std::string out(kXmlDeclaration);
  out.append("<Types xmlns=\"").append(ns::kContentTypes).append("\">");
  out.append(
      "<Default Extension=\"rels\" ContentType=\"application/"
      "vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>");
  append_override(out, "xl/workbook.xml", spreadsheet + "sheet.main+xml");
  for (std::size_t i = 1; i <= package.sheets.size(); ++i)
    append_override(out, "xl/" + worksheet_target(i), spreadsheet + "worksheet+xml");
  append_override(out, "xl/styles.xml", content_type::kStyles);
  if (!package.shared_strings.empty())
    append_override(out, kSharedStringsPart, spreadsheet + "sharedStrings+xml");
  if (package.core_properties)
    append_override(out, kCorePropertiesPart,
                    "application/vnd.openxmlformats-package.core-properties+xml");
  out.append("</Types>");
  return out;
}

void append_relationship(std::string& out, std::size_t id, std::string_view type,
                         std::string_view target) {
  out.append("<Relationship Id=\"rId");
  append_int(out, static_cast<long long>(id));
  out.append("\" Type=\"").append(type).append("\" Target=\"").append(target).append("\"/>");
}

std::string relationships_head() {
  std::string out(kXmlDeclaration);
  out.append("<Relationships xmlns=\"").append(ns::kPackageRelationships).append("\">");
  return out;
}

std::string office_type(std::string_view kind) {
  return std::string(ns::kRelationships) + "/" + std::string(kind);
}

std::string package_relationships_xml(const NewPackage& package) {
  std::string out = relationships_head();
  if (package.core_properties)
    append_relationship(out, 2,
                        std::string(ns::kPackageRelationships) + "/metadata/core-properties",
                        kCorePropertiesPart);
  append_relationship(out, 1, office_type("officeDocument"), "xl/workbook.xml");
  return out.append("</Relationships>");
}

std::string workbook_relationships_xml(const NewPackage& package) {
  std::string out = relationships_head();
  const std::size_t count = package.sheets.size();
  for (std::size_t i = 1; i <= count; ++i)
    append_relationship(out, i, office_type("worksheet"), worksheet_target(i));
  append_relationship(out, count + 1, office_type("styles"), "styles.xml");
  if (!package.shared_strings.empty())
    append_relationship(out, count + 2, office_type("sharedStrings"), "sharedStrings.xml");
  return out.append("</Relationships>");
}

std::string workbook_xml(const NewPackage& package) {
  std::string out(kXmlDeclaration);
  out.append("<workbook xmlns=\"").append(ns::kMain);
  out.append("\" xmlns:r=\"").append(ns::kRelationships).append("\"><workbookPr/>");
  out.append(
      "<bookViews><workbookView xWindow=\"120\" yWindow=\"45\" windowWidth=\"19020\" "
      "windowHeight=\"11640\"/></bookViews><sheets>");
  long long id = 0;
  for (const NewWorksheet& sheet : package.sheets) {
    out.append("<sheet name=\"");
    append_escaped_attribute(out, sheet.name);
    out.append("\" sheetId=\"");
    append_int(out, ++id);
    out.append("\" r:id=\"rId");
    append_int(out, id);
    out.append("\"/>");
  }
  out.append("</sheets>");
  if (package.full_calc_on_load) out.append("<calcPr calcId=\"191029\" fullCalcOnLoad=\"1\"/>");
  return out.append("</workbook>");
}

void append_element(std::string& out, std::string_view open, std::string_view text,
                    std::string_view close) {
  out.append(open);
  append_escaped_text(out, text);
  out.append(close);
}

std::string core_properties_xml(const CoreProperties& core) {
  std::string out(kXmlDeclaration);
  out.append(
      "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/"
      "core-properties\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
      "xmlns:dcterms=\"http://purl.org/dc/terms/\" xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">");
  append_element(out, "<dc:creator>", core.creator, "</dc:creator>");
  append_element(out, "<cp:lastModifiedBy>", core.creator, "</cp:lastModifiedBy>");
  append_element(out, "<dcterms:created xsi:type=\"dcterms:W3CDTF\">", core.created,
                 "</dcterms:created>");
  append_element(out, "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">", core.modified,
                 "</dcterms:modified>");
  return out.append("</cp:coreProperties>");
}

}  // namespace

void for_each_part(const NewPackage& package, const PartSink& add) {
  add("[Content_Types].xml", content_types_xml(package));
  add("_rels/.rels", package_relationships_xml(package));
  add("xl/_rels/workbook.xml.rels", workbook_relationships_xml(package));
  add("xl/workbook.xml", workbook_xml(package));
  add("xl/styles.xml", package.styles);
  for (std::size_t i = 0; i < package.sheets.size(); ++i)
    add("xl/" + worksheet_target(i + 1), package.sheets[i].xml);
  if (!package.shared_strings.empty()) add(kSharedStringsPart, package.shared_strings);
  if (package.core_properties)
    add(kCorePropertiesPart, core_properties_xml(*package.core_properties));
}

void write_package(const std::filesystem::path& path, const NewPackage& package, int level) {
  AtomicFile file(path);
  ZipWriter zip(file);
  for_each_part(package,
                [&](std::string_view name, std::string_view xml) { zip.add(name, xml, level); });
  zip.finish();
  file.commit();
}

}  // namespace fenwarx

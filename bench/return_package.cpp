#include "return_package.hpp"

#include <string>
#include <string_view>

#include "form26_sheets.hpp"
#include "platform/files/atomic_file.hpp"
#include "platform/xlsx/namespaces.hpp"
#include "platform/xlsx/zip_writer.hpp"
#include "workbook_styles.hpp"

namespace fenwarx::bench {
namespace {

constexpr const char* kSheetNames[] = {"Deductor Details", "Challan Details", "Deductee Details",
                                       "State Code"};
constexpr std::string_view kXmlHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
constexpr int kDeflateLevel = 6;  // what applications use by default

std::string content_types() {
  std::string out(kXmlHead);
  out.append(
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" "
      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/"
      ">");
  for (int i = 1; i <= 4; ++i)
    out.append("<Override PartName=\"/xl/worksheets/sheet")
        .append(std::to_string(i))
        .append(
            ".xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>");
  out.append(
      "<Override PartName=\"/xl/styles.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
      "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/"
      "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
      "<Override PartName=\"/docProps/core.xml\" "
      "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/></Types>");
  return out;
}

std::string package_rels() {
  std::string out(kXmlHead);
  out.append(
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">")
      .append(
          "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/"
          "relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>")
      .append("<Relationship Id=\"rId1\" Type=\"")
      .append(ns::kRelationships)
      .append("/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
  return out;
}

std::string workbook_rels() {
  std::string out(kXmlHead);
  out.append(
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">");
  for (int i = 1; i <= 4; ++i) {
    const std::string n = std::to_string(i);
    out.append("<Relationship Id=\"rId").append(n).append("\" Type=\"").append(ns::kRelationships);
    out.append("/worksheet\" Target=\"worksheets/sheet").append(n).append(".xml\"/>");
  }
  out.append("<Relationship Id=\"rId5\" Type=\"").append(ns::kRelationships);
  out.append("/styles\" Target=\"styles.xml\"/>");
  out.append("<Relationship Id=\"rId6\" Type=\"").append(ns::kRelationships);
  out.append("/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>");
  return out;
}

std::string workbook() {
  std::string out(kXmlHead);
  out.append(
      "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "xmlns:r=\"");
  out.append(ns::kRelationships).append("\"><workbookPr/>");
  out.append(
      "<bookViews><workbookView xWindow=\"120\" yWindow=\"45\" windowWidth=\"19020\" "
      "windowHeight=\"11640\"/></bookViews><sheets>");
  int id = 1;
  for (const char* name : kSheetNames) {
    const std::string n = std::to_string(id++);
    out.append("<sheet name=\"").append(name).append("\" sheetId=\"").append(n);
    out.append("\" r:id=\"rId").append(n).append("\"/>");
  }
  out.append("</sheets></workbook>");
  return out;
}

std::string core_properties() {
  std::string out(kXmlHead);
  out.append(
      "<cp:coreProperties "
      "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
      "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
      "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
      "<dc:creator>Accounts</dc:creator><cp:lastModifiedBy>Accounts</cp:lastModifiedBy>"
      "<dcterms:created xsi:type=\"dcterms:W3CDTF\">2005-07-10T09:30:00Z</dcterms:created>"
      "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">2005-07-12T16:05:00Z</dcterms:modified>"
      "</cp:coreProperties>");
  return out;
}

}  // namespace

void write_form26_workbook(const std::filesystem::path& path, int deductees, int challans) {
  SharedStrings strings;
  const Form26Sheets sheets = make_form26_sheets(deductees, challans, strings);

  AtomicFile file(path);
  ZipWriter zip(file);
  zip.add("[Content_Types].xml", content_types(), kDeflateLevel);
  zip.add("_rels/.rels", package_rels(), kDeflateLevel);
  zip.add("xl/_rels/workbook.xml.rels", workbook_rels(), kDeflateLevel);
  zip.add("xl/workbook.xml", workbook(), kDeflateLevel);
  zip.add("xl/styles.xml", style::styles_xml(), kDeflateLevel);
  zip.add("xl/worksheets/sheet1.xml", sheets.deductor, kDeflateLevel);
  zip.add("xl/worksheets/sheet2.xml", sheets.challans, kDeflateLevel);
  zip.add("xl/worksheets/sheet3.xml", sheets.deductees, kDeflateLevel);
  zip.add("xl/worksheets/sheet4.xml", sheets.states, kDeflateLevel);
  zip.add("xl/sharedStrings.xml", strings.xml(), kDeflateLevel);
  zip.add("docProps/core.xml", core_properties(), kDeflateLevel);
  zip.finish();
  file.commit();
}

}  // namespace fenwarx::bench

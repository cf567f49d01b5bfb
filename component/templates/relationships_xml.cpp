#include "platform/xlsx/namespaces.hpp"
#include "templates/package_parts.hpp"
#include "templates/xml_text.hpp"

namespace fenwarx::templates {
namespace {

constexpr std::string_view kRelationshipsHead =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";

void append_relationship(std::string& out, int id, std::string_view type, std::string_view target) {
  out.append("<Relationship Id=\"rId");
  append_int(out, id);
  out.append("\" Type=\"").append(ns::kRelationships).append("/").append(type);
  out.append("\" Target=\"").append(target).append("\"/>");
}

}  // namespace

std::string package_relationships_xml() {
  std::string out(kXmlHead);
  out.append(kRelationshipsHead)
      .append(
          R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>)");
  append_relationship(out, 1, "officeDocument", "xl/workbook.xml");
  out.append("</Relationships>");
  return out;
}

std::string workbook_relationships_xml(int sheet_count) {
  std::string out(kXmlHead);
  out.append(kRelationshipsHead);
  for (int i = 1; i <= sheet_count; ++i) {
    std::string target = "worksheets/sheet";
    append_int(target, i);
    append_relationship(out, i, "worksheet", target.append(".xml"));
  }
  append_relationship(out, sheet_count + 1, "styles", "styles.xml");
  append_relationship(out, sheet_count + 2, "sharedStrings", "sharedStrings.xml");
  out.append("</Relationships>");
  return out;
}

}  // namespace fenwarx::templates

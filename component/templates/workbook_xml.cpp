#include "platform/xlsx/namespaces.hpp"
#include "platform/xlsx/xml_escape.hpp"
#include "templates/package_parts.hpp"
#include "templates/xml_text.hpp"

namespace fenwarx::templates {

std::string workbook_xml(const std::vector<std::string_view>& sheet_names) {
  std::string out(kXmlHead);
  out.append("<workbook xmlns=\"").append(ns::kMain);
  out.append("\" xmlns:r=\"").append(ns::kRelationships).append("\"><workbookPr/>");
  out.append(
      R"(<bookViews><workbookView xWindow="120" yWindow="45" windowWidth="19020" windowHeight="11640"/></bookViews><sheets>)");
  int id = 1;
  for (std::string_view name : sheet_names) {
    out.append("<sheet name=\"");
    append_escaped_text(out, name);
    out.append("\" sheetId=\"");
    append_int(out, id);
    out.append("\" r:id=\"rId");
    append_int(out, id++);
    out.append("\"/>");
  }
  // The financial-year formula on the deductor sheet is written without a result.
  out.append(R"(</sheets><calcPr calcId="191029" fullCalcOnLoad="1"/></workbook>)");
  return out;
}

}  // namespace fenwarx::templates

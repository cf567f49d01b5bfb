#include "platform/xlsx/content_types.hpp"
#include "templates/package_parts.hpp"
#include "templates/xml_text.hpp"

namespace fenwarx::templates {

std::string content_types_xml(int sheet_count) {
  std::string out(kXmlHead);
  out.append(
      R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
      R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
      R"(<Default Extension="xml" ContentType="application/xml"/>)"
      R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)");
  for (int i = 1; i <= sheet_count; ++i) {
    out.append(R"(<Override PartName="/xl/worksheets/sheet)");
    append_int(out, i);
    out.append(
        R"(.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)");
  }
  out.append(R"(<Override PartName="/xl/styles.xml" ContentType=")")
      .append(content_type::kStyles)
      .append(
          R"("/><Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>)"
          R"(<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-package.core-properties+xml"/></Types>)");
  return out;
}

}  // namespace fenwarx::templates

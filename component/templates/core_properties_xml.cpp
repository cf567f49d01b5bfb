#include "templates/package_parts.hpp"
#include "templates/xml_text.hpp"

namespace fenwarx::templates {

// Fixed dates, so the same workbook is the same bytes on every run.
std::string core_properties_xml() {
  std::string out(kXmlHead);
  out.append(
      R"(<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties" )"
      R"(xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:dcterms="http://purl.org/dc/terms/" )"
      R"(xmlns:dcmitype="http://purl.org/dc/dcmitype/" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">)"
      R"(<dc:creator>Accounts</dc:creator><cp:lastModifiedBy>Accounts</cp:lastModifiedBy>)"
      R"(<dcterms:created xsi:type="dcterms:W3CDTF">2005-07-10T09:30:00Z</dcterms:created>)"
      R"(<dcterms:modified xsi:type="dcterms:W3CDTF">2005-07-12T16:05:00Z</dcterms:modified>)"
      R"(</cp:coreProperties>)");
  return out;
}

}  // namespace fenwarx::templates

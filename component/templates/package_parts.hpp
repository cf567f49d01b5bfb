#pragma once
// The parts around the worksheets of a written workbook package. Worksheet i
// (from 1) is xl/worksheets/sheetI.xml, relationship rIdI of the workbook.
#include <string>
#include <string_view>
#include <vector>

namespace fenwarx::templates {

std::string content_types_xml(int sheet_count);   // [Content_Types].xml
std::string package_relationships_xml();          // _rels/.rels
std::string workbook_relationships_xml(int sheet_count);  // xl/_rels/workbook.xml.rels
// xl/workbook.xml; formulas are computed by the reader on load.
std::string workbook_xml(const std::vector<std::string_view>& sheet_names);
std::string core_properties_xml();                // docProps/core.xml

}  // namespace fenwarx::templates

#include "platform/xlsx/new_package.hpp"

#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/utf8.hpp"
#include "platform/xlsx/namespaces.hpp"
#include "platform/xlsx/package_xml.hpp"

namespace fenwarx {

namespace {

constexpr std::string_view kDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

void invalid(const std::string& description) {
  throw RuntimeError(err::kInvalidCall, description);
}

}  // namespace

void check_sheet_names(const std::vector<std::string>& names) {
  if (names.empty()) invalid("A workbook needs at least one sheet");
  std::vector<std::string> seen;
  for (const auto& name : names) {
    std::size_t length = character_count(name);
    if (length < 1 || length > 31)
      invalid("The sheet name '" + name + "' must be 1 to 31 characters long");
    if (name.find_first_of(":\\/?*[]") != std::string::npos)
      invalid("The sheet name '" + name + "' contains one of : \\ / ? * [ ]");
    std::string key = to_upper(name);
    for (const auto& other : seen)
      if (other == key) invalid("The sheet name '" + name + "' is used twice");
    seen.push_back(std::move(key));
  }
}

std::string_view default_styles_xml() {
  static const std::string xml =
      std::string(kDeclaration) + "<styleSheet xmlns=\"" + std::string(ns::kMain) + "\">" +
      "<fonts count=\"1\"><font><sz val=\"11\"/><color rgb=\"FF000000\"/>"
      "<name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
      "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
      "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
      "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
      "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
      "</cellStyleXfs>"
      "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" "
      "xfId=\"0\"/></cellXfs>"
      "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
      "</cellStyles>"
      "<dxfs count=\"0\"/><tableStyles count=\"0\"/></styleSheet>";
  return xml;
}

std::vector<PackagePart> new_package(const std::vector<std::string>& sheet_names) {
  check_sheet_names(sheet_names);
  const std::string declaration(kDeclaration);
  const std::string type_prefix = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
  const std::string rel_prefix = std::string(ns::kRelationships) + "/";

  std::string types = declaration +
                      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                      "content-types\">"
                      "<Default Extension=\"rels\" ContentType=\"application/"
                      "vnd.openxmlformats-package.relationships+xml\"/>"
                      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                      "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
                      type_prefix + "sheet.main+xml\"/>";
  std::string sheets;
  std::string rels = declaration +
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                     "relationships\">";
  for (std::size_t i = 1; i <= sheet_names.size(); ++i) {
    std::string n = std::to_string(i);
    types += "<Override PartName=\"/xl/worksheets/sheet" + n + ".xml\" ContentType=\"" +
             type_prefix + "worksheet+xml\"/>";
    sheets += "<sheet name=\"" + xml::escape(sheet_names[i - 1]) + "\" sheetId=\"" + n +
              "\" r:id=\"rId" + n + "\"/>";
    rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + rel_prefix +
            "worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
  }
  types += "<Override PartName=\"/xl/styles.xml\" ContentType=\"" + type_prefix +
           "styles+xml\"/></Types>";
  rels += "<Relationship Id=\"rId" + std::to_string(sheet_names.size() + 1) + "\" Type=\"" +
          rel_prefix + "styles\" Target=\"styles.xml\"/></Relationships>";

  std::vector<PackagePart> parts;
  parts.push_back({"[Content_Types].xml", std::move(types)});
  parts.push_back({"_rels/.rels",
                   declaration +
                       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                       "relationships\"><Relationship Id=\"rId1\" Type=\"" +
                       rel_prefix + "officeDocument\" Target=\"xl/workbook.xml\"/>"
                       "</Relationships>"});
  parts.push_back({"xl/workbook.xml",
                   declaration + "<workbook xmlns=\"" + std::string(ns::kMain) + "\" xmlns:r=\"" +
                       std::string(ns::kRelationships) + "\"><workbookPr/>"
                       "<bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>" +
                       sheets + "</sheets></workbook>"});
  parts.push_back({"xl/_rels/workbook.xml.rels", std::move(rels)});
  parts.push_back({"xl/styles.xml", std::string(default_styles_xml())});
  for (std::size_t i = 1; i <= sheet_names.size(); ++i)
    parts.push_back({"xl/worksheets/sheet" + std::to_string(i) + ".xml",
                     declaration + "<worksheet xmlns=\"" + std::string(ns::kMain) +
                         "\" xmlns:r=\"" + std::string(ns::kRelationships) +
                         "\"><sheetData/></worksheet>"});
  return parts;
}

}  // namespace fenwarx

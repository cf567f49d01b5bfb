#include "platform/xlsx/new_package.hpp"

#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/utf8.hpp"
#include "platform/xlsx/namespaces.hpp"
#include "platform/xlsx/package_writer.hpp"
#include "platform/xlsx/xml_writer.hpp"

namespace fenwarx {

namespace {

void invalid(const std::string& description) { throw RuntimeError(err::kInvalidCall, description); }

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
      std::string(kXmlDeclaration) + "<styleSheet xmlns=\"" + std::string(ns::kMain) + "\">" +
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
  const std::string empty_sheet = std::string(kXmlDeclaration) + "<worksheet xmlns=\"" +
                                  std::string(ns::kMain) + "\" xmlns:r=\"" +
                                  std::string(ns::kRelationships) + "\"><sheetData/></worksheet>";
  NewPackage package{.styles = default_styles_xml()};
  for (const std::string& name : sheet_names)
    package.sheets.push_back({.name = name, .xml = empty_sheet});
  std::vector<PackagePart> parts;
  for_each_part(package, [&](std::string_view name, std::string_view xml) {
    parts.push_back({.name = std::string(name), .xml = std::string(xml)});
  });
  return parts;
}

}  // namespace fenwarx

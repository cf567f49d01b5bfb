#include "workbook_styles.hpp"

#include <string_view>

namespace fenwarx::bench::style {

std::string styles_xml() {
  constexpr std::string_view kBorder =
      "<left style=\"thin\"><color indexed=\"64\"/></left>"
      "<right style=\"thin\"><color indexed=\"64\"/></right>"
      "<top style=\"thin\"><color indexed=\"64\"/></top>"
      "<bottom style=\"thin\"><color indexed=\"64\"/></bottom><diagonal/>";
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
      "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
      "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/></numFmts>"
      "<fonts count=\"3\">"
      "<font><sz val=\"11\"/><color rgb=\"FF000000\"/><name val=\"Liberation Sans\"/>"
      "<family val=\"2\"/></font>"
      "<font><b/><sz val=\"11\"/><color rgb=\"FF000000\"/><name val=\"Liberation Sans\"/>"
      "<family val=\"2\"/></font>"
      "<font><sz val=\"10\"/><name val=\"DejaVu Sans\"/><family val=\"2\"/></font></fonts>"
      "<fills count=\"3\"><fill><patternFill patternType=\"none\"/></fill>"
      "<fill><patternFill patternType=\"gray125\"/></fill>"
      "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FFD9D9D9\"/>"
      "<bgColor indexed=\"64\"/></patternFill></fill></fills>"
      "<borders count=\"2\"><border><left/><right/><top/><bottom/><diagonal/></border><border>";
  out.append(kBorder);
  out.append(
      "</border></borders>"
      "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
      "</cellStyleXfs><cellXfs count=\"7\">"
      "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
      "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"2\" borderId=\"1\" xfId=\"0\" applyFont=\"1\" "
      "applyFill=\"1\" applyBorder=\"1\" applyAlignment=\"1\">"
      "<alignment horizontal=\"center\" vertical=\"center\" wrapText=\"1\"/></xf>"
      "<xf numFmtId=\"0\" fontId=\"2\" fillId=\"0\" borderId=\"1\" xfId=\"0\" applyFont=\"1\" "
      "applyBorder=\"1\"/>"
      "<xf numFmtId=\"2\" fontId=\"2\" fillId=\"0\" borderId=\"1\" xfId=\"0\" "
      "applyNumberFormat=\"1\" applyFont=\"1\" applyBorder=\"1\"/>"
      "<xf numFmtId=\"1\" fontId=\"2\" fillId=\"0\" borderId=\"1\" xfId=\"0\" "
      "applyNumberFormat=\"1\" applyFont=\"1\" applyBorder=\"1\"/>"
      "<xf numFmtId=\"164\" fontId=\"2\" fillId=\"0\" borderId=\"1\" xfId=\"0\" "
      "applyNumberFormat=\"1\" applyFont=\"1\" applyBorder=\"1\"/>"
      "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
      "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
      "</cellStyles><dxfs count=\"0\"/><tableStyles count=\"0\"/></styleSheet>");
  return out;
}

}  // namespace fenwarx::bench::style

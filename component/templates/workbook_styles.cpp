#include "templates/workbook_styles.hpp"

#include <string_view>

#include "platform/xlsx/xml_writer.hpp"

namespace fenwarx::templates::style {
namespace {

// cellXfs entries in the order of the style numbers.
constexpr std::string_view kCellFormats[] = {
    R"(<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)",
    R"(<xf numFmtId="0" fontId="1" fillId="2" borderId="1" xfId="0" applyFont="1" applyFill="1" applyBorder="1" applyAlignment="1"><alignment horizontal="center" vertical="center" wrapText="1"/></xf>)",
    R"(<xf numFmtId="0" fontId="2" fillId="0" borderId="1" xfId="0" applyFont="1" applyBorder="1"/>)",
    R"(<xf numFmtId="2" fontId="2" fillId="0" borderId="1" xfId="0" applyNumberFormat="1" applyFont="1" applyBorder="1"/>)",
    R"(<xf numFmtId="1" fontId="2" fillId="0" borderId="1" xfId="0" applyNumberFormat="1" applyFont="1" applyBorder="1"/>)",
    R"(<xf numFmtId="164" fontId="2" fillId="0" borderId="1" xfId="0" applyNumberFormat="1" applyFont="1" applyBorder="1"/>)",
    R"(<xf numFmtId="0" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1" applyAlignment="1"><alignment vertical="center" wrapText="1"/></xf>)",
    R"(<xf numFmtId="165" fontId="2" fillId="0" borderId="1" xfId="0" applyNumberFormat="1" applyFont="1" applyBorder="1"/>)",
    R"(<xf numFmtId="49" fontId="2" fillId="0" borderId="1" xfId="0" applyNumberFormat="1" applyFont="1" applyBorder="1"/>)",
    R"(<xf numFmtId="0" fontId="3" fillId="0" borderId="0" xfId="0" applyFont="1"/>)",
    R"(<xf numFmtId="2" fontId="2" fillId="0" borderId="0" xfId="0" applyNumberFormat="1" applyFont="1"/>)",
    R"(<xf numFmtId="1" fontId="2" fillId="0" borderId="0" xfId="0" applyNumberFormat="1" applyFont="1"/>)",
    R"(<xf numFmtId="164" fontId="2" fillId="0" borderId="0" xfId="0" applyNumberFormat="1" applyFont="1"/>)",
    R"(<xf numFmtId="165" fontId="2" fillId="0" borderId="0" xfId="0" applyNumberFormat="1" applyFont="1"/>)",
};

}  // namespace

std::string styles_xml() {
  std::string out(kXmlDeclaration);
  out.append(
      R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
      R"(<numFmts count="2"><numFmt numFmtId="164" formatCode="dd/mm/yyyy"/>)"
      R"(<numFmt numFmtId="165" formatCode="0.0000"/></numFmts>)"
      R"(<fonts count="4">)"
      R"(<font><sz val="11"/><color rgb="FF000000"/><name val="Liberation Sans"/><family val="2"/></font>)"
      R"(<font><b/><sz val="11"/><color rgb="FF000000"/><name val="Liberation Sans"/><family val="2"/></font>)"
      R"(<font><sz val="10"/><name val="DejaVu Sans"/><family val="2"/></font>)"
      R"(<font><i/><sz val="9"/><color rgb="FF595959"/><name val="Liberation Sans"/><family val="2"/></font>)"
      R"(</fonts><fills count="3"><fill><patternFill patternType="none"/></fill>)"
      R"(<fill><patternFill patternType="gray125"/></fill>)"
      R"(<fill><patternFill patternType="solid"><fgColor rgb="FFD9D9D9"/><bgColor indexed="64"/>)"
      R"(</patternFill></fill></fills><borders count="2">)"
      R"(<border><left/><right/><top/><bottom/><diagonal/></border>)"
      R"(<border><left style="thin"><color indexed="64"/></left>)"
      R"(<right style="thin"><color indexed="64"/></right><top style="thin"><color indexed="64"/>)"
      R"(</top><bottom style="thin"><color indexed="64"/></bottom><diagonal/></border></borders>)"
      R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/>)"
      R"(</cellStyleXfs><cellXfs count=")");
  append_int(out, static_cast<long long>(std::size(kCellFormats)));
  out.append("\">");
  for (std::string_view xf : kCellFormats) out.append(xf);
  out.append(R"(</cellXfs><cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/>)"
             R"(</cellStyles><dxfs count="0"/><tableStyles count="0"/></styleSheet>)");
  return out;
}

}  // namespace fenwarx::templates::style

#include "sheet_xml.hpp"

#include <algorithm>
#include <charconv>

#include "platform/xlsx/cell_reference.hpp"
#include "platform/xlsx/namespaces.hpp"
#include "platform/xlsx/xml_escape.hpp"

namespace fenwarx::bench {
namespace {

constexpr std::string_view kXmlHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

void append_int(std::string& out, long long value) {
  char buffer[24];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  out.append(buffer, end);
}

void append_double(std::string& out, double value) {
  char buffer[32];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  out.append(buffer, end);
}

}  // namespace

std::uint32_t SharedStrings::index(std::string_view text) {
  ++references_;
  auto [it, added] =
      indices_.try_emplace(std::string(text), static_cast<std::uint32_t>(order_.size()));
  if (added) order_.push_back(&it->first);
  return it->second;
}

std::string SharedStrings::xml() const {
  std::string out(kXmlHead);
  out.append("<sst xmlns=\"").append(ns::kMain).append("\" count=\"");
  append_int(out, static_cast<long long>(references_));
  out.append("\" uniqueCount=\"");
  append_int(out, static_cast<long long>(order_.size()));
  out.append("\">");
  for (const std::string* text : order_) {
    out.append(needs_preserved_space(*text) ? "<si><t xml:space=\"preserve\">" : "<si><t>");
    append_escaped_text(out, *text);
    out.append("</t></si>");
  }
  out.append("</sst>");
  return out;
}

void SheetXml::begin_row(int row, int span_first, int span_last) {
  row_ = row;
  last_row_ = std::max(last_row_, row);
  rows_.append("<row r=\"");
  append_int(rows_, row);
  rows_.append("\" spans=\"");
  append_int(rows_, span_first);
  rows_.push_back(':');
  append_int(rows_, span_last);
  rows_.append("\">");
}

void SheetXml::open_cell(int column, std::uint32_t style) {
  last_column_ = std::max(last_column_, column);
  rows_.append("<c r=\"");
  append_column_letters(rows_, column);
  append_int(rows_, row_);
  rows_.push_back('"');
  if (style != 0) {
    rows_.append(" s=\"");
    append_int(rows_, style);
    rows_.push_back('"');
  }
}

void SheetXml::text(int column, std::string_view text, std::uint32_t style) {
  if (text.empty()) return blank(column, style);
  open_cell(column, style);
  rows_.append(" t=\"s\"><v>");
  append_int(rows_, strings_.index(text));
  rows_.append("</v></c>");
}

void SheetXml::number(int column, double value, std::uint32_t style) {
  open_cell(column, style);
  rows_.append("><v>");
  append_double(rows_, value);
  rows_.append("</v></c>");
}

void SheetXml::blank(int column, std::uint32_t style) {
  if (style == 0) return;  // an unformatted empty cell is simply not written
  open_cell(column, style);
  rows_.append("/>");
}

void SheetXml::end_row() { rows_.append("</row>"); }

std::string SheetXml::finish(const std::vector<ColumnWidth>& widths, bool selected) const {
  std::string out(kXmlHead);
  out.reserve(rows_.size() + 1024);
  out.append("<worksheet xmlns=\"").append(ns::kMain);
  out.append("\" xmlns:r=\"").append(ns::kRelationships);
  out.append("\"><dimension ref=\"A1");
  if (last_row_ > 1 || last_column_ > 1) {
    out.push_back(':');
    append_column_letters(out, std::max(last_column_, 1));
    append_int(out, std::max(last_row_, 1));
  }
  out.append("\"/><sheetViews><sheetView ");
  if (selected) out.append("tabSelected=\"1\" ");
  out.append("workbookViewId=\"0\"/></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>");
  if (!widths.empty()) {
    out.append("<cols>");
    for (const ColumnWidth& col : widths) {
      out.append("<col min=\"");
      append_int(out, col.first);
      out.append("\" max=\"");
      append_int(out, col.last);
      out.append("\" width=\"");
      append_double(out, col.width);
      out.append("\" customWidth=\"1\"/>");
    }
    out.append("</cols>");
  }
  out.append(rows_.empty() ? "<sheetData/>" : "<sheetData>");
  if (!rows_.empty()) out.append(rows_).append("</sheetData>");
  out.append(
      "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
      "footer=\"0.3\"/></worksheet>");
  return out;
}

}  // namespace fenwarx::bench

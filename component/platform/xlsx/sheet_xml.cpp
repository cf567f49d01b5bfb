#include "platform/xlsx/sheet_xml.hpp"

#include <algorithm>

#include "platform/spreadsheet/cell_reference.hpp"
#include "platform/xlsx/namespaces.hpp"
#include "platform/xlsx/xml_writer.hpp"

namespace fenwarx {
namespace {

void append_columns(std::string& out, const std::vector<ColumnFormat>& columns) {
  if (columns.empty()) return;
  out.append("<cols>");
  for (const ColumnFormat& col : columns) {
    out.append("<col min=\"");
    append_int(out, col.first);
    out.append("\" max=\"");
    append_int(out, col.last);
    out.append("\" width=\"");
    append_double(out, col.width);
    if (col.style != 0) {
      out.append("\" style=\"");
      append_int(out, col.style);
    }
    out.append("\" customWidth=\"1\"/>");
  }
  out.append("</cols>");
}

void append_validations(std::string& out, const std::vector<ListValidation>& validations) {
  if (validations.empty()) return;
  out.append("<dataValidations count=\"");
  append_int(out, static_cast<long long>(validations.size()));
  out.append("\">");
  for (const ListValidation& v : validations) {
    out.append(
        "<dataValidation type=\"list\" allowBlank=\"1\" showInputMessage=\"1\" "
        "showErrorMessage=\"1\" sqref=\"");
    out.append(v.range).append("\"><formula1>");
    append_escaped_text(out, v.source);
    out.append("</formula1></dataValidation>");
  }
  out.append("</dataValidations>");
}

}  // namespace

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

void SheetXml::formula(int column, std::string_view formula, std::optional<std::string_view> cached,
                       std::uint32_t style) {
  open_cell(column, style);
  rows_.append(cached ? " t=\"str\"><f>" : "><f>");
  append_escaped_text(rows_, formula);
  rows_.append("</f>");
  if (cached) {
    rows_.append("<v>");
    append_escaped_text(rows_, *cached);
    rows_.append("</v>");
  }
  rows_.append("</c>");
}

void SheetXml::end_row() { rows_.append("</row>"); }

std::string SheetXml::finish(const SheetFinish& options) const {
  std::string out(kXmlDeclaration);
  out.reserve(rows_.size() + 2048);
  out.append("<worksheet xmlns=\"").append(ns::kMain);
  out.append("\" xmlns:r=\"").append(ns::kRelationships);
  out.append("\"><dimension ref=\"A1");
  if (last_row_ > 1 || last_column_ > 1) {
    out.push_back(':');
    append_column_letters(out, std::max(last_column_, 1));
    append_int(out, std::max(last_row_, 1));
  }
  out.append("\"/><sheetViews><sheetView ");
  if (options.selected) out.append("tabSelected=\"1\" ");
  out.append("workbookViewId=\"0\"");
  if (options.frozen_rows > 0) {
    const std::string top_left = cell_reference(options.frozen_rows + 1, 1);
    out.append("><pane ySplit=\"");
    append_int(out, options.frozen_rows);
    out.append("\" topLeftCell=\"").append(top_left);
    out.append(
           "\" activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\" "
           "activeCell=\"")
        .append(top_left)
        .append("\" sqref=\"")
        .append(top_left);
    out.append("\"/></sheetView>");
  } else {
    out.append("/>");
  }
  out.append("</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>");
  append_columns(out, options.columns);
  if (rows_.empty()) {
    out.append("<sheetData/>");
  } else {
    out.append("<sheetData>").append(rows_).append("</sheetData>");
  }
  append_validations(out, options.validations);
  out.append(
      "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
      "footer=\"0.3\"/></worksheet>");
  return out;
}

}  // namespace fenwarx

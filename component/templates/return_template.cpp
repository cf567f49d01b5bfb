#include "templates/return_template.hpp"

#include "templates/sheet_frames.hpp"

namespace fenwarx::templates {
namespace {

std::string empty_table_xml(const TableFrame& table, Form form, SharedStringTable& strings) {
  SheetXml sheet(strings);
  write_table_headings(sheet, table);
  return sheet.finish(table_finish(table, form));
}

}  // namespace

TemplateParts make_return_template(Form form, Clock& clock) {
  const WorkbookLayout& layout = workbook_layout(form);
  TemplateParts parts;
  parts.sheets.push_back({.name = layout.deductor.name,
                          .xml = deductor_sheet_xml(layout, parts.strings, {}, std::nullopt,
                                                    financial_year_of(clock.today()))});
  for (const TableFrame& table : table_frames(layout))
    parts.sheets.push_back(
        {.name = table.sheet, .xml = empty_table_xml(table, form, parts.strings)});
  parts.sheets.push_back({.name = kStateSheet.name, .xml = state_sheet_xml(parts.strings)});
  return parts;
}

void write_return_template(const std::filesystem::path& path, Form form, Clock& clock) {
  const TemplateParts parts = make_return_template(form, clock);
  write_package(path, parts.sheets, parts.strings);
}

}  // namespace fenwarx::templates

#include "templates/return_template.hpp"

#include "templates/sheet_frames.hpp"

namespace fenwarx::templates {
namespace {

std::string empty_table_xml(const Table& table, Form form, SharedStringTable& strings) {
  SheetXml sheet(strings);
  write_table_headings(sheet, table);
  return sheet.finish(table_finish(table, form));
}

}  // namespace

TemplateParts make_return_template(Form form) {
  const ReturnLayout& layout = return_layout(form);
  TemplateParts parts;
  parts.sheets.push_back({layout.profile->deductor_sheet,
                          deductor_sheet_xml(layout, parts.strings, {}, std::nullopt)});
  for (const Table* table : {&layout.challans, &layout.deductees})
    parts.sheets.push_back({table->sheet, empty_table_xml(*table, form, parts.strings)});
  for (const Table& table : layout.salary_sheets)
    parts.sheets.push_back({table.sheet, empty_table_xml(table, form, parts.strings)});
  parts.sheets.push_back({kStateSheet, state_sheet_xml(parts.strings)});
  return parts;
}

void write_return_template(const std::filesystem::path& path, Form form) {
  const TemplateParts parts = make_return_template(form);
  write_package(path, parts.sheets, parts.strings);
}

}  // namespace fenwarx::templates

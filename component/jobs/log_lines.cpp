#include "jobs/log_lines.hpp"

#include "platform/spreadsheet/cell_reference.hpp"

namespace fenwarx::jobs {

std::vector<LogLine> log_lines(const std::vector<Finding>& findings) {
  std::vector<LogLine> lines;
  lines.reserve(findings.size());
  for (const Finding& finding : findings)
    lines.push_back({.sheet = finding.sheet,
                     .row = finding.row,
                     .column = finding.column,
                     .address = cell_reference(finding.row, finding.column),
                     .caption = finding.caption,
                     .rule = std::string(rule_text(finding.rule))});
  return lines;
}

std::vector<SheetRow> not_written_rows(const ReturnObject& object) {
  std::vector<SheetRow> rows;
  if (!object.exported.completed) return rows;
  const std::string sheet(object.layout().deductees.name);
  for (int row : object.exported.not_written) rows.push_back({.sheet = sheet, .row = row});
  return rows;
}

}  // namespace fenwarx::jobs

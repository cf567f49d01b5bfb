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

}  // namespace fenwarx::jobs

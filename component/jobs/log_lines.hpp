#pragma once
// The findings of a run as the results' log lines, and the rows its export left
// out of the return file.
#include <vector>

#include "jobs/job_result.hpp"
#include "state/return_object.hpp"

namespace fenwarx::jobs {

std::vector<LogLine> log_lines(const std::vector<Finding>& findings);
// The deductee rows the object's last completed export did not write.
std::vector<SheetRow> not_written_rows(const ReturnObject& object);

}  // namespace fenwarx::jobs

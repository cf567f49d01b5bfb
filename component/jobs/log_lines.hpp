#pragma once
// The findings of a run as the results' log lines.
#include <vector>

#include "jobs/job_result.hpp"
#include "state/return_object.hpp"

namespace fenwarx::jobs {

std::vector<LogLine> log_lines(const std::vector<Finding>& findings);

}  // namespace fenwarx::jobs

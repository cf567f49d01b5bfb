#pragma once
// The --json outcome of a command: the job's result as the jobs write it, so
// that the command line and the C interface report alike.
#include "jobs/result_json.hpp"

namespace fenwarx::cli {

using jobs::json_failure;
using jobs::json_string;
using jobs::json_text;
using jobs::json_value;

}  // namespace fenwarx::cli

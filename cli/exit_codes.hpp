#pragma once
// The process exit codes, stable for scripts that call the tool.
#include "jobs/job_result.hpp"

namespace fenwarx::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitDataErrors = 1;   // the data holds errors, or the run refused
inline constexpr int kExitUsage = 2;        // bad arguments
inline constexpr int kExitFailure = 3;      // a run-time error stopped the command
inline constexpr int kExitCancelled = 130;  // stopped by Ctrl-C, nothing saved (128 + SIGINT)

int exit_code_of(jobs::Outcome outcome);

}  // namespace fenwarx::cli

#pragma once
// The log of certificate runs that failed: LogTDSZelto.log in the workbook's
// folder, one line per failure, added to whatever the file held.
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/values/runtime_error.hpp"

namespace fenwarx {

inline constexpr std::string_view kFailureLog = "LogTDSZelto.log";

// "7..15/06/2006 10:30:00--DESCRIPTION NUMBER": the row being written, the date
// and time, the failure.
std::string failure_log_line(double row, double now, const RuntimeError& failure);

// Adds `lines` to the log in `folder`; the file is rewritten whole (old lines,
// then the new), so that it never ends in half a line.
void append_failure_log(const std::filesystem::path& folder, std::string_view lines);

}  // namespace fenwarx

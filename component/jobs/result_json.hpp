#pragma once
// A job's result as one JSON object, written by hand (no JSON library on the
// target), with every text escaped: the command line's --json report and what
// the C interface hands its callers.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jobs/job_result.hpp"

namespace fenwarx::jobs {

// A JSON string literal; bytes that are not UTF-8 become U+FFFD.
std::string json_string(std::string_view text);
// {"number": N, "description": TEXT} of a run-time error that stopped a job; null without one.
std::string json_failure(const std::optional<Failure>& failure);
// A cell value: numbers as numbers, empty as null, anything else as its text.
std::string json_value(const Variant& value);
// The report of a job: messages, errors, the log, the rows the return file left
// out, the form, the return file, the saved workbook and the failure, and with
// `results` the results of the members `call` ran.
std::string json_text(const Result& result, bool results = false);

}  // namespace fenwarx::jobs

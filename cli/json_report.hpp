#pragma once
// The --json outcome of a command: one object, written by hand (no JSON library
// on the target), with every text escaped.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jobs/job_result.hpp"

namespace fenwarx::cli {

// A JSON string literal; bytes that are not UTF-8 become U+FFFD.
std::string json_string(std::string_view text);
// {"number": N, "description": TEXT} of a run-time error that stopped a job; null without one.
std::string json_failure(const std::optional<jobs::Failure>& failure);
// A cell value: numbers as numbers, empty as null, anything else as its text.
std::string json_value(const Variant& value);
// The report of a job: messages, errors, the log, the rows the return file left
// out, the return file, the saved workbook and the failure, and with `results`
// the results of the members `call` ran.
std::string json_text(const jobs::Result& result, bool results = false);

}  // namespace fenwarx::cli

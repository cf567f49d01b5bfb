#pragma once
// The --json outcome of a command: one object, written by hand (no JSON library
// on the target), with every text escaped.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/ui/ui.hpp"

namespace fenwarx::cli {

// A log line as the deductor sheet holds it; row and column as their cells read.
struct LogLine {
  Variant sheet, row, column, caption;
};

struct Report {
  std::vector<Message> messages;
  double errors = 0;
  std::vector<LogLine> log;
  std::optional<std::string> return_file, saved;
  std::optional<std::vector<std::string>> results;  // `call` only
};

// The lines 1 .. (1, 31) of the error log on the deductor sheet (columns 30, 32,
// 33, 34); none when the count is not a positive number.
std::vector<LogLine> read_error_log(Worksheet& deductor);

// A JSON string literal; bytes that are not UTF-8 become U+FFFD.
std::string json_string(std::string_view text);
// A cell value: numbers as numbers, empty as null, anything else as its text.
std::string json_value(const Variant& value);
std::string json_text(const Report& report);

}  // namespace fenwarx::cli

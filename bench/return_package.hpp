#pragma once
// A generated return written straight as package parts, the way a spreadsheet
// application saves one, without going through the component's cell API.
#include <filesystem>

namespace fenwarx::bench {

// A Form 26 workbook with `deductees` (1..kMaxDeductees) and `challans` (>= 1) rows.
// Replaces `path` atomically; RuntimeError on an I/O failure.
void write_form26_workbook(const std::filesystem::path& path, int deductees, int challans);

}  // namespace fenwarx::bench

// Any bytes taken as a return file must be checked without a fault, and every
// finding and warning must point into the file: a line that exists, a field of
// that line, in line order.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "export/return_file_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const fenwarx::CheckReport report = fenwarx::check_return_file(bytes);
  for (const auto* list : {&report.findings, &report.warnings}) {
    long long previous = 0;
    for (const fenwarx::CheckFinding& finding : *list) {
      if (finding.line < 0 || finding.line > report.lines + 1 || finding.field < 0 ||
          finding.message.empty()) {
        std::fprintf(stderr, "finding out of the file: line %lld of %lld, field %d\n", finding.line,
                     report.lines, finding.field);
        std::abort();
      }
      if (finding.line != 0 && finding.line < previous) {
        std::fprintf(stderr, "findings out of line order: %lld after %lld\n", finding.line,
                     previous);
        std::abort();
      }
      if (finding.line != 0) previous = finding.line;
    }
  }
  return 0;
}

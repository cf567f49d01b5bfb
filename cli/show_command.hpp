#pragma once
// `fenwarx show`: a workbook's cells as the component reads them, one line per
// row, tab-separated.
#include <filesystem>
#include <optional>
#include <string>

#include "buffered_output.hpp"
#include "cell_range.hpp"

namespace fenwarx::cli {

struct ShowOptions {
  std::filesystem::path workbook;
  std::optional<std::string> sheet;  // every sheet, each under "== NAME ==", when absent
  std::optional<CellRange> range;    // the sheet's used range when absent
};

void show(const ShowOptions& options, BufferedOutput& out);

}  // namespace fenwarx::cli

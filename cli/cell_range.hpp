#pragma once
// A rectangle of cells as the user writes it on the command line: "A1:D20" or "B3".
#include <optional>
#include <string_view>

namespace fenwarx::cli {

struct CellRange {
  int first_row = 1, first_column = 1, last_row = 0, last_column = 0;
};

// Column letters in either case; rows and columns within the sheet's limits; the
// first corner above and left of the second. nullopt for anything else.
std::optional<CellRange> parse_range(std::string_view text);

}  // namespace fenwarx::cli

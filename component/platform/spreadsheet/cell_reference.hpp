#pragma once
// A1-style cell references: "AB12" <-> (row 12, column 28).
#include <optional>
#include <string>
#include <string_view>

namespace fenwarx {

struct CellAddress {
  int row = 0;     // 1-based
  int column = 0;  // 1-based
  friend bool operator==(const CellAddress&, const CellAddress&) = default;
};

// Column letters "A".."XFD" (any case) -> 1..16384; none for anything else,
// including more letters than the sheet has columns for.
std::optional<int> column_from_letters(std::string_view letters);

// "B5" (letters then digits, no "$") -> {5, 2}. A reference whose row or column
// lies past the sheet's limits reads with that part one past the limit, so the
// caller can tell "beyond the sheet" from "not a reference" (none).
std::optional<CellAddress> parse_cell_reference(std::string_view text);

bool within_sheet(const CellAddress& address);

void append_column_letters(std::string& out, int column);
void append_cell_reference(std::string& out, int row, int column);
std::string cell_reference(int row, int column);

}  // namespace fenwarx

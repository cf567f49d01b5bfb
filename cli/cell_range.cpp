#include "cell_range.hpp"

#include <charconv>

#include "platform/spreadsheet/spreadsheet.hpp"

namespace fenwarx::cli {
namespace {

struct Corner {
  int row = 0, column = 0;
};

bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::optional<Corner> parse_corner(std::string_view text) {
  Corner corner;
  std::size_t i = 0;
  for (; i < text.size() && is_letter(text[i]); ++i) {
    const int letter = (text[i] | 0x20) - 'a' + 1;
    corner.column = corner.column * 26 + letter;
    if (corner.column > kMaxColumns) return std::nullopt;
  }
  if (i == 0 || i == text.size()) return std::nullopt;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  if (*first < '0' || *first > '9') return std::nullopt;  // from_chars would take a sign
  auto [end, ec] = std::from_chars(first, last, corner.row);
  if (ec != std::errc{} || end != last || corner.row < 1 || corner.row > kMaxRows)
    return std::nullopt;
  return corner;
}

}  // namespace

std::optional<CellRange> parse_range(std::string_view text) {
  const auto colon = text.find(':');
  const auto from = parse_corner(text.substr(0, colon));
  const auto to = colon == std::string_view::npos ? from : parse_corner(text.substr(colon + 1));
  if (!from || !to || to->row < from->row || to->column < from->column) return std::nullopt;
  return CellRange{from->row, from->column, to->row, to->column};
}

}  // namespace fenwarx::cli

#include "platform/spreadsheet/cell_reference.hpp"

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/ascii.hpp"

namespace fenwarx {

namespace {

int letter_value(char c) { return ascii_upper(c) - 'A' + 1; }

}  // namespace

std::optional<int> column_from_letters(std::string_view letters) {
  if (letters.empty() || letters.size() > 3) return std::nullopt;
  int column = 0;
  for (char c : letters) {
    if (!is_ascii_letter(c)) return std::nullopt;
    column = column * 26 + letter_value(c);
  }
  if (column > kMaxColumns) return std::nullopt;
  return column;
}

std::optional<CellAddress> parse_cell_reference(std::string_view text) {
  std::size_t i = 0;
  long column = 0;
  while (i < text.size() && is_ascii_letter(text[i])) {
    if (column <= kMaxColumns) column = column * 26 + letter_value(text[i]);
    ++i;
  }
  if (i == 0 || i == text.size()) return std::nullopt;
  long row = 0;
  for (std::size_t j = i; j < text.size(); ++j) {
    if (!is_ascii_digit(text[j])) return std::nullopt;
    if (row <= kMaxRows) row = row * 10 + (text[j] - '0');
  }
  if (row == 0) return std::nullopt;
  CellAddress address;
  address.row = row > kMaxRows ? kMaxRows + 1 : static_cast<int>(row);
  address.column = column > kMaxColumns ? kMaxColumns + 1 : static_cast<int>(column);
  return address;
}

bool within_sheet(const CellAddress& address) {
  return address.row >= 1 && address.row <= kMaxRows && address.column >= 1 &&
         address.column <= kMaxColumns;
}

void append_column_letters(std::string& out, int column) {
  char letters[8];
  int n = 0;
  while (column > 0 && n < 8) {
    const int digit = (column - 1) % 26;
    letters[n++] = static_cast<char>('A' + digit);
    column = (column - 1) / 26;
  }
  while (n > 0) out.push_back(letters[--n]);
}

void append_cell_reference(std::string& out, int row, int column) {
  append_column_letters(out, column);
  char digits[12];
  int n = 0;
  unsigned value = row > 0 ? static_cast<unsigned>(row) : 0u;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0 && n < 12);
  while (n > 0) out.push_back(digits[--n]);
}

std::string cell_reference(int row, int column) {
  std::string out;
  append_cell_reference(out, row, column);
  return out;
}

}  // namespace fenwarx

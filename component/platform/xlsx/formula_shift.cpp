#include "platform/xlsx/formula_shift.hpp"

#include <optional>

#include "platform/spreadsheet/cell_reference.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/ascii.hpp"

namespace fenwarx {

namespace {

// Characters of a name, a number or a reference: the run a reference is read from.
bool is_word_char(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  return is_ascii_letter(ch) || is_ascii_digit(ch) || c == '_' || c == '.' || c == '$' ||
         c == '\\' || c == '?' || c >= 0x80;
}

// One end of a reference: a cell, a whole column or a whole row.
struct RefPart {
  enum class Kind { Cell, Column, Row } kind;
  int row = 0, column = 0;
  bool row_absolute = false, column_absolute = false;
};

std::optional<int> read_row(std::string_view digits) {
  if (digits.empty() || digits.size() > 7) return std::nullopt;
  int row = 0;
  for (char c : digits) {
    if (!is_ascii_digit(c)) return std::nullopt;
    row = row * 10 + (c - '0');
  }
  if (row < 1 || row > kMaxRows) return std::nullopt;
  return row;
}

std::optional<RefPart> parse_part(std::string_view word) {
  RefPart part{};
  std::size_t i = 0;
  bool first_dollar = false;
  if (i < word.size() && word[i] == '$') {
    first_dollar = true;
    ++i;
  }
  const std::size_t letters_begin = i;
  while (i < word.size() && is_ascii_letter(word[i])) ++i;
  const std::string_view letters = word.substr(letters_begin, i - letters_begin);
  if (letters.empty()) {
    const auto row = read_row(word.substr(i));
    if (!row) return std::nullopt;
    part.kind = RefPart::Kind::Row;
    part.row = *row;
    part.row_absolute = first_dollar;
    return part;
  }
  const auto column = column_from_letters(letters);
  if (!column) return std::nullopt;
  part.column = *column;
  part.column_absolute = first_dollar;
  if (i == word.size()) {
    part.kind = RefPart::Kind::Column;
    return part;
  }
  if (word[i] == '$') {
    part.row_absolute = true;
    ++i;
  }
  const auto row = read_row(word.substr(i));
  if (!row) return std::nullopt;
  part.kind = RefPart::Kind::Cell;
  part.row = *row;
  return part;
}

bool shift_part(RefPart& part, int rows, int columns) {
  if (part.kind != RefPart::Kind::Column && !part.row_absolute) {
    part.row += rows;
    if (part.row < 1 || part.row > kMaxRows) return false;
  }
  if (part.kind != RefPart::Kind::Row && !part.column_absolute) {
    part.column += columns;
    if (part.column < 1 || part.column > kMaxColumns) return false;
  }
  return true;
}

void append_part(std::string& out, const RefPart& part) {
  if (part.kind != RefPart::Kind::Row) {
    if (part.column_absolute) out.push_back('$');
    append_column_letters(out, part.column);
  }
  if (part.kind != RefPart::Kind::Column) {
    if (part.row_absolute) out.push_back('$');
    out += std::to_string(part.row);
  }
}

std::size_t word_end(std::string_view text, std::size_t i) {
  while (i < text.size() && is_word_char(text[i])) ++i;
  return i;
}

// A literal closed by `quote`, a doubled quote standing for itself; returns the end.
std::size_t quoted_end(std::string_view text, std::size_t i, char quote) {
  ++i;
  while (i < text.size()) {
    if (text[i] == quote) {
      if (i + 1 < text.size() && text[i + 1] == quote) {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return i;
}

std::size_t bracket_end(std::string_view text, std::size_t i) {
  int depth = 0;
  while (i < text.size()) {
    if (text[i] == '[') ++depth;
    if (text[i] == ']' && --depth == 0) return i + 1;
    ++i;
  }
  return i;
}

std::size_t error_literal_end(std::string_view text, std::size_t i) {
  ++i;
  while (i < text.size() && (is_ascii_letter(text[i]) || is_ascii_digit(text[i]) ||
                             text[i] == '/' || text[i] == '!' || text[i] == '?' || text[i] == '_'))
    ++i;
  return i;
}

}  // namespace

std::string shift_formula(std::string_view formula, int rows, int columns) {
  std::string out;
  out.reserve(formula.size() + 8);
  std::size_t i = 0;
  while (i < formula.size()) {
    const char c = formula[i];
    std::size_t end = i + 1;
    if (c == '"' || c == '\'') {
      end = quoted_end(formula, i, c);
    } else if (c == '[') {
      end = bracket_end(formula, i);
    } else if (c == '#') {
      end = error_literal_end(formula, i);
    } else if (is_word_char(c)) {
      end = word_end(formula, i);
      const char next = end < formula.size() ? formula[end] : '\0';
      auto first =
          (next == '(' || next == '!') ? std::nullopt : parse_part(formula.substr(i, end - i));
      if (first && next == ':') {
        const std::size_t second_end = word_end(formula, end + 1);
        const char after = second_end < formula.size() ? formula[second_end] : '\0';
        auto second = (after == '(' || after == '!')
                          ? std::nullopt
                          : parse_part(formula.substr(end + 1, second_end - end - 1));
        if (second && second->kind == first->kind) {
          if (shift_part(*first, rows, columns) && shift_part(*second, rows, columns)) {
            append_part(out, *first);
            out.push_back(':');
            append_part(out, *second);
          } else {
            out += "#REF!";
          }
          i = second_end;
          continue;
        }
      }
      if (first && first->kind == RefPart::Kind::Cell) {
        if (shift_part(*first, rows, columns))
          append_part(out, *first);
        else
          out += "#REF!";
        i = end;
        continue;
      }
    }
    out.append(formula.substr(i, end - i));
    i = end;
  }
  return out;
}

}  // namespace fenwarx
